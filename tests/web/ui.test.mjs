// The editor's controls as a user works them: code-type buttons, lists, typed parameters and
// directions, clicks in the direction graphs. Each step and what state() (or the field it
// worked) shows after it are those of the Windows UI tests (tests/win32/code_pages_ui_test.cpp
// and editor_ui_test.cpp), worked out there by hand from the documented rules.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import {
  choose, click, clickFrame, close, launch, nativeEval, openEditor, showPage, state, typeOver,
  valueOf,
} from './harness.mjs';

// A click's direction is within a pixel's angle of the Windows value (about 1.2 degrees where
// these clicks fall): the browser's graphic area is not as high as Wine's, so a frame's centre
// may lie half a pixel off the clicked row.
const clickTolerance = 1.5;

// [what, target, argument, expected, tolerance]: `expected` holds the state() fields that
// must follow, { field: [id, text] } for the text a field shows and { focus: id } for the
// field that has the focus; `tolerance` for the directions (default: none, a click's own
// direction clickTolerance).
const codePagesRun = [
  ['page', 1],
  ['click', 'ctl-p1-114', null, { vcode: '060PA00' }], // PA from ND
  ['choose', 'ctl-p1-11', 10, { vcode: '060PK00' }],
  ['type', 'ctl-p1-12', '05', { vcode: '060PK05' }],
  ['page', 0],
  ['click', 'ctl-p0-102', null, { hcode: '060EA00' }], // EA from ND
  ['click', 'ctl-p0-106', null, { hcode: '060LA00' }], // LA keeps N
  ['type', 'ctl-p0-10', '150', { hcode: '120LA00' }], // clamped to LA's 120
  ['type', 'ctl-p0-12', '25', { hcode: '120LA25' }],
  ['click', 'ctl-p0-111', null, { hcode: '120VA25' }], // V keeps N and Z
  ['choose', 'ctl-p0-11', 2, { hcode: '120VC25' }],
  ['type', 'ctl-p0-10', '510', { hcode: '510VC25' }],
  ['click', 'ctl-p0-101', null, { hcode: '000ND00' }],
  ['click', 'ctl-p0-102', null, { hcode: '065EA25' }], // the remembered 510, 25, N clamped
  ['page', 2],
  ['frame', [0.25, 0.5, 0.35, 200, 0.6], null, { azimax: 200 }],
  ['type', 'ctl-p2-10', '400', { azimax: 359.9, field: ['ctl-p2-10', '359.9'] }],
  ['type', 'ctl-p2-10', '12x34', { azimax: 123.4, field: ['ctl-p2-10', '123.4'] }],
  ['type', 'ctl-p2-11', '-95', { elemax: -90, field: ['ctl-p2-11', '-90.0'] }],
  ['type', 'ctl-p2-11', '-12.5', { elemax: -12.5 }],
  ['page', 3, null, { page: 3, field: ['ctl-p3-10', '123.4'] }],
  ['type', 'ctl-p3-10', '270', { field: ['ctl-p3-10', '270.'] }],
  ['type', 'ctl-p3-11', '5', { field: ['ctl-p3-11', '5'] }],
  // The test direction changes, the beam's stays.
  ['frame', [0.25, 0.5, 0.35, 90, 0.5], null, { azimax: 123.4, elemax: -12.5,
    field: ['ctl-p3-10', '90.0'] }],
];

const directionsRun = [
  ['page', 2, null, { page: 2, field: ['ctl-p2-10', '30.0'] }],
  ['page', 2, null, { field: ['ctl-p2-11', '-2.5'] }],
  ['frame', [0.25, 0.5, 0.35, 90, 0.6], null, { azimax: 90, field: ['ctl-p2-10', '90.0'] }],
  ['frame', [0.75, 0.5, 0.35, 45, 0.6], null, { elemax: 45, field: ['ctl-p2-11', '45.0'],
    focus: 'ctl-p2-11' }], // the picked field has the focus
  // The test direction starts from the clicked beam's.
  ['page', 3, null, { page: 3, field: ['ctl-p3-10', '90'] }, clickTolerance],
  ['page', 3, null, { field: ['ctl-p3-11', '45'] }, clickTolerance],
  ['frame', [0.25, 0.5, 0.35, 180, 0.5], null, { azimax: 90, field: ['ctl-p3-10', '180.0'] }],
];

