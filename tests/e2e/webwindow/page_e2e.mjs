// The web window in Chromium against the running program:
//   node page_e2e.mjs URL PARAMETERS_XML CHROMIUM PEERS_FOLDER [SLOWDOWN]
// SLOWDOWN stretches every deadline, for a program built with a sanitizer.
// Exits 0 when every check passed; prints what failed otherwise.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const [url, parametersFile, chromiumPath, peers, slowdownArgument] = process.argv.slice(2);
const slowdown = Number(slowdownArgument ?? 1);
const { chromium } = createRequire(path.join(peers, 'node_modules', 'x.js'))('playwright-core');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function eventually(what, condition, seconds = 20) {
  const end = Date.now() + seconds * slowdown * 1000;
  let last;
  while (Date.now() < end) {
    try {
      last = await condition();
      if (last === true) return;
    } catch (error) {
      last = error.message;
    }
    await sleep(100);
  }
  throw new Error(`${what}: not reached (last: ${JSON.stringify(last)})`);
}

function stored(name) {
  const match = readFileSync(parametersFile, 'utf8').match(new RegExp(`name="${name}" value="([^"]*)"`));
  return match ? match[1] : null;
}

async function api(route) {
  const response = await fetch(new URL(route, url));
  assert.equal(response.status, 200, route);
  return response.json();
}

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox', '--headless=new'] });
try {
  const page = await browser.newPage({ viewport: { width: 900, height: 1400 } });
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(message.text());
  });
  await page.goto(url);
  assert.equal(await page.title(), 'Aeroshadow_P3D 11.0.2');
  const control = (id) => page.locator(`[data-control-id="${id}"]`);
  await control(32779).waitFor();

  // Every control shows what the model holds.
  await eventually('controls match the model', async () => {
    const window = await api('/api/window');
    for (const shown of window.controls) {
      const input = control(shown.id).locator('input, select, button');
      if ((await input.isDisabled()) === shown.enabled) return `enabled ${shown.id}`;
      if (shown.kind === 'check' && (await input.isChecked()) !== shown.checked) return `checked ${shown.id}`;
      if (shown.kind === 'list' && (await input.inputValue()) !== (shown.selected === null ? '' : String(shown.selected)))
        return `selected ${shown.id}`;
      if ((shown.kind === 'edit' || shown.kind === 'text') && (await input.inputValue()) !== shown.text)
        return `text ${shown.id}`;
    }
    return true;
  });

  // A click: the box, the strip and parameters.xml follow.
  await control(32833).locator('input').click();
  await eventually('User air off', async () =>
    !(await control(32833).locator('input').isChecked()) &&
    (await page.locator('#message').textContent()) === 'Be aware, no collision avoidance with user aircraft in the air' &&
    stored('COLLISION_USER_AIR') === 'false');

  // A pick.
  await control(32847).locator('select').selectOption('25');
  await eventually('Max live 25', async () =>
    stored('MAX_LIVE_SEL') === '25' && (await control(32847).locator('select').inputValue()) === '25');

  // Typing and Enter: 150 is above the bound of "Max fit:".
  const maxFit = control(32853).locator('input');
  await maxFit.fill('150');
  await maxFit.press('Enter');
  await eventually('Max fit 47', async () =>
    (await page.locator('#message').textContent()) === 'The new MAX_FIT is 47' && stored('MAX_FIT') === '47');
  await eventually('box shows 47', async () => (await maxFit.inputValue()) === '47');

  // "Re-read": the handler disables the button and the destination box, the
  // program's next 15th tick reads the park airports again and enables both.
  const reread = control(32838).locator('button');
  await eventually('Re-read enabled after start-up', async () => !(await reread.isDisabled()));
  const answered = page.waitForResponse((response) => response.url().endsWith('/api/command'));
  await reread.click();
  const afterClick = await (await answered).json();
  assert.equal(afterClick.controls.find((shown) => shown.id === 32838).enabled, false);
  await eventually('Re-read taken by the program', async () =>
    !(await reread.isDisabled()) && !(await control(32839).locator('input').isDisabled()), 40);

  // The table lists the aircraft of the traffic picture.
  await eventually('table equals /api/traffic', async () => {
    const traffic = await api('/api/traffic');
    const expected = traffic.aircraft.map((aircraft) => String(aircraft.hexid)).sort();
    const shown = (await page.locator('#aircraft tbody tr').evaluateAll((rows) => rows.map((row) => row.dataset.hexid))).sort();
    return expected.length > 12 && JSON.stringify(expected) === JSON.stringify(shown) ? true : `${expected.length} vs ${shown.length}`;
  }, 120);

  // Feed texts are text: the registration with markup shows as it is.
  await eventually('markup shows as text', async () => {
    const traffic = await api('/api/traffic');
    const marked = traffic.aircraft.find((aircraft) => aircraft.registration.includes('<img'));
    if (!marked) return 'no aircraft with the registration yet';
    const row = page.locator(`#aircraft tr[data-hexid="${marked.hexid}"]`);
    const cells = await row.locator('td').allTextContents();
    if (!cells.includes(marked.registration)) return cells;
    return (await page.locator('#aircraft img').count()) === 0;
  }, 60);

  assert.deepEqual(problems, []);
  if (process.env.WINDOW_SCREENSHOT) await page.screenshot({ path: process.env.WINDOW_SCREENSHOT, fullPage: true });

  // The page's close button ends the program.
  const closing = page.waitForResponse((response) => response.url().endsWith('/api/close'));
  await page.locator('#close').click();
  assert.equal((await closing).status(), 202);
  await eventually('closing', async () => (await page.locator('#title').textContent()) === 'Closing ...');
} finally {
  await browser.close();
}
console.log('web window page checks passed');
