// How smoothly headless Chromium draws the web window with a thousand aircraft:
//   node frame_time.mjs PAGE_SERVER CHROMIUM PEERS_FOLDER [SECONDS]
// Starts PAGE_SERVER (webwindow_page_server), opens its page, waits until the
// table holds every aircraft, then records every animation frame for SECONDS
// (10). Prints one JSON object: the time between frames (p50, p99, max, in ms,
// 16.7 at 60 frames a second), the frames a second, and the browser's busy
// time a second (script, layout, style) from its own counters.
import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';
import path from 'node:path';
import { createInterface } from 'node:readline';

const [serverPath, chromiumPath, peers, secondsArgument] = process.argv.slice(2);
const seconds = Number(secondsArgument ?? 10);
const { chromium } = createRequire(path.join(peers, 'node_modules', 'x.js'))('playwright-core');

function percentile(sorted, fraction) {
  return sorted[Math.min(sorted.length - 1, Math.floor(fraction * sorted.length))];
}

const round = (value) => Math.round(value * 10) / 10;

// The server runs a while longer than the measurement and its page loading.
const server = spawn(serverPath, [String(seconds + 40)], { stdio: ['ignore', 'pipe', 'inherit'] });
const url = await new Promise((resolve, reject) => {
  createInterface({ input: server.stdout }).once('line', resolve);
  server.once('exit', () => reject(new Error('the page server ended before it listened')));
});

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox', '--headless=new'] });
try {
  const page = await browser.newPage({ viewport: { width: 900, height: 1200 } });
  await page.goto(url);
  await page.waitForFunction(() => document.querySelectorAll('#aircraft tbody tr').length === 1000, null, {
    timeout: 30000,
  });
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Performance.enable');
  const counters = async () =>
    Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics.map(({ name, value }) => [name, value]));
  const before = await counters();
  const stamps = await page.evaluate(
    (milliseconds) =>
      new Promise((resolve) => {
        const times = [];
        const start = performance.now();
        const frame = (now) => {
          times.push(now);
          if (now - start < milliseconds) requestAnimationFrame(frame);
          else resolve(times);
        };
        requestAnimationFrame(frame);
      }),
    seconds * 1000,
  );
  const after = await counters();
  const intervals = stamps.slice(1).map((time, index) => time - stamps[index]).sort((a, b) => a - b);
  const perSecond = (name) => round(((after[name] - before[name]) * 1000) / seconds);
  console.log(
    JSON.stringify({
      aircraft: 1000,
      seconds,
      frames_per_second: round(intervals.length / seconds),
      frame_ms: {
        p50: round(percentile(intervals, 0.5)),
        p99: round(percentile(intervals, 0.99)),
        max: round(intervals[intervals.length - 1]),
      },
      busy_ms_per_second: {
        script: perSecond('ScriptDuration'),
        layout: perSecond('LayoutDuration'),
        style: perSecond('RecalcStyleDuration'),
        task: perSecond('TaskDuration'),
      },
    }),
  );
} finally {
  await browser.close();
  server.kill();
}
