// What the browser tests share: a headless Chromium (Debian's, driven by puppeteer-core), the
// editor page opened from the server that tests/web/run starts, the ways a user works its
// controls, and the native `lobrix` command, which gives the expected values.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before } from 'node:test';
import puppeteer from 'puppeteer-core';

export const repoRoot = fileURLToPath(new URL('../..', import.meta.url));
export const baseUrl = process.env.LOBRIX_WEB_URL ?? 'http://127.0.0.1:8000/';
export const lobrixCli = process.env.LOBRIX_CLI ?? path.join(repoRoot, 'build/release/cli/lobrix');
export const testData = path.join(repoRoot, 'tests/data');

// The editor's dialog (357 x 278 dialog units) fits with room to spare.
export const viewport = { width: 900, height: 700, deviceScaleFactor: 1 };

export function launch() {
  return puppeteer.launch({
    executablePath: process.env.LOBRIX_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    // Root runs the tests here: Chromium's sandbox refuses root. A container's small /dev/shm
    // would make tabs crash.
    args: ['--no-sandbox', '--disable-dev-shm-usage', '--lang=en-US',
      '--font-render-hinting=none'],
  });
}

// Opens the editor with `query` (such as "?h=030EA10&v=100TA00") in a new tab of `target` (a
// browser context, or a browser: then in a context of its own, so that no page finds what
// another left in local storage) and waits for its first drawing: on a screen of `scale`
// device pixels to the CSS pixel, in a browser that asks for `language` (navigator.language,
// such as "cs-CZ"). page.errors collects what the page threw or logged as an error.
// A browser and an empty scratch folder for the tests of one file, made before them and closed
// and removed after them: `session.browser`, `session.folder`.
export function browserSession() {
  const session = {};
  before(async () => {
    session.browser = await launch();
    session.folder = mkdtempSync(path.join(os.tmpdir(), 'lobrix-web-'));
  });
  after(async () => {
    await session.browser?.close();
    rmSync(session.folder, { recursive: true, force: true });
  });
  return session;
}

export async function openEditor(target, query = '', { scale = 1, language } = {}) {
  const context = target.createBrowserContext ? await target.createBrowserContext() : target;
  const page = await context.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(String(error)));
  page.on('console', (message) => {
    // A failed load is reported with its address below.
    if (message.type() === 'error' && !message.text().startsWith('Failed to load resource')) {
      page.errors.push(message.text());
    }
  });
  page.on('response', (response) => {
    // The browser asks for /favicon.ico of its own accord; the page names no icon.
    if (response.status() >= 400 && !response.url().endsWith('/favicon.ico')) {
      page.errors.push(`${response.status()} ${response.url()}`);
    }
  });
  if (language) {
    await page.evaluateOnNewDocument((l) => {
      Object.defineProperty(navigator, 'language', { get: () => l });
      Object.defineProperty(navigator, 'languages', { get: () => [l] });
    }, language);
  }
  await page.setViewport({ ...viewport, deviceScaleFactor: scale });
  await page.goto(new URL(query, baseUrl).href, { waitUntil: 'load' });
  // A boolean: a promise returned here would be awaited.
  await page.waitForFunction(() => Boolean(window.lobrix?.ready), { timeout: 30000 });
  await page.evaluate(() => window.lobrix.ready);
  return page;
}

// The fields of state() that the tests compare.
export async function state(page) {
  const { hcode, vcode, azimax, elemax, gainDbd, page: shown } = await page.evaluate(() =>
    window.lobrix.state());
  return { hcode, vcode, azimax, elemax, gainDbd, page: shown };
}

export async function showPage(page, index) {
  await page.click(`#ctl-main-90-${index}`);
}

export const click = (page, id) => page.click(`#${id}`);

// Selects the whole text of the field and types `keys` into it key by key, as a user types
// over a value.
export async function typeOver(page, id, keys) {
  await page.focus(`#${id}`);
  await page.evaluate((i) => document.getElementById(i).select(), id);
  await page.keyboard.type(keys);
}

// Picks item `index` of a drop-down list, with the change event a real choice sends. A combo
// box's list is the element "<id>-list" beside its edit part.
export async function choose(page, id, index) {
  await page.evaluate(
    (i, n) => {
      const list = document.getElementById(`${i}-list`) ?? document.getElementById(i);
      list.selectedIndex = n;
      list.dispatchEvent(new Event('change', { bubbles: true }));
    },
    id,
    index,
  );
}

export const valueOf = (page, id) =>
  page.evaluate((i) => document.getElementById(i).value, id);

// A click in the page's graphic area at `angle` degrees (clockwise from up) and `fraction` of
// the frame's radius, the frame centred at (fx, fy) of the area with the radius fr of its
// height: the Windows UI tests' FramePoint on the canvas.
export async function clickFrame(page, fx, fy, fr, angle, fraction) {
  const box = await (await page.$('#page-canvas')).boundingBox();
  const radius = fr * box.height * fraction;
  const a = (angle * Math.PI) / 180;
  // Whole pixels of the area, rounded as FramePoint rounds them.
  await page.mouse.click(
    box.x + Math.round(fx * box.width + radius * Math.sin(a)),
    box.y + Math.round(fy * box.height - radius * Math.cos(a)),
  );
}

// The native command's standard output.
export function native(args, input) {
  return execFileSync(lobrixCli, args, { input, encoding: 'utf8' });
}

// `lobrix eval` over the calls, one number each.
export function nativeEval(calls) {
  const out = native(['eval'], calls.join('\n') + '\n').trim().split('\n');
  if (out.length !== calls.length) throw new Error(`lobrix eval gave ${out.length} lines`);
  return out.map(Number);
}

// Equal as single-precision values computed by the same code through two C libraries' maths.
export function close(actual, expected) {
  return (
    typeof actual === 'number' && Math.abs(actual - expected) <= 1e-6 + 1e-6 * Math.abs(expected)
  );
}
