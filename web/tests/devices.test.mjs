// The page on the screens pupils hold, driven by taps and keys as they drive it: the narrow
// column on a tablet upright and on a phone, a dialog used to its end on a phone, the STEP
// dialog's keys, check boxes after a tap or a key, and a rotation during a STEP display. Runs in
// every engine scripts/test.sh has (QUORBEL_BROWSER).
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { StartBrowser, OpenPage, Idle, PicturePixels, Tap } from './Browser.mjs';
import { EqualShare } from './png.mjs';

let browser, close;
before(async () => ({ browser, close } = await StartBrowser()));
after(async () => close());

const Count = (page) => page.$eval('.dialog #edtCount', (input) => input.value.trim());
const Counted = (page, text) =>
  page.waitForFunction((t) => document.querySelector('.dialog #edtCount')?.value.trim() === t, { timeout: 10000 }, text);

// Every element a user taps that shows, with its box: buttons, fields, check boxes (the label is
// the target; its box is inside it), list lines.
function TouchTargets(page, within) {
  return page.$$eval(within, (roots) => roots.flatMap((root) =>
    [...root.querySelectorAll('button, select, input:not([type="checkbox"]):not([type="radio"]), label, .list:not(#lstComment) > div')]
      .filter((element) => element.getClientRects().length > 0 && getComputedStyle(element).visibility !== 'hidden')
      .map((element) => {
        const box = element.getBoundingClientRect();
        return { name: element.id || element.dataset.model || element.closest('[id]')?.id + '>' + element.textContent,
                 left: box.left, right: box.right, width: box.width, height: box.height };
      })));
}

for (const [width, height] of [[820, 1180], [390, 844]]) {
  test(`at ${width} × ${height} every control is on the screen and at least 44 px, the picture drawn at its width`, async () => {
    const page = await OpenPage(browser, width, height, 2, true);
    assert.equal(await page.evaluate(() => document.documentElement.classList.contains('narrow')), true);
    const layout = await page.evaluate((w, h) => globalThis.quorbel.program.MainWindowLayout(w, h), width, height);
    const targets = await TouchTargets(page, '#app');
    assert.ok(targets.length > 50, `${targets.length} targets`);
    const small = targets.filter((t) => t.width < layout.column.touchTarget - 0.5 || t.height < layout.column.touchTarget - 0.5);
    assert.deepEqual(small.map((t) => `${t.name} ${t.width}×${t.height}`), []);
    assert.deepEqual(targets.filter((t) => t.left < 0 || t.right > width + 0.5).map((t) => t.name), []);
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), 'nothing to scroll sideways');
    // The menus and the curve list open as the touch menu and the drawer.
    await Tap(page, '#mnuFile');
    const items = await TouchTargets(page, '.menu.open .menu-items');
    assert.ok(items.length >= 10 && items.every((t) => t.height >= 44 && t.left >= 0 && t.right <= width), JSON.stringify(items[0]));
    await Tap(page, '#mnuFile');
    await Tap(page, '#page-drawer');
    await page.waitForFunction(() => document.querySelector('#lstShiki').getBoundingClientRect().left >= 0);
    const lines = await TouchTargets(page, '#lstShiki');
    assert.ok(lines.length > 10 && lines.every((t) => t.height >= 44 && t.right <= width));
    await Tap(page, '#lstShiki > div[data-row="3"]');
    await Idle(page);
    assert.equal(await page.evaluate(() => document.documentElement.classList.contains('drawer-open')), false, 'a choice closes it');

    // As wide as the screen allows, and drawn at that size: device pixels for every CSS pixel.
    const picture = await page.$eval('#imgCood', (canvas) => {
      const box = canvas.getBoundingClientRect();
      return { width: box.width, height: box.height, left: box.left, pixels: canvas.width };
    });
    assert.equal(Math.round(picture.width), layout.column.picture.width);
    assert.ok(picture.left >= 0 && picture.left + picture.width <= width);
    assert.ok(Math.abs(picture.pixels - 2 * picture.width) <= 2, `${picture.pixels} device pixels for ${picture.width} CSS pixels`);
    assert.deepEqual(page.quorbelErrors, []);
    await page.close();
  });
}

test('where the desktop window fits, it is laid out as before', async () => {
  const page = await OpenPage(browser, 1366, 768);
  const places = await page.evaluate(() => ['imgCood', 'btnDraw', 'lstShiki'].map((id) => {
    const box = document.getElementById(id).getBoundingClientRect();
    return [box.left, box.top, box.width, box.height];
  }));
  assert.equal(await page.evaluate(() => document.documentElement.classList.contains('narrow')), false);
  const ids = await page.$$eval('[id]', (elements) => elements.map((element) => element.id));
  assert.deepEqual(ids.filter((id, i) => ids.indexOf(id) !== i), [], 'one element per id');
  // Where the page put them before it had a narrow layout.
  assert.deepEqual(places[0], [(1366 - 369 - 513 >> 1) + 369, 65, 513, 640]);
  assert.deepEqual(places[1].slice(2), [73, 49]);
  assert.deepEqual(places[2], [16, 75, 353, 740 - 249 - 89 - 120]);
  await page.close();
});

