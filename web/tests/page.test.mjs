// The page in headless Chromium, driven as a user drives it: the start picture against the
// desktop's, a STEP display, saving and reloading, an interrupted save, importing files.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { StartBrowser, OpenPage, Act, Idle, PicturePixels, Root, BuildWeb, PageUrl, Engine } from './Browser.mjs';
import { ReadPng, EqualShare } from './png.mjs';

// The downloads are watched through Chromium's own protocol.
const Downloads = Engine === 'chromium' ? false : 'downloads are watched through Chromium\'s protocol';
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

test('curves saved in two tabs all stay, and each tab lists the other\'s the next time', async () => {
  const first = await OpenPage(browser);
  const second = await OpenPage(browser);
  // The user works in one tab at a time: the one in front.
  for (const page of [first, second]) {
    await page.bringToFront();
    await page.click('#spdUserOpen');
    await Idle(page);
  }
  await first.bringToFront();
  await SaveAs(first, '一つめのタブ', 'tab1.crv');
  await second.bringToFront();
  await SaveAs(second, '二つめのタブ', 'tab2.crv');
  const listed = async (page) => {
    await page.bringToFront();
    await page.click('#spdUserOpen');
    await Idle(page);
    const lines = await ListedCurves(page);
    return ['一つめのタブ', '二つめのタブ'].filter((name) => lines.some((line) => line.includes(name)));
  };
  assert.deepEqual(await listed(first), ['一つめのタブ', '二つめのタブ'], 'the first tab lists the second\'s curve');
  await second.bringToFront();
  await second.reload();
  await second.waitForFunction(() => globalThis.quorbel);
  await Idle(second);
  assert.deepEqual(await listed(second), ['一つめのタブ', '二つめのタブ'], 'both are stored');
  await first.close();
  await second.close();
});

test('a file name with a "/" is refused in the save dialog, not cut', async () => {
  const page = await OpenPage(browser);
  await page.click('#spdUserOpen');
  await Idle(page);
  await page.click('#mnuFile');
  await page.click('#mnuSave');
  await page.waitForSelector('.dialog #edtName');
  await page.type('.dialog #edtName', '斜線');
  await page.click('.dialog #btnOk');
  const name = await page.waitForSelector('.dialog.save-file input.default');
  await name.evaluate((input) => { input.value = ''; });
  await name.type('<b>x</b>.crv');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.querySelector('.dialog.save-file .note')?.textContent);
  assert.equal(await page.$eval('.dialog.save-file .note', (note) => note.textContent), 'ファイル名に「/」や「\\」は使えません');
  assert.equal(await page.$eval('.dialog.save-file input.default', (input) => input.value), '<b>x</b>.crv');
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
  assert.equal(await AnswerMessage(page), 'ﾌｧｲﾙ /quorbel/UsCurves/test1.crv は書き込みましたが、' +
    'ディスクに残ったことを確かめられませんでした（ディスクの読み書きに失敗しました）');
  await Idle(page);
  assert.equal((await page.evaluate(() => [...globalThis.quorbel.module.FS.readFile('/quorbel/UsCurves/test1.crv')])).join(','),
               before['test1.crv'], 'the folder the page lists is the stored one');
  await page.reload();
  await page.waitForFunction(() => globalThis.quorbel);
  await Idle(page);
  assert.deepEqual(await stored(), before);
  await page.close();
});

test('where the browser refuses storage, the page starts, says once that curves are not kept, and saves for the session', async () => {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    indexedDB.open = () => { throw new DOMException('The operation is insecure.', 'SecurityError'); };
  });
  await page.setViewport({ width: 1366, height: 768 });
  await page.goto(PageUrl, { waitUntil: 'load' });
  assert.match(await AnswerMessage(page), /このページを閉じるまでのあいだだけ残ります/);
  await page.waitForFunction(() => globalThis.quorbel);
  await Idle(page);
  await page.click('#spdUserOpen');
  await Idle(page);
  await SaveAs(page, '残らない曲線', 'session.crv');
  assert.ok((await ListedCurves(page)).some((line) => line.includes('残らない曲線')));
  await page.close();
});

