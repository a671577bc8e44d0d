// The page in headless Chromium, driven as a user drives it: the start picture against the
// desktop's, a STEP display, saving and reloading, an interrupted save, importing files.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { StartBrowser, OpenPage, Act, Idle, PicturePixels, Root } from './Browser.mjs';
import { ReadPng, EqualShare } from './png.mjs';

const Render = process.env.QUORBEL_RENDER || path.join(Root, 'build/src/quorbel-render');
let browser, close, scratch;

before(async () => {
  scratch = mkdtempSync(path.join(tmpdir(), 'quorbel-page-'));
  ({ browser, close } = await StartBrowser());
});
after(async () => {
  await close();
  rmSync(scratch, { recursive: true, force: true });
});

// Waits for a message box, answers it with its button captioned `answer` (the first when none is
// given), and returns its text.
async function AnswerMessage(page, answer = null) {
  const box = await page.waitForSelector('.dialog .message', { timeout: 10000 });
  const text = await box.evaluate((element) => element.textContent);
  await page.evaluate((caption) => {
    const buttons = [...document.querySelectorAll('.dialog .buttons button')];
    (buttons.find((b) => b.textContent === caption) || buttons[0]).click();
  }, answer);
  return text;
}

async function ListedCurves(page) {
  return page.$$eval('#lstShiki > div', (rows) => rows.map((row) => row.textContent));
}

async function SaveAs(page, nickname, fileName) {
  await page.click('#mnuFile');
  await page.click('#mnuSave');
  await page.waitForSelector('.dialog #edtName');
  await page.click('.dialog #edtName', { clickCount: 3 });
  await page.keyboard.press('Backspace');
  await page.type('.dialog #edtName', nickname);
  await page.click('.dialog #btnOk');
  const name = await page.waitForSelector('.dialog input.default');
  await name.evaluate((input) => { input.value = ''; });
  await name.type(fileName);
  await page.keyboard.press('Enter');
  await Idle(page);
}

