// Frame times of the browser build in headless Chromium (WebGL through
// SwiftShader), for bench/web.sh. Not a test.
//
//   node web_bench.mjs --modules DIR --chromium PATH --url URL --profile DIR --frames N
//
// The page starts windowed and seeded; the inventory window is opened and
// the game paused, so that every frame draws the same scene as the native
// benchmark's (world, inventory window, log, buttons, cursor). Each frame is
// timed from the start of the browser's main-loop step to the end of a
// one-pixel read of the canvas, which waits until the GPU process has drawn
// it: the browser's counterpart of renderScene + glFinish. Prints a Markdown
// table.

import { createRequire } from 'node:module';
import path from 'node:path';

const LOAD_SECONDS = 90;
const SETTLE_FRAMES = 30;
const RATE_SECONDS = 5;

const options = {};
const argv = process.argv.slice(2);
for (let i = 0; i + 1 < argv.length; i += 2) {
  options[argv[i].replace(/^--/, '')] = argv[i + 1];
}
const puppeteer = createRequire(path.resolve(options.modules, 'package.json'))('puppeteer-core');
const frames = Number(options.frames);

function percentile(sorted, share) {
  return sorted[Math.min(sorted.length - 1, Math.ceil(share * sorted.length) - 1)];
}

async function waitFrames(page, count) {
  const target = (await page.evaluate(() => window.Module._pickrpg_frame_count())) + count;
  await page.waitForFunction((frame) => window.Module._pickrpg_frame_count() >= frame,
    { timeout: LOAD_SECONDS * 1000 }, target);
}

// Every main-loop step of the next count frames, synchronised with the GPU.
function timeFrames(page, count) {
  return page.evaluate((wanted) => new Promise((resolve) => {
    const module = window.Module;
    const gl = module.canvas.getContext('webgl'); // the shell's own context
    const pixel = new Uint8Array(4);
    const times = [];
    let start = 0;
    module.preMainLoop = () => {
      start = performance.now();
    };
    module.postMainLoop = () => {
      gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
      times.push(performance.now() - start);
      if (times.length === wanted) {
        module.preMainLoop = undefined;
        module.postMainLoop = undefined;
        resolve(times);
      }
    };
  }), count);
}

async function main() {
  const args = ['--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--no-first-run', '--disable-quic'];
  if (process.getuid && process.getuid() === 0) {
    args.push('--no-sandbox');
  }
  const browser = await puppeteer.launch({
    executablePath: options.chromium, headless: true, userDataDir: options.profile, args,
    defaultViewport: { width: 1100, height: 1000, deviceScaleFactor: 1 },
  });
  try {
    const page = await browser.newPage();
    await page.goto(options.url, { waitUntil: 'load' });
    await page.waitForFunction(() => window.Module && window.Module._pickrpg_frame_count &&
      window.Module._pickrpg_frame_count() > 0, { timeout: LOAD_SECONDS * 1000 });
    await page.keyboard.press('i');
    await page.keyboard.press('Space');
    await waitFrames(page, SETTLE_FRAMES);

    const times = (await timeFrames(page, frames)).sort((a, b) => a - b);
    const before = await page.evaluate(() => window.Module._pickrpg_frame_count());
    await new Promise((resolve) => setTimeout(resolve, RATE_SECONDS * 1000));
    const drawn = (await page.evaluate(() => window.Module._pickrpg_frame_count())) - before;
    const version = await browser.version();

    console.log(`- Browser: ${version}, headless, WebGL 1 through SwiftShader`);
    console.log('');
    console.log('| Measure | Runs | Median (ms) | 99th percentile (ms) |');
    console.log('|---|---|---|---|');
    console.log(`| main-loop step + one-pixel read (GPU finished) | ${times.length} | ` +
      `${percentile(times, 0.5).toFixed(3)} | ${percentile(times, 0.99).toFixed(3)} |`);
    console.log('');
    console.log(`Frames per second on requestAnimationFrame, unsynchronised: ` +
      `${(drawn / RATE_SECONDS).toFixed(1)} (${drawn} frames in ${RATE_SECONDS} s).`);
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exitCode = 1;
});