// Drops files ([name, bytes]) on the window, as a user drags them there from a file manager.
function DropFiles(page, files) {
  return page.evaluate((list) => {
    const transfer = new DataTransfer();
    for (const [name, bytes] of list) transfer.items.add(new File([Uint8Array.from(bytes)], name));
    for (const type of ['dragover', 'drop']) {
      document.body.dispatchEvent(new DragEvent(type, { dataTransfer: transfer, bubbles: true, cancelable: true }));
    }
  }, files.map(([name, bytes]) => [name, [...bytes]]));
}

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
  const stored = async () => Buffer.from(await page.evaluate(() => [...globalThis.quorbel.module.FS.readFile('/quorbel/UsCurves/sakura.crv')]))
    .toString('base64');
  assert.equal(await stored(), good, 'imported byte for byte');
  // Another curve under the same name, dropped on the window, replaces it only when the user says
  // so; "." is no file's name.
  const other = readFileSync(path.join(Root, 'data/BtCurves/02-tsubaki.crv'));
  const again = DropFiles(page, [['sakura.crv', other], ['..', other]]);
  assert.equal(await AnswerMessage(page), '「..」は曲線のファイルとして取り込めません');
  await again;
  assert.equal(await AnswerMessage(page, 'いいえ(N)'), 'ﾌｧｲﾙ sakura.crv は既にあります。置き換えますか？');
  await Idle(page);
  assert.equal(await stored(), good, 'kept as it was');
  // A line that is no number is said once, not once for each reading of the file.
  const lines = Buffer.from(good, 'base64').toString('latin1').split('\r\n');
  lines[5] = 'x';
  const oneBad = DropFiles(page, [['bad-a.crv', Buffer.from(lines.join('\r\n'), 'latin1')]]);
  assert.match(await AnswerMessage(page), /UsCurves\/bad-a\.crv の「パラメータａ」: x/);
  await oneBad;
  await Idle(page);
  assert.equal(await page.$('.dialog .message'), null);
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

test('opening the ファイル menu never reads the clipboard; a refused paste says how to paste instead', async () => {
  const page = await OpenPage(browser);
  await page.evaluate(() => {
    globalThis.clipboardReads = 0;
    navigator.clipboard.read = async () => {
      ++globalThis.clipboardReads;
      throw new DOMException('denied', 'NotAllowedError');
    };
  });
  await page.click('#mnuFile');
  await Idle(page);
  assert.equal(await page.evaluate(() => globalThis.clipboardReads), 0);
  assert.equal(await page.$eval('#mnuPaste', (item) => item.disabled), false);
  await page.click('#mnuPaste');
  assert.match(await AnswerMessage(page), /Ctrl\+V/);
  assert.equal(await page.evaluate(() => globalThis.clipboardReads), 1);
  await page.close();
});

