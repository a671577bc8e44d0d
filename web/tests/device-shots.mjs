// Screenshots of the page on a tablet upright and a phone, by taps as a pupil gives them: the
// start picture, a STEP display, the naming dialog, the print preview, and the screen turned
// during a STEP display; with the time to the first picture at each size. The engine is
// QUORBEL_BROWSER, as for the tests. Usage: node device-shots.mjs OUTPUT-FOLDER
import { mkdirSync } from 'node:fs';
import path from 'node:path';
import { StartBrowser, OpenPage, Idle, Tap, Engine } from './Browser.mjs';

const folder = process.argv[2] || '/tmp/quorbel-device-shots';
mkdirSync(folder, { recursive: true });
const { browser, close } = await StartBrowser();
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
try {
  for (const [width, height] of [[1366, 768], [820, 1180], [390, 844]]) {
    const page = await OpenPage(browser, width, height, 1, width < 1000);
    const first = await page.evaluate(() => performance.getEntriesByName('quorbel-first-picture')[0]?.startTime);
    console.log(`${Engine} ${width}x${height}: first picture at ${Math.round(first)} ms`);
    const shot = (name) => page.screenshot({ path: path.join(folder, `${Engine}-${name}-${width}x${height}.png`) });
    await shot('start');
    if (width > 1000) {
      await page.close();
      continue;
    }
    await Tap(page, '#btnStep');
    await Tap(page, '.dialog #btnOk');
    await Tap(page, '.dialog #btnOk');
    await Idle(page);
    await pause(200);
    await shot('step');
    await page.setViewport({ width: height, height: width, deviceScaleFactor: 1, hasTouch: true, isLandscape: true });
    await pause(600);
    await Idle(page);
    await shot('step-turned');
    await page.setViewport({ width, height, deviceScaleFactor: 1, hasTouch: true });
    await pause(600);
    await Tap(page, '.dialog #btnCancel');
    await Idle(page);
    await Tap(page, '#mnuFile');
    await Tap(page, '#mnuSave');
    await page.waitForSelector('.dialog #edtName');
    await pause(200);
    await shot('naming');
    await Tap(page, '.dialog #btnCancel');
    await Idle(page);
    await Tap(page, '#spdPrint');
    await page.waitForSelector('.dialog #btnPrint');
    await Idle(page);
    await pause(300);
    await shot('print-preview');
    await Tap(page, '.dialog #btnClose');
    await Idle(page);
    await Tap(page, '#page-drawer');
    await pause(400);
    await shot('drawer');
    if (page.quorbelErrors.length) console.log('errors', page.quorbelErrors);
    await page.close();
  }
} finally {
  await close();
}