test('the start picture is the desktop\'s, pixel for pixel', async () => {
  const reference = path.join(scratch, 'first.png');
  execFileSync(Render, ['-C', path.join(Root, 'data'), '-o', reference]);
  const page = await OpenPage(browser);
  const picture = await PicturePixels(page);
  assert.equal(EqualShare(picture, ReadPng(reference)), 1);
  // And the canvas on the page shows those pixels.
  const shown = await page.$eval('#imgCood', (canvas) => {
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    return [canvas.width, canvas.height, data[(600 * canvas.width + 140) * 4], data[(100 * canvas.width + 260) * 4 + 1]];
  });
  const at = (x, y, c) => picture.rgba[(y * picture.width + x) * 4 + c];
  assert.deepEqual(shown, [513, 640, at(140, 600, 0), at(260, 100, 1)]);
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('a STEP display pauses in its dialog, and すべて表示 draws what 表示 draws', async () => {
  const page = await OpenPage(browser);
  await page.click('#btnDraw');
  await Idle(page);
  const drawn = await PicturePixels(page);
  await page.click('#btnStep');
  const count = await page.waitForSelector('.dialog #edtCount');
  assert.equal((await count.evaluate((input) => input.value)).trim(), '0 / 48 回');
  await page.click('.dialog #btnOk');
  await page.waitForFunction(() => document.querySelector('.dialog #edtCount')?.value.trim() === '1 / 48 回');
  const paused = await PicturePixels(page);
  assert.ok(EqualShare(paused, drawn) < 1, 'a paused display shows only part of the curve');
  await page.click('.dialog #btnAll');
  await Idle(page);
  assert.equal(await page.$('.dialog'), null);
  assert.equal(EqualShare(await PicturePixels(page), drawn), 1);
  await page.close();
});

test('a curve saved under a name is still listed after the page is loaded again', async () => {
  const page = await OpenPage(browser);
  await page.click('#spdUserOpen');
  await Idle(page);
  await SaveAs(page, 'テスト曲線', 'test1.crv');
  assert.ok((await ListedCurves(page)).some((line) => line.includes('テスト曲線')));
  await page.reload();
  await page.waitForFunction(() => globalThis.quorbel);
  await Idle(page);
  await page.click('#spdUserOpen');
  await Idle(page);
  assert.ok((await ListedCurves(page)).some((line) => line.includes('テスト曲線')));
  await page.close();
});

test('a save whose storing fails leaves the stored curve as it was', async () => {
  const page = await OpenPage(browser);
  await page.click('#spdUserOpen');
  await Idle(page);
  const stored = () => page.evaluate(async () =>
    Object.fromEntries((await globalThis.quorbel.storage.Load()).map(([name, bytes]) => [name, [...bytes].join(',')])));
  const before = await stored();
  assert.ok(before['test1.crv'], 'the curve of the previous test is stored');
  const row = (await ListedCurves(page)).findIndex((line) => line.includes('テスト曲線'));
  await page.click(`#lstShiki > div[data-row="${row}"]`);
  await Idle(page);
  await page.click('#updA', { clickCount: 3 });
  await page.keyboard.type('7');
  await page.click('#btnDraw');
  await Idle(page);
  // The browser refuses the write half-way through the transaction.
  await page.evaluate(() => {
    let puts = 0;
    const put = IDBObjectStore.prototype.put;
    IDBObjectStore.prototype.put = function (...args) {
      if (++puts > 0) throw new DOMException('quota', 'QuotaExceededError');
      return put.apply(this, args);
    };
  });
  await page.click('#spdOverWrite');
  assert.equal(await AnswerMessage(page), 'ﾌｧｲﾙ /quorbel/UsCurves/test1.crv を作成できません');
  await Idle(page);
  await page.reload();
  await page.waitForFunction(() => globalThis.quorbel);
  await Idle(page);
  assert.deepEqual(await stored(), before);
  await page.close();
});

test('imported curve files are checked as a folder\'s are, and the good ones are kept', async () => {
  const page = await OpenPage(browser);
  const good = readFileSync(path.join(Root, 'data/BtCurves/03-sakura.crv')).toString('base64');
  const bad = readFileSync(path.join(Root, 'tests/data/bad-input/24-lines.crv')).toString('base64');
  await page.evaluate(async (goodText, badText) => {
    const { ImportFiles } = await import('quorbel/Files.js');
    const file = (name, text) => new File([Uint8Array.from(atob(text), (c) => c.charCodeAt(0))], name);
    await ImportFiles(globalThis.quorbel.module.FS, globalThis.quorbel.binder,
                      [file('sakura.crv', goodText), file('24-lines.crv', badText)]);
  }, good, bad);
  assert.equal(await AnswerMessage(page), '/quorbel/取り込み/24-lines.crv：フォーマットが違います');
  await Idle(page);
  const listed = await ListedCurves(page);
  assert.equal(listed[0], '==========　 あなたの曲線　 　==========');
  const names = await page.evaluate(() => globalThis.quorbel.storage.Load().then((files) => files.map(([name]) => name)));
  assert.ok(names.includes('sakura.crv') && !names.includes('24-lines.crv'), names.join(' '));
  assert.equal(Buffer.from(await page.evaluate(() => [...globalThis.quorbel.module.FS.readFile('/quorbel/UsCurves/sakura.crv')]))
    .toString('base64'), good, 'imported byte for byte');
  await page.close();
});

test('a picture copied to the clipboard pastes back as it was', async () => {
  const page = await OpenPage(browser);
  const copied = await PicturePixels(page);
  await page.click('#mnuFile');
  await page.click('#mnuClipBoard');
  await Idle(page);
  await page.click('#lstShiki > div[data-row="2"]');
  await Idle(page);
  assert.ok(EqualShare(await PicturePixels(page), copied) < 1);
  await page.click('#mnuFile');
  await Idle(page);
  assert.equal(await page.$eval('#mnuPaste', (item) => item.disabled), false);
  await page.click('#mnuPaste');
  await Idle(page);
  assert.equal(EqualShare(await PicturePixels(page), copied), 1);
  await page.close();
});

test('an internal error in a user action becomes a message, and the page goes on', async () => {
  const page = await OpenPage(browser);
  const before = await PicturePixels(page);
  // The next plot fails as it starts, with its running count and busy cursor already taken.
  await Act(page, '', '', 'test-fail', '内部エラーの試験');
  await page.click('#lstShiki > div[data-row="2"]');
  assert.equal(await AnswerMessage(page), '内部エラーの試験');
  await Idle(page);
  // The next curve draws as usual: the failed plot no longer counts as running.
  await page.click('#lstShiki > div[data-row="3"]');
  await Idle(page);
  assert.ok(EqualShare(await PicturePixels(page), before) < 0.99, 'the chosen curve is drawn');
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});