test('the help runs no script of its own, and its links still move within it', async () => {
  const page = await OpenPage(browser);
  await page.click('#mnuHelp');
  await page.click('#mnuShowHelp');
  await page.waitForSelector('.help iframe');
  await page.waitForFunction(() => document.querySelector('.help iframe').contentDocument?.querySelector('a[href="#224-8"]'));
  const ran = await page.evaluate(() => {
    const help = document.querySelector('.help iframe').contentDocument;
    const script = help.createElement('script');
    script.textContent = 'window.parent.helpScriptRan = true';
    help.body.append(script);
    return globalThis.helpScriptRan === true;
  });
  assert.equal(ran, false);
  const frame = page.frames().find((f) => f !== page.mainFrame());
  await frame.click('a[href="#224-8"]');
  await frame.waitForFunction(() => scrollY > 1000);
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

// Counts, in RGBA pixels, the aligned block × block squares that hold something other than the
// colour of the top-left pixel, and how many of those are not of one colour. A picture enlarged
// block times has none of the second kind.
function InkBlocks(rgba, width, height, block) {
  const pixels = new Uint32Array(rgba.buffer, rgba.byteOffset, width * height);
  const back = pixels[0];
  let inked = 0, mixed = 0;
  for (let top = 0; top + block <= height; top += block) {
    for (let left = 0; left + block <= width; left += block) {
      const first = pixels[top * width + left];
      let ink = false, uniform = true;
      for (let y = top; y < top + block; ++y) {
        for (let x = left; x < left + block; ++x) {
          ink ||= pixels[y * width + x] !== back;
          uniform &&= pixels[y * width + x] === first;
        }
      }
      if (ink) ++inked;
      if (ink && !uniform) ++mixed;
    }
  }
  return { inked, mixed };
}

async function CanvasPixels(page, selector) {
  const result = await page.$eval(selector, (canvas) => {
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
    return { width: canvas.width, height: canvas.height, cssWidth: canvas.getBoundingClientRect().width, data: btoa(text) };
  });
  return { ...result, rgba: new Uint8Array(Buffer.from(result.data, 'base64')) };
}

test('曲線の性質 beside the window follows the curve on the panel, and 閉じる closes it', async () => {
  const page = await OpenPage(browser);
  const window_ = '.dialog[data-form="frmProperties"]';
  const shown = async () => {
    await Idle(page);
    const { width, height, rgba } = await CanvasPixels(page, window_ + ' canvas');
    let ink = 0;
    for (let i = 0; i < rgba.length; i += 4) ink += rgba[i] < 128 && rgba[i + 1] < 128 && rgba[i + 2] < 128;
    return { width, height, ink };
  };
  await page.click('#lstShiki > div[data-row="17"]');  // an ellipse
  await page.click('#mnuShow');
  await page.click('#mnuProperties');
  await page.waitForSelector(window_ + ' canvas');
  const ellipse = await shown();
  // Ten pixels above and below, 32 a line: 種類, 方程式, 中心, the two axes, 焦点, 準線, 離心率.
  assert.equal(ellipse.width, 460);
  assert.equal(ellipse.height, 20 + 32 * 8);
  assert.ok(ellipse.ink > 1000, `${ellipse.ink} dark pixels of text`);
  await page.click('#lstShiki > div[data-row="2"]');  // a rose: no conic, two lines
  assert.equal((await shown()).height, 20 + 32 * 2);
  await page.click(window_ + ' #btnClose');
  await Idle(page);
  assert.equal(await page.$(window_), null);
  await page.close();
});

test('式を入力 reads each key, types from its own key row and from an input method, and draws the curve', async () => {
  const page = await OpenPage(browser);
  const dialog = '.dialog[data-form="frmFormula"]';
  await page.click('#mnuFile');
  await page.click('#mnuFormula');
  await page.waitForSelector(dialog + ' #edtFirst');
  await Idle(page);
  assert.notEqual(await page.$eval('#edtFirst', (input) => input.value), '', 'it opens on the start curve\'s formula');
  for (const [field, text] of [['#edtFirst', '3cos(t'], ['#edtSecond', '2sin t']]) {
    await page.click(field);
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    await page.keyboard.press('Backspace');
    await page.type(field, text);
  }
  await Idle(page);
  assert.equal(await page.$eval('#lblMessage', (label) => label.textContent), 'x の式の 7 文字目：「)」がありません');
  assert.equal(await page.$eval('#btnOk', (button) => button.disabled), true);
  await page.click('#edtFirst');
  await page.keyboard.press('End');
  await page.click('.formula-keys button:nth-child(6)');  // ")"
  await page.type('#edtRange', '0<=t<=');
  await page.click('.formula-keys button:nth-child(1)');  // "π"
  await Idle(page);
  assert.equal(await page.$eval('#edtFirst', (input) => input.value), '3cos(t)');
  assert.equal(await page.$eval('#lblMessage', (label) => label.textContent), '');
  // A name typed through an input method: the kana being composed are not the name yet (the
  // composition is Chromium's own protocol; elsewhere the name is typed).
  await page.click('#edtName');
  if (Engine === 'chromium') {
    const cdp = await page.createCDPSession();
    await cdp.send('Input.imeSetComposition', { text: 'しき', selectionStart: 2, selectionEnd: 2 });
    await Idle(page);
    assert.equal(await page.$eval('#edtName', (input) => input.value), 'しき');
    await cdp.send('Input.insertText', { text: '式の楕円' });
  } else {
    await page.keyboard.type('式の楕円');
  }
  await Idle(page);
  assert.equal(await page.$eval('#edtName', (input) => input.value), '式の楕円');
  await page.click('#btnOk');
  await Idle(page);
  assert.equal(await page.$(dialog), null);
  assert.match(await page.$eval('#lblSpec', (label) => label.textContent), /^式の楕円/);
  await page.close();
});

test('at device pixel ratio 2 the picture is drawn at twice the resolution, not enlarged', async () => {
  const page = await OpenPage(browser, 1366, 768, 2);
  const exact = await PicturePixels(page);
  const shown = await CanvasPixels(page, '#imgCood');
  assert.deepEqual([shown.width, shown.height, shown.cssWidth], [1026, 1280, 513]);
  const blocks = InkBlocks(shown.rgba, shown.width, shown.height, 2);
  assert.ok(blocks.mixed > 0.3 * blocks.inked, `${blocks.mixed} of ${blocks.inked} inked 2 × 2 blocks are mixed`);
  // The same picture: every ink pixel of the exact one has ink near its place at twice the scale.
  const ink = (rgba, width, x, y) => [0, 1, 2].some((c) => rgba[(y * width + x) * 4 + c] !== rgba[c]);
  let inkPixels = 0, found = 0;
  for (let y = 0; y < exact.height; ++y) {
    for (let x = 0; x < exact.width; ++x) {
      if (!ink(exact.rgba, exact.width, x, y)) continue;
      ++inkPixels;
      let near = false;
      for (let v = Math.max(0, 2 * y - 1); v <= Math.min(shown.height - 1, 2 * y + 2) && !near; ++v) {
        for (let u = Math.max(0, 2 * x - 1); u <= Math.min(shown.width - 1, 2 * x + 2) && !near; ++u) {
          near = ink(shown.rgba, shown.width, u, v);
        }
      }
      if (near) ++found;
    }
  }
  assert.ok(found > 0.99 * inkPixels, `${found} of ${inkPixels} ink pixels found at twice the scale`);
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('the print preview is drawn at the device pixel ratio, and the printed sheet at 300 dpi', async () => {
  const page = await OpenPage(browser, 1366, 768, 2);
  await page.click('#spdPrint');
  await page.waitForSelector('.dialog #btnPrint');
  await Idle(page);
  const preview = await CanvasPixels(page, '#frmPrint-imgCood');
  assert.deepEqual([preview.width, preview.height, preview.cssWidth], [1200, 1698, 600]);
  assert.ok(InkBlocks(preview.rgba, preview.width, preview.height, 2).mixed > 0);
  await page.evaluate(() => { window.print = () => {}; });
  await page.click('.dialog #btnPrint');
  await Idle(page);
  const printed = await page.$eval('#print-page img', (image, inkBlocks) => {
    const canvas = document.createElement('canvas');
    [canvas.width, canvas.height] = [image.naturalWidth, image.naturalHeight];
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
    const { mixed } = new Function(`return ${inkBlocks}`)()(data, canvas.width, canvas.height, 4);
    return [canvas.width, canvas.height, mixed];
  }, InkBlocks.toString());
  assert.deepEqual(printed.slice(0, 2), [2480, 3508]);
  assert.ok(printed[2] > 1000, `${printed[2]} mixed 4 × 4 blocks`);
  await page.close();
});

test('the file contents view shows each record line beside its label, empty lines included', async () => {
  const page = await OpenPage(browser);
  await page.click('#mnuShow');
  await page.click('#mnuShowFile');
  await page.waitForSelector('.dialog #lstBuffer > div');
  await Idle(page);
  const rows = await page.evaluate(() => {
    const values = document.querySelectorAll('#lstBuffer > div');
    return [...document.querySelectorAll('#lstContents > div')].slice(0, values.length)
      .map((label, i) => [label.textContent, values[i].textContent, label.offsetTop === values[i].offsetTop]);
  });
  assert.equal(rows.length, 25);
  assert.deepEqual(rows[2], ['極形式の式', '', true]);
  assert.deepEqual(rows.filter((row) => !row[2]), []);
  await page.close();
});

test('the picture shown large fills the screen\'s height, drawn at that size; Space goes on with a waiting STEP display, Esc returns', async () => {
  const page = await OpenPage(browser, 1366, 768, 2);
  const countText = () => page.$eval('.dialog #edtCount', (input) => input.value.trim());
  await page.keyboard.press('F11');
  await Idle(page);
  // 768 / 640 = 1.2 CSS pixels per picture pixel, at 2 device pixels each: the desktop's PNG at 2.4.
  const large = await CanvasPixels(page, '#frmLarge-imgCood');
  assert.deepEqual([large.width, large.height, large.cssWidth], [1232, 1536, 616]);
  const reference = path.join(scratch, 'large.png');
  execFileSync(Render, ['-C', path.join(Root, 'data'), '--scale', '2.4', '-o', reference]);
  const share = EqualShare(large, ReadPng(reference));
  assert.ok(share > 0.999, `${share} of the large picture is the desktop's drawn at 2.4`);
  await page.keyboard.press('Escape');
  await Idle(page);
  assert.equal(await page.$('.large-view'), null);

  await page.click('#btnStep');
  await page.waitForSelector('.dialog #edtCount');
  await page.click('.dialog #btnOk');
  await page.waitForFunction(() => document.querySelector('.dialog #edtCount')?.value.trim() === '1 / 48 回');
  await page.keyboard.press('F11');  // from the STEP dialog
  await Idle(page);
  const before = await CanvasPixels(page, '#frmLarge-imgCood');
  await page.keyboard.press(' ');
  await page.waitForFunction(() => document.querySelector('.dialog #edtCount')?.value.trim() === '2 / 48 回');
  await Idle(page);
  assert.equal(await countText(), '2 / 48 回', 'one step for one key');
  assert.ok(EqualShare(await CanvasPixels(page, '#frmLarge-imgCood'), before) < 1, 'the large picture follows the display');
  await page.keyboard.press('Escape');
  await Idle(page);
  await page.waitForFunction(() => !document.querySelector('.large-view'), { timeout: 5000 });
  assert.equal(await countText(), '2 / 48 回', 'Escape leaves the STEP display waiting');
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('画像として保存 downloads the picture: PNG at twice the size as the desktop writes it, SVG with the caption as text', { skip: Downloads }, async () => {
  const page = await OpenPage(browser);
  const downloads = mkdtempSync(path.join(tmpdir(), 'quorbel-downloads-'));
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  const Save = async (kind) => {
    await page.click('#mnuFile');
    await page.click('#mnuSaveImage');
    await page.waitForSelector('.dialog #download-kind');
    const kinds = await page.$$eval('#download-kind option', (options) => options.map((option) => option.textContent));
    await page.select('.dialog #download-kind', String(kind));
    await page.keyboard.press('Enter');
    await Idle(page);
    return kinds;
  };
  const Downloaded = async (name) => {
    for (let tries = 0; tries < 100 && !existsSync(path.join(downloads, name)); ++tries) await new Promise((r) => setTimeout(r, 50));
    return readFileSync(path.join(downloads, name));
  };
  try {
    // This build writes no PDF: it is not offered.
    assert.deepEqual(await Save(1), ['PNG 等倍 (*.png)', 'PNG 2倍 (*.png)', 'PNG 4倍 (*.png)', 'SVG (*.svg)',
                                     'アニメーション GIF (*.gif)']);
    const png = await Downloaded('バラ（ハイポトロコイド）.png');
    const reference = path.join(scratch, 'twice.png');
    execFileSync(Render, ['-C', path.join(Root, 'data'), '--scale', '2', '-o', reference]);
    const picture = ReadPng(png);
    assert.deepEqual([picture.width, picture.height], [1026, 1280]);
    assert.ok(png.equals(readFileSync(reference)), 'the bytes the desktop writes');
    await Save(3);
    const svg = (await Downloaded('バラ（ハイポトロコイド）.svg')).toString('utf8');
    const texts = [...svg.matchAll(/<text[^>]*>(.*?)<\/text>/g)].map((match) => match[1].replace(/<[^>]+>/g, ''));
    assert.ok(texts.includes('バラ（ハイポトロコイド）'), texts.slice(0, 3).join(' | '));
    assert.deepEqual(await page.evaluate(() => globalThis.quorbel.module.FS.readdir('/quorbel/ダウンロード')), ['.', '..']);
  } finally {
    rmSync(downloads, { recursive: true, force: true });
  }
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('変更をすぐに描く draws an arrow\'s change as 表示 does; the STEP dialog goes back a step and plays by itself', async () => {
  const page = await OpenPage(browser);
  await page.click('#mnuShow');
  await page.click('#mnuLive');
  await Idle(page);
  assert.equal(await page.$eval('#mnuLive', (item) => item.getAttribute('aria-checked')), 'true');
  const before = await PicturePixels(page);
  await page.click('#updA .arrows button');  // ▲
  await Idle(page);
  const live = await PicturePixels(page);
  assert.ok(EqualShare(live, before) < 1, 'drawn at once');
  await page.click('#btnDraw');
  await Idle(page);
  assert.equal(EqualShare(await PicturePixels(page), live), 1, 'what 表示 draws');

  const count = () => page.$eval('.dialog #edtCount', (input) => input.value.trim());
  const counted = (text) => page.waitForFunction((t) => document.querySelector('.dialog #edtCount')?.value.trim() === t, {}, text);
  await page.click('#btnStep');
  await counted('0 / 48 回');
  assert.equal(await page.$eval('.dialog #btnBack', (button) => button.disabled), true, 'nothing to go back to yet');
  await page.click('.dialog #btnOk');
  await counted('1 / 48 回');
  await page.click('.dialog #btnOk');
  await counted('2 / 48 回');
  await Idle(page);
  const second = await PicturePixels(page);
  assert.match(await page.$eval('.dialog #lblWhere', (label) => label.textContent), /^θ = π\/4 {4}\(x, y\) = \(/);
  await page.click('.dialog #btnOk');
  await counted('3 / 48 回');
  await page.click('.dialog #btnBack');
  await counted('2 / 48 回');
  await Idle(page);
  assert.equal(EqualShare(await PicturePixels(page), second), 1, '戻る gives the picture of the pause before, bit for bit');

  await page.select('.dialog #cmbSpeed', '0');  // 0.1秒
  await page.click('.dialog #btnAuto');
  assert.equal(await AnswerMessage(page), '表示終了', 'played to its end by itself');
  await Idle(page);
  assert.equal(EqualShare(await PicturePixels(page), live), 1, 'the same curve, whole');
  assert.equal(await count().catch(() => null), null, 'the dialog has closed');
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('動画 plays each value alone, and its cycle downloads as the GIF the desktop writes', { skip: Downloads }, async () => {
  const page = await OpenPage(browser);
  const downloads = mkdtempSync(path.join(tmpdir(), 'quorbel-downloads-'));
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  try {
    await page.click('#updRpEnd input', { clickCount: 3 });
    await page.keyboard.type('3');
    await page.click('#chkAnime input');
    await page.waitForFunction(() => document.querySelector('#chkAnime input').checked, { timeout: 2000 });  // as the model
    await page.click('#btnHanpuku');
    await Idle(page);
    assert.equal(await page.$eval('#btnHanpuku', (button) => button.textContent), '停止');
    await page.waitForFunction(() => document.querySelector('#updC input').value === '3', { timeout: 5000 });
    await page.waitForFunction(() => document.querySelector('#updC input').value === '1', { timeout: 5000 });
    await page.click('#btnHanpuku');
    await Idle(page);
    assert.equal(await page.$eval('#btnHanpuku', (button) => button.textContent), '反復');

    await page.click('#mnuFile');
    await page.click('#mnuSaveImage');
    await page.waitForSelector('.dialog #download-kind');
    await page.select('.dialog #download-kind', '4');
    await page.keyboard.press('Enter');
    await Idle(page);
    const name = path.join(downloads, 'バラ（ハイポトロコイド）.gif');
    for (let tries = 0; tries < 100 && !existsSync(name); ++tries) await new Promise((r) => setTimeout(r, 50));
    const reference = path.join(scratch, 'anime.gif');
    execFileSync(Render, ['-C', path.join(Root, 'data'), '--animate', '-o', reference, 'set:updRpEnd=3', 'set:chkAnime=1',
                          'press:btnHanpuku', 'wait:1000']);
    assert.ok(readFileSync(name).equals(readFileSync(reference)), 'the bytes the desktop writes for the cycle');
  } finally {
    rmSync(downloads, { recursive: true, force: true });
  }

  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('on a touch screen a tap on the large view goes on with a STEP display and a long press plays it', async () => {
  const page = await OpenPage(browser, 1366, 768, 1, true);
  await page.tap('#btnStep');
  await page.waitForSelector('.dialog #edtCount');
  await page.select('.dialog #cmbSpeed', '0');
  await page.keyboard.press('F11');
  await page.waitForSelector('.large-view');
  await Idle(page);
  await page.touchscreen.tap(683, 600);
  await page.waitForFunction(() => document.querySelector('.dialog #edtCount')?.value.trim() === '1 / 48 回');
  await page.touchscreen.touchStart(683, 600);
  await new Promise((resolve) => setTimeout(resolve, 900));
  await page.touchscreen.touchEnd();
  assert.equal(await AnswerMessage(page), '表示終了', 'the long press played the display to its end');
  assert.deepEqual(page.quorbelErrors, []);
  await page.close();
});

test('served by a web server, the page opens with the network cut, the user\'s curves included', async () => {
  const types = { html: 'text/html', js: 'text/javascript', css: 'text/css', json: 'application/json', wasm: 'application/wasm',
                  webmanifest: 'application/manifest+json', png: 'image/png' };
  const server = createServer((request, response) => {
    const file = path.join(BuildWeb, decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/\/$/, '/index.html'));
    if (!file.startsWith(BuildWeb) || !existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { 'content-type': types[path.extname(file).slice(1)] || 'application/octet-stream' });
    response.end(readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/`;
  const page = await OpenPage(browser, 1366, 768, 1, false, url);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 20000 });
  assert.equal(await page.$eval('link[rel="manifest"]', (link) => link.href), url + 'quorbel.webmanifest');
  await page.click('#spdUserOpen');
  await Idle(page);
  await SaveAs(page, 'ネットなしの曲線', 'offline.crv');

  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  await page.setOfflineMode(true);
  await page.reload();
  await page.waitForFunction(() => globalThis.quorbel && !document.getElementById('app').classList.contains('starting'));
  await Idle(page);
  await page.click('#spdUserOpen');
  await Idle(page);
  assert.ok((await ListedCurves(page)).some((line) => line.includes('ネットなしの曲線')));
  await page.close();
});
