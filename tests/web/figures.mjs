// Prints the web editor's figures: the size of lobrix.wasm, the time from navigation to the
// first complete drawing, a page switch to its redraw, and the conversion of the measured test
// file in the browser. Timed in the page with performance.now(); medians of repeated runs.
// Figures only: nothing here passes or fails on a time.
import { statSync } from 'node:fs';
import path from 'node:path';
import { launch, openEditor, repoRoot, testData } from './harness.mjs';

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = (value) => `${value.toFixed(1)} ms`;

const wasm = statSync(path.join(repoRoot, 'build/web/lobrix.wasm')).size;
console.log(`web figures: lobrix.wasm ${(wasm / 1048576).toFixed(2)} MiB (${wasm} bytes; ` +
  'target 2 MB)');

const browser = await launch();
try {
  const query = '?h=030EA10&v=100TA00&azi=30&ele=-2.5';
  // Page load to the first drawing, each load in a fresh context (nothing cached).
  const loads = [];
  for (let i = 0; i < 5; ++i) {
    const context = await browser.createBrowserContext();
    const page = await openEditor(context, query);
    loads.push((await page.evaluate(() => window.lobrix.timings())).firstDrawMs);
    await context.close();
  }
  console.log(`web figures: page load to first drawing ${ms(median(loads))} (median of 5 ` +
    `fresh loads: ${loads.map((t) => t.toFixed(0)).join(', ')})`);

  // A tab click to the end of the page's redraw, 20 times round the four pages.
  const page = await openEditor(browser, query);
  const switches = await page.evaluate(async () => {
    const runs = [];
    for (let i = 1; i <= 20; ++i) {
      const tab = document.getElementById(`ctl-main-90-${i % 4}`);
      const start = performance.now();
      tab.click();
      const handled = performance.now() - start;
      await new Promise((resolve) => requestAnimationFrame(resolve));
      runs.push({ handled, redraw: window.lobrix.timings().lastRedrawMs });
    }
    return runs;
  });
  console.log(`web figures: page switch: the click handled in ` +
    `${ms(median(switches.map((s) => s.handled)))}, the page's redraw ` +
    `${ms(median(switches.map((s) => s.redraw)))} (medians of 20; target 16 ms)`);

  // The measured file converted in the conversion panel: Conversion to Results transfer enabled.
  await page.click('#ctl-main-5');
  const input = await page.$('#pattern-file');
  await input.uploadFile(path.join(testData, 'msi/80010465_0791_x_co.msi'));
  await page.waitForFunction(() => !document.getElementById('ctl-conv-4').disabled);
  const start = await page.evaluate(() => {
    const t = performance.now();
    document.getElementById('ctl-conv-4').click();
    return t;
  });
  await page.waitForFunction(() => !document.getElementById('ctl-conv-1').disabled,
    { polling: 1, timeout: 120000 });
  const end = await page.evaluate(() => performance.now());
  const { lastBestFitsMs } = await page.evaluate(() => window.lobrix.timings());
  console.log(`web figures: the measured file (80010465_0791_x_co.msi) converted in the ` +
    `browser: Conversion to its result ${ms(end - start)}, of which the best fits ` +
    `${typeof lastBestFitsMs === 'number' ? ms(lastBestFitsMs) : '(not reported)'}`);
} finally {
  await browser.close();
}
