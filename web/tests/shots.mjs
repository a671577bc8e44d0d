// Takes the screenshots of the page that a reviewer looks at: the start picture, a STEP display,
// a split display and the print preview, at a desktop and a tablet size. Usage:
// node shots.mjs OUTPUT-FOLDER
import { mkdirSync } from 'node:fs';
import path from 'node:path';
import { StartBrowser, OpenPage, Act, Idle } from './Browser.mjs';

const folder = process.argv[2] || '/tmp/quorbel-shots';
mkdirSync(folder, { recursive: true });
const { browser, close } = await StartBrowser();
try {
  for (const [width, height] of [[1366, 768], [1024, 768]]) {
    const page = await OpenPage(browser, width, height);
    const shot = (name) => page.screenshot({ path: path.join(folder, `${name}-${width}x${height}.png`) });
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
} finally {
  await close();
}
