// Starts the system's browser headless for the page's tests and benchmarks (never a downloaded
// one), with a fresh profile each time, and opens the single-file page from file:// (or the page
// a server serves).
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

export const Root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const BuildWeb = process.env.QUORBEL_BUILD_WEB || path.join(Root, 'build-web');
export const PageUrl = pathToFileURL(path.join(BuildWeb, 'quorbel.html')).href;

// The engine is QUORBEL_BROWSER: chromium (the default) or firefox (Debian's firefox-esr, driven
// through WebDriver BiDi).
export const Engine = process.env.QUORBEL_BROWSER || 'chromium';

export async function StartBrowser(profile = null) {
  const folder = profile || mkdtempSync(path.join(tmpdir(), `quorbel-${Engine}-`));
  const browser = Engine === 'firefox'
    ? await puppeteer.launch({
      browser: 'firefox',
      executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
      headless: true,
      userDataDir: folder,
      extraPrefsFirefox: { 'dom.w3c_touch_events.enabled': 1, 'browser.shell.checkDefaultBrowser': false },
    })
    : await puppeteer.launch({
      executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
      headless: true,
      userDataDir: folder,
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
             '--disable-component-update', '--disable-sync'],
    });
  const close = async () => {
    await browser.close();
    if (!profile) rmSync(folder, { recursive: true, force: true });
  };
  return { browser, folder, close };
}

// Opens the page at a viewport size and device pixel ratio (on a touch screen when `touch`), and
// waits until the program waits for the user.
export async function OpenPage(browser, width = 1366, height = 768, ratio = 1, touch = false, url = PageUrl) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message.slice(0, 500)));
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text().slice(0, 500));
  });
  await page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch });
  await page.goto(url, { waitUntil: 'load' });
  try {
    await page.waitForFunction(() => globalThis.quorbel && !document.getElementById('app').classList.contains('starting'),
                               { timeout: 20000 });
  } catch (error) {
    throw new Error('the page did not start: ' + errors.join(' | ') + ' | ' +
                    await page.evaluate(() => document.body.innerText.slice(0, 600)));
  }
  await Idle(page);
  page.quorbelErrors = errors;
  return page;
}

// A tap on the element, brought into view first, as a finger gives it.
export async function Tap(page, selector) {
  const element = await page.waitForSelector(selector, { visible: true, timeout: 10000 });
  await element.tap();
  await element.dispose();
}

// Waits until the program has handled every queued action and waits for the user.
export function Idle(page) {
  return page.evaluate(() => globalThis.quorbel.binder.Idle());
}

// Posts a user action to a model, as the page's elements do, and waits until it is handled.
export async function Act(page, form, control, action, argument = '') {
  await page.evaluate((f, c, a, g) => globalThis.quorbel.binder.Post(f, c, a, g), form, control, action, argument);
}

// The picture's pixels as {width, height, rgba}.
export async function PicturePixels(page, form = 'frmMain', picture = 'imgCood') {
  const result = await page.evaluate((f, p) => {
    const { program: module } = globalThis.quorbel;
    const pixels = module.PicturePixels(f, p);
    const source = new Uint8Array(module.HEAPU8.buffer, pixels.pointer, pixels.width * pixels.height * 4);
    let text = '';
    for (let i = 0; i < source.length; i += 0x8000) text += String.fromCharCode(...source.subarray(i, i + 0x8000));
    return { width: pixels.width, height: pixels.height, data: btoa(text) };
  }, form, picture);
  const rgba = new Uint8Array(Buffer.from(result.data, 'base64'));
  for (let i = 3; i < rgba.length; i += 4) rgba[i] = 255;
  return { width: result.width, height: result.height, rgba };
}
