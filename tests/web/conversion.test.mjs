// The conversion panel as the Windows conversion window's tests go through it: a file chosen in
// the file input, Conversion, then Results transfer into the editor. The measured test file
// must give the codes and directions of the native conversion (`lobrix convert --strict`, the
// conversion window's reading) and list the native best fits, and a file made from known codes
// through the native ANT93 must give those codes back, as the Windows test expects.
import assert from 'node:assert/strict';
import { writeFileSync } from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { browserSession, native, nativeEval, openEditor, state, testData } from './harness.mjs';

const measuredFile = path.join(testData, 'msi/80010465_0791_x_co.msi');

// C's remainder(x, 360): into -180 .. 180, a half turn rounded to the even multiple.
function remainder360(x) {
  const turns = x / 360;
  const n = Math.abs(turns % 1) === 0.5 ? 2 * Math.round(turns / 2) : Math.round(turns);
  return x - 360 * n;
}

// A Kathrein file whose planes are the codes' curves with their maxima at `azimuth` and `tilt`
// (attenuations in dB from ANT93, four decimals), as the Windows test writes it.
function msiText(hCode, azimuth, vCode, tilt) {
  const plane = (code, maximum) => {
    const angles = [...Array(360).keys()].map((i) => remainder360(i - maximum));
    const db = nativeEval(angles.map((a) => `ANT93 ${code} ${a} 2`));
    return db.map((value, i) => `${i} ${value.toFixed(4)}\r\n`).join('');
  };
  return (
    'NAME 742 215 test panel\r\nFREQUENCY 900 MHz\r\nGAIN 15.0 dBd\r\nTILT ELECTRICAL\r\n' +
    `COMMENT made by the test\r\nHORIZONTAL 360\r\n${plane(hCode, azimuth)}` +
    `VERTICAL 360\r\n${plane(vCode, tilt)}`
  );
}

const enabled = (page, id) =>
  page.evaluate((i) => !document.getElementById(i).disabled, id);

// Chooses the file in the panel's file input, converts it and waits for the result.
async function convert(page, file) {
  const input = await page.$('#pattern-file');
  await input.uploadFile(file);
  await page.waitForFunction(() => !document.getElementById('ctl-conv-4').disabled);
  const waitingTransfer = await enabled(page, 'ctl-conv-1');
  await page.click('#ctl-conv-4');
  await page.waitForFunction(() => !document.getElementById('ctl-conv-1').disabled, {
    timeout: 60000,
  });
  return { waitingTransfer, result: await page.evaluate(() => window.lobrix.lastConversion()) };
}

const rounded = (c) => c && { ...c, azimax: +c.azimax.toFixed(4), elemax: +c.elemax.toFixed(4) };

const session = browserSession();

test('the measured file and a file made from codes convert as on Windows', async () => {
  const [expected] = JSON.parse(
    native(['convert', '--strict', '--json', '--fit', 'all', measuredFile]));
  const made = path.join(session.folder, 'panel.msi');
  writeFileSync(made, msiText('030EA10', 45, '160VE00', 358));

  const page = await openEditor(session.browser, '?h=030EB00');
  assert.equal(await page.evaluate(() => window.lobrix.lastConversion()), null);
  await page.click('#ctl-main-5');
  const measured = await convert(page, measuredFile);
  assert.deepEqual(rounded(measured.result), {
    hcode: expected.horizontal, azimax: expected.azimax,
    vcode: expected.vertical, elemax: expected.elemax,
  });
  // The best fits of both planes under each criterion, listed under the pictures: the native
  // fits' codes and directions.
  const listing = (code, angle) => `${code} at\\s+${angle.toFixed(1).replace('.', '\\.')}°`;
  const fits = expected.fits.filter((f) => f.fit !== 'classic').flatMap((f) => [
    listing(f.horizontal.code, f.horizontal.azimax),
    listing(f.vertical.code, f.vertical.elemax),
  ]);
  const listed = await page.waitForFunction(
    (patterns) => {
      const text = document.getElementById('conversion-text').textContent;
      return patterns.every((p) => new RegExp(p).test(text)) || null;
    },
    { timeout: 30000 }, fits,
  ).catch(() => false);
  assert.ok(listed, `best fits listed: ${fits.join(', ')}; the panel shows ` +
    await page.evaluate(() => document.getElementById('conversion-text').textContent));
  const second = await convert(page, made);
  assert.equal(second.waitingTransfer, false, 'Results transfer waits for the new file');
  const codes = { hcode: '030EA10', azimax: 45, vcode: '160VE00', elemax: 2 };
  assert.deepEqual(rounded(second.result), codes);

  await page.click('#ctl-conv-1'); // Results transfer: the editor on the 3-D page
  const { gainDbd, ...editor } = await state(page);
  assert.deepEqual(rounded(editor), { ...codes, page: 3 });
  assert.deepEqual(page.errors, []);
});
