// window.lobrix against the native library: the same codes, angles and directions through the
// page's script interface and through `lobrix eval` / `lobrix check` / `lobrix gain`.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { close, launch, native, nativeEval, openEditor } from './harness.mjs';

const codes = [
  '000ND00', '030EA10', '065EA00', '030EB00', '096EC10', '020DE05', '060LA00', '050KA10',
  '050CA00', '050CB05', '050CC00', '100TA00', '890TA00', '120PA05', '120PE05', '510VE00',
  '020WA35', '015WB35',
];
const angles = [0, 10, 30, -45, 65, 90, 135, 180, 270.5, 359.9];
// hcode, vcode, az, el, azimax, elemax
const directions = [
  ['030EA10', '100TA00', 10, 0, 0, -5],
  ['030EA10', '100TA00', 45, -2.5, 30, -2.5],
  ['065EA00', '120PA05', 200, 10, 300, 0],
  ['510VE00', '120PE05', -355.65, -30, 4.35, 3],
  ['050CB05', '020WA35', 123.4, 60, 0, -12.5],
  ['000ND00', '030EB00', 0, 89, 0, 90],
];
const checked = [
  '030EA10', '120PZ05', '510VE00', '066EA00', '000ND01', 'ab', '', '030XX10', '120PA5',
  '891TA00', '030ea10',
];
const pairs = [
  ['030EA10', '100TA00'], ['065EA00', '000ND00'], ['510VE00', '120PA05'], ['050CC00', '020WA35'],
];

let browser, page;
before(async () => {
  browser = await launch();
  page = await openEditor(browser);
});
after(() => browser?.close());

test('attenuation in dB and as field equals ANT93 on every code and angle', async () => {
  const rows = codes.flatMap((code) =>
    angles.flatMap((angle) => [
      { code, angle, unit: 'db', mode: 2 },
      { code, angle, unit: 'field', mode: 0 },
    ]),
  );
  const expected = nativeEval(rows.map((r) => `ANT93 ${r.code} ${r.angle} ${r.mode}`));
  const actual = await page.evaluate(
    (list) => list.map((r) => window.lobrix.attenuation(r.code, r.angle, r.unit)),
    rows,
  );
  const wrong = rows
    .map((r, i) => ({ ...r, browser: actual[i], native: expected[i] }))
    .filter((r) => !close(r.browser, r.native));
  assert.deepEqual(wrong, []);
  const byDefault = await page.evaluate(() => window.lobrix.attenuation('030EA10', 30));
  assert.ok(close(byDefault, nativeEval(['ANT93 030EA10 30 2'])[0]), 'dB is the default unit');
});

test('attenuation3d equals ANT3D in every direction of the table', async () => {
  const rows = directions.flatMap((d) => [
    { d, unit: 'db', mode: 2 },
    { d, unit: 'field', mode: 0 },
  ]);
  const expected = nativeEval(
    rows.map(({ d: [h, v, az, el, azimax, elemax], mode }) =>
      `ANT3D ${h} ${az} ${azimax} ${v} ${el} ${elemax} ${mode}`),
  );
  const actual = await page.evaluate(
    (list) => list.map(({ d, unit }) => window.lobrix.attenuation3d(...d, unit)),
    rows,
  );
  const wrong = rows
    .map((r, i) => ({ ...r, browser: actual[i], native: expected[i] }))
    .filter((r) => !close(r.browser, r.native));
  assert.deepEqual(wrong, []);
});

test('check gives null for a valid code and the reason lobrix check gives', async () => {
  const lines = (() => {
    try {
      return native(['check', '--', ...checked]);
    } catch (error) {
      return error.stdout; // status 2: some code is invalid
    }
  })().trimEnd().split('\n');
  const expected = lines.map((line) => {
    const [, valid, reason] = line.match(/^.*?: (?:(valid)|invalid: (.*))$/);
    return valid ? null : reason;
  });
  const actual = await page.evaluate((list) => list.map((c) => window.lobrix.check(c)), checked);
  assert.deepEqual(actual, expected);
});

test('gain equals ZISKANTVA in dBd and lobrix gain in dBi', async () => {
  const dbd = nativeEval(pairs.map(([h, v]) => `ZISKANTVA ${h} ${v}`));
  const actual = await page.evaluate(
    (list) => list.map(([h, v]) => window.lobrix.gain(h, v)),
    pairs,
  );
  pairs.forEach(([h, v], i) => {
    const dbi = Number(native(['gain', h, v]).match(/([-\d.]+) dBi/)[1]);
    assert.ok(close(actual[i].dbd, dbd[i]), `${h} ${v}: ${actual[i].dbd} dBd, native ${dbd[i]}`);
    assert.ok(Math.abs(actual[i].dbi - dbi) <= 0.005, `${h} ${v}: ${actual[i].dbi} dBi, ${dbi}`);
  });
  assert.deepEqual(page.errors, []);
});
