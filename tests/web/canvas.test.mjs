// Each page's canvas against the cairo picture of the same page (`lobrix render` at the
// canvas's pixel size), on the curves only: texts rasterise differently in the two, lines and
// curves must lie in the same places. For every curve colour, the share of the cairo picture's
// pixels of that colour that have a pixel of the same colour within 2 px on the canvas, and
// the other way round.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { browserSession, native, openEditor, showPage } from './harness.mjs';

const antennas = [
  { h: '030EA10', v: '100TA00', azi: 30, ele: -2.5 },
  // Lobes on one side only and a built-in downtilt: a mirrored or swapped angle shows.
  { h: '510VE00', v: '120PE05', azi: 300, ele: 5 },
];
// The views' curve and direction-line colours on each page (render/): the pattern curves,
// the vertical code's curve and its matched dots on the horizontal page, the cut curves and
// the dotted directions. Texts use others, but the edges of the headings' dark blue on the
// direction pages come near the vertical curve's blue, which those pages do not draw.
const red = [230, 0, 0], cutRed = [210, 0, 0], blue = [0, 0, 255];
const pages = [
  ['horizontal', [red, [60, 60, 170], blue]],
  ['vertical', [red, [0, 0, 150]]],
  ['direction', [red, cutRed, blue]],
  ['3d', [red, cutRed, [50, 50, 255], [0, 180, 0]]],
];
const minimumShare = 0.95;

// Runs in the page: the shares for the canvas against the picture (a PNG, base64).
async function curveShares(pngBase64, colours) {
  const canvas = document.getElementById('page-canvas');
  const { width, height } = canvas;
  const blob = await (await fetch(`data:image/png;base64,${pngBase64}`)).blob();
  const picture = await createImageBitmap(blob, {
    colorSpaceConversion: 'none', premultiplyAlpha: 'none',
  });
  if (picture.width !== width || picture.height !== height) {
    return { error: `picture ${picture.width}x${picture.height}, canvas ${width}x${height}` };
  }
  const pixels = (source) => {
    const surface = new OffscreenCanvas(width, height);
    const context = surface.getContext('2d');
    context.fillStyle = '#fff';
    context.fillRect(0, 0, width, height);
    context.drawImage(source, 0, 0);
    return context.getImageData(0, 0, width, height).data;
  };
  const cairo = pixels(picture);
  const live = pixels(canvas);
  const near = (data, i, [r, g, b]) =>
    Math.max(Math.abs(data[i] - r), Math.abs(data[i + 1] - g), Math.abs(data[i + 2] - b)) <= 24;
  const found = (data, x, y, colour) => {
    for (let dy = -2; dy <= 2; ++dy) {
      for (let dx = -2; dx <= 2; ++dx) {
        const px = x + dx, py = y + dy;
        if (px < 0 || py < 0 || px >= width || py >= height) continue;
        if (near(data, 4 * (py * width + px), colour)) return true;
      }
    }
    return false;
  };
  const share = (from, to) => {
    let count = 0, matched = 0;
    for (let y = 0; y < height; ++y) {
      for (let x = 0; x < width; ++x) {
        const colour = colours.find((c) => near(from, 4 * (y * width + x), c));
        if (!colour) continue;
        ++count;
        if (found(to, x, y, colour)) ++matched;
      }
    }
    return { count, share: count ? matched / count : 1 };
  };
  return { width, height, cairo: share(cairo, live), canvas: share(live, cairo) };
}

const session = browserSession();

test('every page canvas draws the curves where cairo draws them', async () => {
  const results = [];
  for (const a of antennas) {
    // Twice the screen's pixels: the cairo picture's default size.
    const query = `?h=${a.h}&v=${a.v}&azi=${a.azi}&ele=${a.ele}`;
    const page = await openEditor(session.browser, query, { scale: 2 });
    for (const [index, [name, colours]] of pages.entries()) {
      await showPage(page, index);
      const size = await page.evaluate(() => {
        const c = document.getElementById('page-canvas');
        return `${c.width}x${c.height}`;
      });
      const file = path.join(session.folder, `${name}.png`);
      native(['render', '--page', name, '--h', a.h, '--v', a.v, '--azimax', `${a.azi}`,
        '--elemax', `${a.ele}`, '--size', size, '-o', file]);
      const shares = await page.evaluate(curveShares, readFileSync(file, 'base64'), colours);
      results.push({ antenna: `${a.h} ${a.v} ${a.azi} ${a.ele}`, page: name, ...shares });
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  }
  for (const r of results) {
    console.log(`${r.antenna} ${r.page}: ${r.width}x${r.height}, cairo curve pixels found on ` +
      `the canvas ${(100 * r.cairo?.share).toFixed(1)} % of ${r.cairo?.count}, canvas in cairo ` +
      `${(100 * r.canvas?.share).toFixed(1)} % of ${r.canvas?.count}`);
  }
  const poor = results.filter(
    (r) => r.error || r.cairo.count < 100 || r.cairo.share < minimumShare ||
      r.canvas.share < minimumShare,
  );
  assert.deepEqual(poor, []);
});