test('on a phone a curve is named and saved by taps, every dialog button on the screen', async () => {
  const page = await OpenPage(browser, 390, 844, 2, true);
  await Tap(page, '#spdUserOpen');
  await Idle(page);
  await Tap(page, '#mnuFile');
  await Tap(page, '#mnuSave');
  await page.waitForSelector('.dialog #edtName');
  const inside = () => page.$$eval('.dialog button', (buttons) => buttons.map((button) => {
    const box = button.getBoundingClientRect();
    return [button.textContent, box.left >= 0 && box.top >= 0 && box.right <= innerWidth && box.bottom <= innerHeight];
  }));
  assert.deepEqual((await inside()).filter(([, shown]) => !shown), []);
  await page.$eval('.dialog #edtName', (input) => input.select());
  await page.keyboard.type('電話の曲線');
  await Tap(page, '.dialog #btnOk');
  const name = await page.waitForSelector('.dialog input.default');
  assert.deepEqual((await inside()).filter(([, shown]) => !shown), []);
  await name.evaluate((input) => { input.value = ''; });
  await name.type('phone.crv');
  await Tap(page, '.dialog .buttons button');
  await Idle(page);
  const listed = await page.$$eval('#lstShiki > div', (rows) => rows.map((row) => row.textContent));
  assert.ok(listed.some((line) => line.includes('電話の曲線')), listed.join(' | '));

  // The print preview: its page scrolls inside the dialog, its buttons are on the screen.
  await Tap(page, '#spdPrint');
  await page.waitForSelector('.dialog #btnPrint');
  await Idle(page);
  assert.deepEqual((await inside()).filter(([, shown]) => !shown), []);
  await Tap(page, '.dialog #btnClose');
  await Idle(page);
  assert.equal(await page.$('.dialog'), null);

  // 式を入力: its fields, keys and buttons on the screen; a tap on a key types into the field.
  await Tap(page, '#mnuFile');
  await Tap(page, '#mnuFormula');
  await page.waitForSelector('.dialog #edtFirst');
  await Idle(page);
  assert.deepEqual((await inside()).filter(([, shown]) => !shown), []);
  const fields = await page.$$eval('.dialog input:not([type="radio"])', (inputs) => inputs.filter((input) => input.offsetParent)
    .map((input) => { const box = input.getBoundingClientRect(); return box.right <= innerWidth && box.height >= 44; }));
  assert.ok(fields.length >= 4 && fields.every(Boolean), JSON.stringify(fields));
  await page.$eval('.dialog #edtRange', (input) => input.focus());
  await Tap(page, '.formula-keys button:nth-child(1)');  // π
  assert.equal(await page.$eval('.dialog #edtRange', (input) => input.value), 'π');
  await Tap(page, '.dialog #btnCancel');
  await Idle(page);
  assert.equal(await page.$('.dialog'), null);
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('a fresh STEP dialog steps with Space and Enter and stops with Escape', async () => {
  const page = await OpenPage(browser);
  await page.click('#btnStep');
  await Counted(page, '0 / 48 回');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'btnOk', 'the focus is on 次を表示');
  await page.keyboard.press(' ');
  await Counted(page, '1 / 48 回');
  await page.keyboard.press('Enter');
  await Counted(page, '2 / 48 回');
  await Idle(page);
  assert.equal(await Count(page), '2 / 48 回', 'one step a key');
  await page.keyboard.press('Escape');
  await Idle(page);
  assert.equal(await page.$('.dialog'), null);
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('a check box tapped or toggled by a key shows what its model holds, and the picture follows it', async () => {
  const page = await OpenPage(browser, 820, 1180, 1, true);
  const shown = () => page.$eval('#chkHojoEn input', (input) => input.checked);
  const held = () => page.evaluate(() => globalThis.quorbel.program.ControlState('frmMain', 'chkHojoEn').checked);
  const before = await held();
  await Tap(page, '#chkHojoEn');
  await Idle(page);
  await page.waitForFunction((b) => document.querySelector('#chkHojoEn input').checked !== b, {}, before);
  assert.deepEqual([await shown(), await held()], [!before, !before]);
  await page.click('#btnDraw');
  await Idle(page);
  const without = await PicturePixels(page);
  await page.focus('#chkHojoEn input');
  await page.keyboard.press(' ');
  await Idle(page);
  await page.waitForFunction((b) => document.querySelector('#chkHojoEn input').checked === b, {}, before);
  assert.deepEqual([await shown(), await held()], [before, before]);
  await page.click('#btnDraw');
  await Idle(page);
  assert.ok(EqualShare(await PicturePixels(page), without) < 1, '表示 draws the auxiliary lines again');
  await page.close();
});

test('a phone turned during a STEP display keeps it waiting; from the dialog its large view steps by taps', async () => {
  const page = await OpenPage(browser, 390, 844, 2, true);
  await Tap(page, '#btnStep');
  await Counted(page, '0 / 48 回');
  await Tap(page, '.dialog #btnOk');
  await Counted(page, '1 / 48 回');
  await Idle(page);
  const upright = await page.$eval('#imgCood', (canvas) => canvas.getBoundingClientRect().width);
  await page.setViewport({ width: 844, height: 390, deviceScaleFactor: 2, hasTouch: true, isLandscape: true });
  await page.waitForFunction((w) => Math.abs(document.querySelector('#imgCood').getBoundingClientRect().width - w) > 20,
                             { timeout: 5000 }, upright);
  await Idle(page);
  assert.equal(await Count(page), '1 / 48 回');
  const box = await page.$eval('.dialog', (dialog) => {
    const b = dialog.getBoundingClientRect();
    return [b.top >= 0, b.bottom <= innerHeight + 0.5, b.left >= 0, b.right <= innerWidth + 0.5];
  });
  assert.deepEqual(box, [true, true, true, true], 'the dialog is inside the turned screen');
  await Tap(page, '.dialog #btnOk');
  await Counted(page, '2 / 48 回');
  await Tap(page, '.dialog #page-showLarge');
  await page.waitForSelector('.large-view');
  await Idle(page);
  await Tap(page, '.large-view #btnNext');
  await Counted(page, '3 / 48 回');
  await Tap(page, '.large-view #btnBack');
  await Idle(page);
  assert.equal(await page.$('.large-view'), null);
  assert.equal(await Count(page), '3 / 48 回');
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});
