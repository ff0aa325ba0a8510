// Screenshots of the web editor for a person to look at: the four pages, the help box and the
// conversion panel with the measured test file converted, in English and in Czech (the language
// the browser asks for). Usage: node tests/web/screenshots.mjs FOLDER (the server's address in
// LOBRIX_WEB_URL, as tests/web/run sets it).
import { mkdirSync } from 'node:fs';
import path from 'node:path';
import { launch, openEditor, showPage, testData } from './harness.mjs';

const folder = process.argv[2] ?? 'build/web-shots';
mkdirSync(folder, { recursive: true });
const shot = (page, name) =>
  page.screenshot({ path: path.join(folder, `${name}.png`), fullPage: true });

const browser = await launch();
try {
  for (const language of ['en-US', 'cs-CZ']) {
    const tag = language.slice(0, 2);
    const context = await browser.createBrowserContext();
    const query = '?h=030EA10&v=100TA00&azi=30&ele=-2.5';
    const page = await openEditor(context, query, { language });
    for (let index = 0; index < 4; ++index) {
      await showPage(page, index);
      await shot(page, `page${index}-${tag}`);
    }
    await page.click('#ctl-main-4');
    await shot(page, `help3-${tag}`);
    await page.click('#message-ok');
    await page.click('#ctl-main-5');
    await shot(page, `conversion-empty-${tag}`);
    await (await page.$('#pattern-file')).uploadFile(
      path.join(testData, 'msi/80010465_0791_x_co.msi'));
    await page.waitForFunction(() => !document.getElementById('ctl-conv-4').disabled);
    await page.click('#ctl-conv-4');
    await page.waitForFunction(() => !document.getElementById('ctl-conv-1').disabled,
      { timeout: 120000 });
    await shot(page, `conversion-${tag}`);
    if (page.errors.length) console.log(`screenshots (${tag}): page errors: ${page.errors}`);
    await context.close();
  }
  console.log(`screenshots: ${path.resolve(folder)}`);
} finally {
  await browser.close();
}
