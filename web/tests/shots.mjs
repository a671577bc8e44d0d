// Takes the screenshots of the page that a reviewer looks at: the start picture, a STEP display,
// a split display and the print preview at a desktop and a tablet size, at device pixel ratios 1
// and 2; the picture shown large on a projector's 1920 × 1080 and a HiDPI laptop, also during a
// STEP display; then a curve saved and listed again after a reload, an imported curve file, the
// save dialog of 画像として保存, and the printed page as PDF; the displays in motion (the playing
// STEP dialog, a 動画 repeat of the eccentricity of kind 17), and the GIF of that repeat, made by
// the desktop's driver, opened by the browser and placed on a slide. Usage:
// node shots.mjs OUTPUT-FOLDER
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import path from 'node:path';
import { StartBrowser, OpenPage, Act, Idle, Root } from './Browser.mjs';

const folder = process.argv[2] || '/tmp/quorbel-shots';
mkdirSync(folder, { recursive: true });
const { browser, close } = await StartBrowser();
try {
  // A desktop and a tablet size, each also at device pixel ratio 2 (a HiDPI screen, an iPad).
  for (const [width, height, ratio] of [[1366, 768, 1], [1024, 768, 1], [1366, 768, 2], [1024, 768, 2]]) {
    const page = await OpenPage(browser, width, height, ratio);
    const size = `${width}x${height}` + (ratio === 1 ? '' : `@${ratio}x`);
    const shot = (name) => page.screenshot({ path: path.join(folder, `${name}-${size}.png`) });
    await shot('start');
    await page.click('#btnStep');
    await page.waitForSelector('.dialog');
    await page.click('.dialog #btnOk');
    await new Promise((r) => setTimeout(r, 300));
    await shot('step');
    await page.click('.dialog #btnCancel');
    await Idle(page);
    await page.click('#btnDev');
    await Idle(page);
    await shot('split');
    await page.click('#spdPrint');
    await page.waitForSelector('.dialog');
    await Idle(page);
    await shot('print-preview');
    await Act(page, 'frmPrint', 'btnClose', 'click');
    await Idle(page);
    if (page.quorbelErrors.length) console.log('errors', page.quorbelErrors);
    await page.close();
  }

  // The picture shown large (F11), then during a STEP display two steps on (Space).
  for (const [width, height, ratio] of [[1920, 1080, 1], [1366, 768, 2]]) {
    const page = await OpenPage(browser, width, height, ratio);
    const size = `${width}x${height}` + (ratio === 1 ? '' : `@${ratio}x`);
    await page.keyboard.press('F11');
    await Idle(page);
    await page.screenshot({ path: path.join(folder, `large-${size}.png`) });
    await page.keyboard.press('Escape');
    await Idle(page);
    await page.click('#btnStep');
    await page.waitForSelector('.dialog #btnOk');
    await page.keyboard.press('F11');
    await Idle(page);
    for (let step = 0; step < 8; ++step) {
      await page.keyboard.press(' ');
      await new Promise((r) => setTimeout(r, 150));
    }
    await Idle(page);
    await page.screenshot({ path: path.join(folder, `large-step-${size}.png`) });
    if (page.quorbelErrors.length) console.log('errors', page.quorbelErrors);
    await page.close();
  }

  // A curve saved under a name, the page loaded again, the user's collection opened.
  const page = await OpenPage(browser, 1366, 768);
  await page.click('#spdUserOpen');
  await Idle(page);
  await page.click('#mnuFile');
  await page.click('#mnuSave');
  await page.waitForSelector('.dialog #edtName');
  await page.click('.dialog #edtName', { clickCount: 3 });
  await page.keyboard.press('Backspace');
  await page.type('.dialog #edtName', 'わたしのバラ曲線');
  await page.screenshot({ path: path.join(folder, 'save-naming-1366x768.png') });
  await page.click('.dialog #btnOk');
  await page.waitForSelector('.dialog input.default');
  await page.keyboard.type('rose.crv');
  await page.keyboard.press('Enter');
  await Idle(page);
  await page.reload();
  await page.waitForFunction(() => globalThis.quorbel);
  await Idle(page);
  await page.click('#spdUserOpen');
  await Idle(page);
  await page.screenshot({ path: path.join(folder, 'saved-after-reload-1366x768.png') });

  // A curve file imported (as a drop or the file picker hands it over).
  const crv = readFileSync(path.join(Root, 'data/BtCurves/15-uzu.crv')).toString('base64');
  await page.evaluate(async (text) => {
    const { ImportFiles } = await import('quorbel/Files.js');
    const file = new File([Uint8Array.from(atob(text), (c) => c.charCodeAt(0))], 'uzu-from-usb.crv');
    await ImportFiles(globalThis.quorbel.module.FS, globalThis.quorbel.binder, [file]);
  }, crv);
  await Idle(page);
  const row = await page.evaluate(() => [...document.querySelectorAll('#lstShiki > div')].length - 1);
  await page.click(`#lstShiki > div[data-row="${row}"]`);
  await Idle(page);
  await page.screenshot({ path: path.join(folder, 'imported-1366x768.png') });

  // 画像として保存: the kinds of file, and the name proposed.
  await page.click('#mnuFile');
  await page.click('#mnuSaveImage');
  await page.waitForSelector('.dialog #download-kind');
  await page.screenshot({ path: path.join(folder, 'save-image-1366x768.png') });
  await page.keyboard.press('Escape');
  await Idle(page);

  // The print preview printed: 印刷開始 hands the page to the browser's print, here as PDF.
  await page.click('#spdPrint');
  await page.waitForSelector('.dialog #btnPrint');
  await Idle(page);
  // Headless Chromium has no print dialog: window.print is noted, and the page printed as the
  // dialog's "save as PDF" would print it.
  await page.evaluate(() => { window.print = () => { globalThis.printed = (globalThis.printed || 0) + 1; }; });
  await page.click('.dialog #btnPrint');
  await Idle(page);
  console.log('window.print called', await page.evaluate(() => globalThis.printed), 'time(s)');
  writeFileSync(path.join(folder, 'printed.pdf'), await page.pdf({ preferCSSPageSize: true, printBackground: true }));
  await page.close();

  // In motion: the STEP dialog a few steps into 自動, with the rolling circle at the current
  // position only; the 動画 repeat of the eccentricity (kind 17, e = a/4 for a = 1 to 5).
  const motion = await OpenPage(browser, 1366, 768);
  await motion.click('#chkHojoEn input');
  await motion.click('#btnStep');
  await motion.waitForSelector('.dialog #chkCurrentOnly');
  await motion.click('.dialog #chkCurrentOnly input');
  await motion.select('.dialog #cmbSpeed', '1');
  await motion.click('.dialog #btnAuto');
  await new Promise((r) => setTimeout(r, 1300));
  await motion.screenshot({ path: path.join(folder, 'step-playing-1366x768.png') });
  await motion.click('.dialog #btnCancel');
  await Idle(motion);
  await motion.click('#lstShiki > div[data-row="18"]');
  await Idle(motion);
  await motion.click('#chkAnime input');
  await motion.click('#btnHanpuku');
  await motion.waitForFunction(() => document.querySelector('#updA input').value === '4', { timeout: 5000 });
  await motion.screenshot({ path: path.join(folder, 'anime-eccentricity-1366x768.png') });
  await motion.click('#btnHanpuku');
  await Idle(motion);
  await motion.close();

  const render = process.env.QUORBEL_RENDER || path.join(Root, 'build/src/quorbel-render');
  const gif = path.join(folder, 'eccentricity.gif');
  execFileSync(render, ['-C', path.join(Root, 'data'), '--animate', '-o', gif, 'set:chkAnime=1', 'choose:18',
                        'wait:2000']);
  const slide = await browser.newPage();
  await slide.setViewport({ width: 1280, height: 720 });
  await slide.goto(pathToFileURL(gif).href);
  await slide.screenshot({ path: path.join(folder, 'gif-in-browser.png') });
  const slideFile = path.join(folder, 'slide.html');
  writeFileSync(slideFile, `<!doctype html><meta charset="utf-8"><title>離心率</title>
<body style="margin:0;width:1280px;height:720px;background:#fff;font-family:IPAPGothic,sans-serif;display:flex;align-items:center">
<div style="flex:1;padding:0 56px"><h1 style="font-size:44px;margin:0 0 24px">離心率 e と2次曲線</h1>
<p style="font-size:28px;line-height:1.6">r = c / (1 + e cos θ)<br>e &lt; 1 楕円<br>e = 1 放物線<br>e &gt; 1 双曲線</p></div>
<img src="eccentricity.gif" style="height:640px;margin-right:40px;border:1px solid #999"></body>`);
  for (const at of [200, 1200]) {
    await slide.goto(pathToFileURL(slideFile).href);
    await new Promise((r) => setTimeout(r, at));
    await slide.screenshot({ path: path.join(folder, `slide-at-${at}ms.png`) });
  }
  await slide.close();
} finally {
  await close();
}