// Directions are single-precision values in the editor: 123.4 reads back as 123.40000153.
const same = (seen, v, tolerance) =>
  typeof v === 'number'
    ? Math.abs(seen - v) <= Math.max(tolerance, 1e-4 * Math.max(1, Math.abs(v)))
    : seen === v;
// A field's text: the same number of decimals and the value within the tolerance.
const decimals = (text) => (text.split('.')[1] ?? '').length;
const sameText = (text, expected, tolerance) =>
  tolerance === 0
    ? text === expected
    : /^-?\d+(\.\d*)?$/.test(text) && decimals(text) === decimals(expected) &&
      Math.abs(Number(text) - Number(expected)) <= tolerance;

async function act(page, [what, target, argument]) {
  if (what === 'page') return showPage(page, target);
  if (what === 'click') return click(page, target);
  if (what === 'choose') return choose(page, target, argument);
  if (what === 'type') return typeOver(page, target, argument);
  if (what === 'frame') return clickFrame(page, ...target);
  throw new Error(`unknown step ${what}`);
}

// Runs the steps; returns every step whose outcome differs, with what was seen.
async function run(page, steps) {
  const wrong = [];
  for (const step of steps) {
    await act(page, step);
    const { field, focus, ...fields } = step[3] ?? {};
    const tolerance = step[4] ?? (step[0] === 'frame' ? clickTolerance : 0);
    const seen = await state(page);
    const differs = Object.entries(fields).filter(([k, v]) => !same(seen[k], v, tolerance));
    const text = field ? await valueOf(page, field[0]) : undefined;
    const focused = await page.evaluate(() => document.activeElement?.id);
    if (differs.length || (field && !sameText(text, field[1], tolerance)) ||
        (focus && focused !== focus)) {
      wrong.push({ step: step.slice(0, 3).join(' '), expected: step[3], seen, text, focused });
    }
  }
  return wrong;
}

let browser;
before(async () => {
  browser = await launch();
});
after(() => browser?.close());

test('code-type buttons, lists, typed parameters and directions as on Windows', async () => {
  const page = await openEditor(browser, '?h=000ND00&v=000ND00');
  assert.deepEqual(await run(page, codePagesRun), []);
  const end = await state(page);
  const [gain] = nativeEval(['ZISKANTVA 065EA25 060PK05']);
  assert.ok(close(end.gainDbd, gain), `gain ${end.gainDbd} dBd, native ${gain}`);
  assert.deepEqual(page.errors, []);
});

test('a linked antenna opens, and clicks in the graphs set the directions', async () => {
  const page = await openEditor(browser, '?h=030EA10&v=100TA00&azi=30&ele=-2.5');
  const start = await state(page);
  const [gain] = nativeEval(['ZISKANTVA 030EA10 100TA00']);
  assert.deepEqual(
    { ...start, gainDbd: close(start.gainDbd, gain) },
    { hcode: '030EA10', vcode: '100TA00', azimax: 30, elemax: -2.5, gainDbd: true, page: 0 },
  ); // 30 and -2.5 are exact in single precision
  assert.deepEqual(await run(page, directionsRun), []);
  assert.deepEqual(page.errors, []);
});

// The browser's language chooses Czech; the switch turns the page to English and keeps the
// antenna and the page shown.
test('Czech from the browser language, English from the switch, the antenna kept', async () => {
  const page = await openEditor(browser, '?h=510VE00&v=120PA05&azi=359.9&ele=90', {
    language: 'cs-CZ',
  });
  const tab = (index) =>
    page.evaluate((i) => document.getElementById(`ctl-main-90-${i}`).textContent.trim(), index);
  await showPage(page, 2);
  const before = await state(page);
  assert.deepEqual([await tab(0), await tab(2)], [
    'Horizontální diagram', 'Azimut a Elevace Max.vyzařování',
  ]);
  await page.select('#language', 'en');
  assert.deepEqual([await tab(0), await tab(2)], [
    'Horizontal diagram', 'Azimuth and Elevation of Max. radiation',
  ]);
  assert.deepEqual(await state(page), before);
  assert.ok(same(before.azimax, 359.9, 0) && before.elemax === 90 && before.page === 2,
    JSON.stringify(before));
  assert.deepEqual(page.errors, []);
});
