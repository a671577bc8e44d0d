import { StartBrowser, PageUrl } from './Browser.mjs';
const { browser, close } = await StartBrowser();
try {
  const page = await browser.newPage();
  page.on('console', (m) => console.log('console:', m.text().slice(0, 300)));
  await page.goto(PageUrl, { waitUntil: 'load' });
  await new Promise((r) => setTimeout(r, 3000));
  console.log(await page.evaluate(() => {
    const m = globalThis.quorbelDebug;
    return typeof CreateQuorbel;
  }));
} finally { await close(); }
