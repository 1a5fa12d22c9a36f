// Saves the web window as a browser shows it, once its status area has text
// and, within a further wait, its aircraft table has rows:
//   node window-screenshot.mjs URL PNG CHROMIUM PEERS_FOLDER
// Exits 1 when the page did not show its status area within 20 s.
import { createRequire } from 'node:module';
import path from 'node:path';

const [url, png, chromiumPath, peers] = process.argv.slice(2);
const { chromium } = createRequire(path.join(peers, 'node_modules', 'x.js'))('playwright-core');

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox', '--headless=new'] });
let shown = false;
try {
  const page = await browser.newPage({ viewport: { width: 900, height: 1200 } });
  await page.goto(url);
  await page.waitForFunction(() => document.querySelector('#status')?.textContent.trim() !== '', null, { timeout: 20000 });
  shown = true;
  // Traffic may be slow to come; the shot is taken without it after 20 s.
  await page.waitForSelector('#aircraft tbody tr', { timeout: 20000 }).catch(() => {});
  await page.screenshot({ path: png, fullPage: true });
} finally {
  await browser.close();
}
process.exit(shown ? 0 : 1);
