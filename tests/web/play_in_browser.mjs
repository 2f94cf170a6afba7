// Plays the browser build in Debian's Chromium (headless, WebGL through
// SwiftShader), driven by puppeteer-core, for tests/scripts/web_test.sh.
//
//   node play_in_browser.mjs --modules DIR --chromium PATH --web-dir DIR
//     --seed N --reference FRAME.ppm --profiles DIR --artifacts DIR
//
// The driver serves the build folder itself, so that it can make a file
// fail and stop serving altogether. On a 1024 x 768 desktop page the first
// frame is compared with the native build's reference frame, then the game
// is played as tests/scripts/play_session.sh does on the desktop (a wall
// looked at, a vase taken and dropped, the windows opened, the other person
// attacked, pause, F1 full screen and back, Escape), the WebGL context is
// lost and given back, and the page is reloaded offline. Then phones,
// a tablet and a desktop are emulated: the layout, and the game played by
// touch alone. Last, each of the game's files fails in turn, an image is
// missing, and a browser has no WebGL. The log is read through the page's
// test entry points, the pictures from frames the shell keeps; every step
// waits for its effect, a bounded time, and never sends its input twice.

import { createRequire } from 'node:module';
import { createReadStream, existsSync, mkdtempSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const WIDTH = 1024;
const HEIGHT = 768;
// Generous: SwiftShader on a busy 2-core machine draws a few frames a second.
const LOAD_SECONDS = 90;
const EFFECT_SECONDS = 30;
// The page's own limits (page.js): a download without a byte, a lost
// context that does not come back.
const STALL_SECONDS = 20;
const RESTORE_SECONDS = 5;
// The frame comparison. Over the whole frame most pixels are within a hair
// of the reference and only slivers far off: SwiftShader puts the edges of
// faces seen edge-on (a pixel or two thick) elsewhere than llvmpipe does.
// The log's text is flat and drawn the same by both, so there no pixel may
// be far off: one wrong glyph changes dozens.
const CLOSE_CHANNEL = 3;
const CLOSE_SHARE = 0.995;
const FARTHEST_CHANNEL = 32;
const FAR_OFF_SHARE = 0.0005;
// Region checks as in tests/scripts/play_lib.sh: pixels that differ by more
// than a tenth in some channel, at least this many for a change.
const CHANGE_FUZZ = 26;
const CHANGED_PIXELS = 40;
const BRIGHTER_BY = 0.02;
const MIN_DRAWN_COLOURS = 16;
// Apple's and Google's smallest touch target, in CSS pixels.
const FINGER = 44;

// Interface rectangles of the 1024 x 768 layout, top-down: [x, y, w, h].
const WHOLE = [0, 0, WIDTH, HEIGHT];
const LOG_REGION = [356, 632, 326, 136];
const PILE_REGION = [0, 0, 512, 316];
const INVENTORY_REGION = [512, 0, 512, 316];
const STATS_REGION = [512, 316, 512, 316];
const PAUSE_REGION = [30, 10, 160, 60];
const BUTTON_TOP = HEIGHT - 10 - 68;
const buttonRegion = (left) => [left, BUTTON_TOP, 68, 68];
const GET_BUTTON = buttonRegion(10);
const LOOK_BUTTON = buttonRegion(146);
const ATTACK_BUTTON = buttonRegion(282);
const centre = ([x, y, w, h]) => [x + Math.trunc(w / 2), y + Math.trunc(h / 2)];
// Where interface elements would take a click meant for the person.
const BOTTOM_INTERFACE = [LOG_REGION, [10, BUTTON_TOP, 340, 68], [690, BUTTON_TOP, 136, 68]];
// The cursor rests here between steps, away from every region looked at.
const PARK = [60, 400];
// The pile window's close square, and the first icon of its grid.
const PILE_CLOSE = [497, 15];
const PILE_FIRST_ICON = [256, 42];
// Places for the cursor while the vase is held.
const SPOT = [300, 560];

// How often the person may walk off before the attack fails, and for how
// many frames each time (it tries a step one frame in five).
const PERSON_ATTEMPTS = 6;
const WALK_FRAMES = 60;

const WALL_SQUARE = [14, 15];
const PILE_SQUARE = [20, 8];
const FREE_SQUARE = [15, 14];
const WALL_TEXT = 'You see a part of building wall.';
const PERSON_TEXT = 'You see someone.';

// The emulated devices: CSS viewport, density, and whether they are
// touched.
const DEVICES = [
  { name: 'phone held sideways', width: 844, height: 390, density: 3, touch: true },
  { name: 'phone held upright', width: 390, height: 844, density: 3, touch: true },
  { name: 'tablet', width: 1180, height: 820, density: 2, touch: true },
  { name: 'desktop', width: 1280, height: 900, density: 1, touch: false },
];
const CONTROLS = ['Step up', 'Step down', 'Step left', 'Step right', 'Pause', 'Full screen',
  'End game'];

function parseArguments(argv) {
  const options = {};
  for (let i = 0; i + 1 < argv.length; i += 2) {
    options[argv[i].replace(/^--/, '')] = argv[i + 1];
  }
  for (const name of ['modules', 'chromium', 'web-dir', 'seed', 'reference', 'profiles',
    'artifacts']) {
    if (!options[name]) {
      throw new Error(`missing --${name}`);
    }
  }
  return options;
}

const options = parseArguments(process.argv.slice(2));
const puppeteer = createRequire(path.resolve(options.modules, 'package.json'))('puppeteer-core');

let failures = 0;
const log = (text) => console.log(`[${new Date().toISOString().slice(11, 19)}] ${text}`);
const passed = (text) => log(`  ok: ${text}`);
function failed(text) {
  log(`  FAILED: ${text}`);
  failures += 1;
}
function check(condition, text, detail) {
  if (condition) {
    passed(`${text} (${detail})`);
  } else {
    failed(`${text}: ${detail}`);
  }
  return condition;
}

// ---------------------------------------------------------------------------
// The server: the build folder on a free port of 127.0.0.1. faults names
// files to fail: 'missing' (404), 'reset' (the connection dropped) or
// 'stall' (no answer).

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png' };

async function startServer(root) {
  const faults = new Map();
  const sockets = new Set();
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://host').pathname).slice(1) ||
      'index.html';
    const fault = faults.get(name);
    if (fault === 'stall') {
      return;
    }
    if (fault === 'reset') {
      request.socket.destroy();
      return;
    }
    const file = path.join(root, name);
    if (fault === 'missing' || !file.startsWith(root) || !existsSync(file) ||
        !statSync(file).isFile()) {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('Not found');
      return;
    }
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(name)] || 'application/octet-stream',
      'Content-Length': statSync(file).size, 'Cache-Control': 'no-cache' });
    createReadStream(file).pipe(response);
  });
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => sockets.delete(socket));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    faults,
    stop() {
      server.close();
      sockets.forEach((socket) => socket.destroy());
    },
  };
}

function launch(extraArguments, profileName) {
  const args = [
    '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--no-first-run', '--disable-quic', ...extraArguments];
  if (process.getuid && process.getuid() === 0) {
    args.push('--no-sandbox');
  }
  return puppeteer.launch({
    executablePath: options.chromium,
    headless: true,
    userDataDir: mkdtempSync(path.join(options.profiles, `${profileName}-`)),
    args,
    defaultViewport: { width: WIDTH, height: HEIGHT, deviceScaleFactor: 1 },
  });
}

// Console errors and uncaught exceptions, whatever page they come from.
function watchConsole(page, errors) {
  page.on('console', (message) => {
    if (message.type() === 'error') {
      errors.push(message.text());
    }
  });
  page.on('pageerror', (error) => errors.push(String(error)));
}

// ---------------------------------------------------------------------------
// Kept frames in the page, read through one region reader: a region of the
// 1024 x 768 picture, every step-th logical pixel, sampled where the scene
// draws it in the frame's drawing buffer (the picture fitted, centred
// between bars; rows bottom-up).

function installFrameReader() {
  window.keptFrames = {};
  window.readRegion = (names, [x, y, w, h], step, visit) => {
    const frames = names.map((name) => window.keptFrames[name]);
    const { width, height } = frames[0];
    const scale = Math.min(width / 1024, height / 768);
    const left = (width - 1024 * scale) / 2;
    const top = (height - 768 * scale) / 2;
    const pixels = frames.map((frame) => frame.pixels);
    for (let row = y; row < y + h; row += step) {
      const bufferRow = height - 1 - Math.floor(top + (row + 0.5) * scale);
      for (let column = x; column < x + w; column += step) {
        visit(column, row, pixels, (bufferRow * width + Math.floor(left + (column + 0.5) * scale)) * 4);
      }
    }
  };
}

// ---------------------------------------------------------------------------
// The game page: input as a player gives it (mouse and keyboard, or touch),
// frames as the shell keeps them.

class GamePage {
  constructor(page, touch = false) {
    this.page = page;
    this.touch = touch;
  }

  static async open(browser, url, errors, device = null) {
    const page = await browser.newPage();
    watchConsole(page, errors);
    if (device) {
      await page.emulate({ userAgent: await browser.userAgent(), viewport: {
        width: device.width, height: device.height, deviceScaleFactor: device.density,
        isMobile: device.touch, hasTouch: device.touch, isLandscape: device.width > device.height } });
    }
    await page.evaluateOnNewDocument(installFrameReader);
    await page.goto(url, { waitUntil: 'load' });
    return new GamePage(page, device !== null && device.touch);
  }

  // The picture's rectangle in CSS pixels of the page: the canvas, and the
  // scene's fit of the picture into it.
  picture() {
    return this.page.$eval('#canvas', (canvas, width, height) => {
      const box = canvas.getBoundingClientRect();
      const scale = Math.min(box.width / width, box.height / height);
      return { left: box.left + (box.width - width * scale) / 2,
        top: box.top + (box.height - height * scale) / 2, scale,
        width: width * scale, height: height * scale };
    }, WIDTH, HEIGHT);
  }

  async pagePoint([x, y]) {
    const picture = await this.picture();
    return [picture.left + (x + 0.5) * picture.scale, picture.top + (y + 0.5) * picture.scale];
  }

  async pointAt(pixel) {
    const [x, y] = await this.pagePoint(pixel);
    await this.page.mouse.move(x, y);
  }

  // A left click, then the cursor goes back out of the way; a tap by touch.
  async click(pixel) {
    const [x, y] = await this.pagePoint(pixel);
    if (this.touch) {
      await this.page.touchscreen.tap(x, y);
      return;
    }
    await this.page.mouse.click(x, y);
    await this.pointAt(PARK);
  }

  // A key, or on a touch device the on-screen control named.
  async press(key, control) {
    if (!this.touch) {
      await this.page.keyboard.press(key);
      return;
    }
    const button = await this.page.$(`::-p-aria(${control})`);
    const box = await button.boundingBox();
    await this.page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
  }

  call(entry) {
    return this.page.evaluate((name) => window.Module[name](), entry);
  }

  frameCount() {
    return this.call('_pickrpg_frame_count');
  }

  // The log's lines; the game writes them in Windows-1252.
  logLines() {
    return this.page.evaluate(() => {
      const start = window.Module._pickrpg_log_lines();
      const heap = window.Module.HEAPU8;
      const end = heap.indexOf(0, start);
      const text = new TextDecoder('windows-1252').decode(heap.subarray(start, end));
      return text.split('\n').slice(0, -1);
    });
  }

  // Copies the frame the shell kept under name.
  keep(name) {
    return this.page.evaluate((frameName) => {
      const module = window.Module;
      const start = module._pickrpg_kept_frame();
      const width = module._pickrpg_kept_frame_width();
      const height = module._pickrpg_kept_frame_height();
      window.keptFrames[frameName] = { width, height,
        pixels: module.HEAPU8.slice(start, start + width * height * 4) };
    }, name);
  }

  // Keeps the next frame in the page under name.
  async shot(name) {
    await this.call('_pickrpg_keep_next_frame');
    await this.page.waitForFunction(() => window.Module._pickrpg_kept_frame() !== 0,
      { timeout: EFFECT_SECONDS * 1000, polling: 'raf' });
    await this.keep(name);
  }

  regionMean(name, region) {
    return this.page.evaluate((frameName, area) => {
      let sum = 0;
      window.readRegion([frameName], area, 1, (x, y, [p], i) => {
        sum += 0.299 * p[i] + 0.587 * p[i + 1] + 0.114 * p[i + 2];
      });
      return sum / (area[2] * area[3] * 255);
    }, name, region);
  }

  changedPixels(before, after, region) {
    return this.page.evaluate((names, area, fuzz) => {
      let count = 0;
      window.readRegion(names, area, 1, (x, y, [a, b], i) => {
        count += [0, 1, 2].some((c) => Math.abs(a[i + c] - b[i + c]) > fuzz) ? 1 : 0;
      });
      return count;
    }, [before, after], region, CHANGE_FUZZ);
  }

  distinctColours(name) {
    return this.page.evaluate((frameName, area) => {
      const colours = new Set();
      window.readRegion([frameName], area, 1, (x, y, [p], i) => {
        colours.add((p[i] << 16) | (p[i + 1] << 8) | p[i + 2]);
      });
      return colours.size;
    }, name, WHOLE);
  }

  // The centre (top-down) of the red-tinted person in a kept frame, as
  // play_lib.sh's find_red_being looks for it: every fourth pixel, red with
  // hardly any green or blue; null when it is not in view.
  findPerson(name) {
    return this.page.evaluate((frameName, area) => {
      let left = Infinity, right = -1, top = Infinity, bottom = -1;
      window.readRegion([frameName], area, 4, (x, y, [p], i) => {
        if (p[i] > 0.3 * 255 && p[i + 1] < 0.1 * 255 && p[i + 2] < 0.1 * 255) {
          left = Math.min(left, x), right = Math.max(right, x);
          top = Math.min(top, y), bottom = Math.max(bottom, y);
        }
      });
      return right - left < 4 || bottom - top < 4 ? null :
        [Math.trunc((left + right) / 2), Math.trunc((top + bottom) / 2)];
    }, name, WHOLE);
  }

  // A whole kept frame as RGBA rows bottom-up.
  async framePixels(name) {
    const encoded = await this.page.evaluate((frameName) => {
      const pixels = window.keptFrames[frameName].pixels;
      let text = '';
      const CHUNK = 0x8000;
      for (let i = 0; i < pixels.length; i += CHUNK) {
        text += String.fromCharCode.apply(null, pixels.subarray(i, i + CHUNK));
      }
      return btoa(text);
    }, name);
    return Buffer.from(encoded, 'base64');
  }

  // Keeps frames until check(name) holds, a bounded time; true when it did.
  async waitForFrame(name, holds) {
    const deadline = Date.now() + EFFECT_SECONDS * 1000;
    do {
      await this.shot(name);
      if (await holds(name)) {
        return true;
      }
    } while (Date.now() < deadline);
    return false;
  }

  async waitFrames(count) {
    const target = (await this.frameCount()) + count;
    return this.waitUntil(async () => (await this.frameCount()) >= target);
  }

  // Asks holds() after every animation frame until it is true, a bounded
  // time (timers, not frames, while the page draws none).
  async waitUntil(holds, seconds = EFFECT_SECONDS) {
    const deadline = Date.now() + seconds * 1000;
    for (;;) {
      if (await holds()) {
        return true;
      }
      if (Date.now() >= deadline) {
        return false;
      }
      await this.page.evaluate(() => new Promise((resolve) => {
        requestAnimationFrame(resolve);
        setTimeout(resolve, 100);
      }));
    }
  }

  // The log once it has more lines than before (as it was when that took
  // too long).
  async waitForLogGrowth(linesBefore) {
    let lines = linesBefore;
    await this.waitUntil(async () => (lines = await this.logLines()).length > linesBefore.length);
    return lines;
  }

  fullScreenElement() {
    return this.page.evaluate(() => (document.fullscreenElement ? document.fullscreenElement.id : ''));
  }

  // Waits for the first frame of the run the address started, which a
  // seeded run keeps.
  async firstFrame(name) {
    const kept = await this.page.waitForFunction(() => window.Module &&
      window.Module.calledRun && window.Module._pickrpg_kept_frame() !== 0,
    { timeout: LOAD_SECONDS * 1000, polling: 100 }).then(() => true, () => false);
    if (!kept) {
      throw new Error(`no first frame within ${LOAD_SECONDS} s: ${await pageState(this.page)}`);
    }
    await this.keep(name);
  }
}

// What the page shows, for a step that waited in vain.
function pageState(page) {
  return page.evaluate(() => {
    const shown = [...document.querySelectorAll('.panel')].filter((panel) => !panel.hidden)
      .map((panel) => `${panel.id}: ${panel.textContent.replace(/\s+/g, ' ').trim()}`);
    const module = window.Module;
    const frames = module && module._pickrpg_frame_count ? module._pickrpg_frame_count() : 'none';
    return `panels [${shown.join('; ')}], ${frames} frames drawn, ` +
      `document ${document.visibilityState}`;
  });
}

const panelShown = (page, id, seconds = EFFECT_SECONDS) =>
  page.waitForSelector(`#${id}:not([hidden])`, { timeout: seconds * 1000 }).then(() => true, () => false);

// ---------------------------------------------------------------------------
// The first frame against the native reference.

function readPpm(file) {
  const bytes = readFileSync(file);
  const header = /^P6\s+(\d+)\s+(\d+)\s+(\d+)\s/.exec(bytes.subarray(0, 64).toString('latin1'));
  if (!header || Number(header[3]) !== 255) {
    throw new Error(`${file} is no 8-bit binary PPM`);
  }
  return { width: Number(header[1]), height: Number(header[2]),
    pixels: bytes.subarray(header[0].length) };
}

// Over a region: the share of pixels within CLOSE_CHANNEL in every channel,
// how many are beyond FARTHEST_CHANNEL, and the largest difference. The
// page's rows go bottom-up, the PPM's top-down.
function compareWithReference(rgba, reference, [left, top, w, h]) {
  let close = 0;
  let farOff = 0;
  let farthest = 0;
  for (let y = top; y < top + h; ++y) {
    const pageRow = (HEIGHT - 1 - y) * WIDTH * 4;
    const referenceRow = y * WIDTH * 3;
    for (let x = left; x < left + w; ++x) {
      let largest = 0;
      for (let c = 0; c < 3; ++c) {
        largest = Math.max(largest,
          Math.abs(rgba[pageRow + x * 4 + c] - reference.pixels[referenceRow + x * 3 + c]));
      }
      close += largest <= CLOSE_CHANNEL ? 1 : 0;
      farOff += largest > FARTHEST_CHANNEL ? 1 : 0;
      farthest = Math.max(farthest, largest);
    }
  }
  const figures = `${(close / (w * h) * 100).toFixed(3)} % of the pixels within ` +
    `${CLOSE_CHANNEL}/255, largest difference ${farthest}/255, ${farOff} pixels beyond ` +
    `${FARTHEST_CHANNEL}/255`;
  return { share: close / (w * h), farOff, figures };
}

function writeFramePpm(file, rgba) {
  const rows = [Buffer.from(`P6\n${WIDTH} ${HEIGHT}\n255\n`, 'latin1')];
  for (let y = 0; y < HEIGHT; ++y) {
    const row = Buffer.alloc(WIDTH * 3);
    const pageRow = (HEIGHT - 1 - y) * WIDTH * 4;
    for (let x = 0; x < WIDTH; ++x) {
      rgba.copy(row, x * 3, pageRow + x * 4, pageRow + x * 4 + 3);
    }
    rows.push(row);
  }
  writeFileSync(file, Buffer.concat(rows));
}

async function firstFrame(game) {
  log('== start: windowed and seeded at 1024 x 768; the first frame against the native one');
  await game.firstFrame('first');
  const size = await game.page.evaluate(() => [window.keptFrames.first.width,
    window.keptFrames.first.height]);
  if (!check(size[0] === WIDTH && size[1] === HEIGHT, 'a 1024 x 768 canvas draws 1024 x 768',
    `${size[0]} x ${size[1]}`)) {
    return;
  }
  const colours = await game.distinctColours('first');
  check(colours >= MIN_DRAWN_COLOURS, 'the first frame is drawn', `${colours} colours`);
  const rgba = await game.framePixels('first');
  writeFramePpm(path.join(options.artifacts, 'first-frame.ppm'), rgba);
  const reference = readPpm(options.reference);
  if (!check(reference.width === WIDTH && reference.height === HEIGHT, 'the reference frame',
    `${reference.width} x ${reference.height}`)) {
    return;
  }
  const whole = compareWithReference(rgba, reference, WHOLE);
  check(whole.share >= CLOSE_SHARE && whole.farOff <= FAR_OFF_SHARE * WIDTH * HEIGHT,
    'the first frame matches the native build\'s', whole.figures);
  const text = compareWithReference(rgba, reference, LOG_REGION);
  check(text.farOff === 0, 'the log\'s text matches the native build\'s, no pixel far off',
    text.figures);
}

// ---------------------------------------------------------------------------
// The steps of the session.

async function regionChanges(game, before, name, region, what) {
  const changed = await game.waitForFrame(name, async (frame) =>
    (await game.changedPixels(before, frame, region)) >= CHANGED_PIXELS);
  check(changed, what, `${await game.changedPixels(before, name, region)} pixels changed`);
  return changed;
}

// Space or Pause, and the pause sign shown or hidden.
async function pressPause(game, what) {
  await game.shot('before-pause');
  await game.press('Space', 'Pause');
  return regionChanges(game, 'before-pause', 'after-pause', PAUSE_REGION, what);
}

// Chooses an action with its key, or by touch with its button in the
// picture; the effect is its button lit.
async function chooseAction(game, key, button, what) {
  await game.shot('before-action');
  if (game.touch) {
    await game.click(centre(button));
  } else {
    await game.press(key);
  }
  const before = await game.regionMean('before-action', button);
  const lit = await game.waitForFrame('action-chosen', async (name) =>
    (await game.regionMean(name, button)) > before + BRIGHTER_BY);
  check(lit, `${game.touch ? 'its button' : key} chooses ${what}`,
    `mean brightness of its button ${before.toFixed(3)} -> ` +
    (await game.regionMean('action-chosen', button)).toFixed(3));
  return lit;
}

// Look and a click at a pixel: what the log gained, or null when Look was
// not chosen.
async function lookAt(game, pixel) {
  if (!(await chooseAction(game, 'l', LOOK_BUTTON, 'Look'))) {
    return null;
  }
  const before = await game.logLines();
  await game.click(pixel);
  return (await game.waitForLogGrowth(before)).slice(before.length).join(' ');
}

async function lookAtWall(game, how) {
  const written = await lookAt(game, squarePosition(WALL_SQUARE));
  return written !== null &&
    check(written === WALL_TEXT, `Look and ${how} on the wall: the log says so`, `"${written}"`);
}

async function vaseFromThePile(game) {
  log('== G and a click on the vase pile; a vase onto the cursor and down on a free square');
  if (!(await chooseAction(game, 'g', GET_BUTTON, 'Get'))) {
    return;
  }
  await game.shot('pile-closed');
  await game.click(squarePosition(PILE_SQUARE));
  if (!(await regionChanges(game, 'pile-closed', 'pile-open', PILE_REGION,
    'the item pile window opens'))) {
    return;
  }
  const spotRegion = [SPOT[0] - 24, SPOT[1] - 24, 48, 48];
  await game.pointAt(SPOT);
  await regionChanges(game, 'pile-open', 'crosshair-at-spot', spotRegion,
    'the crosshair follows the pointer');
  await game.click(PILE_FIRST_ICON);
  await game.pointAt(SPOT);
  await regionChanges(game, 'crosshair-at-spot', 'vase-at-spot', spotRegion,
    'the vase replaces the crosshair');

  await game.pointAt(PARK);
  await game.shot('before-drop');
  const square = squarePosition(FREE_SQUARE);
  await game.click(square);
  await regionChanges(game, 'before-drop', 'vase-dropped',
    [square[0] - 25, square[1] - 25, 50, 50], `the vase lies on square (${FREE_SQUARE})`);

  await game.click(PILE_CLOSE);
  await regionChanges(game, 'vase-dropped', 'pile-shut', PILE_REGION,
    'the close square shuts the item pile window');
}

async function inventoryAndStats(game) {
  log('== I and S open the inventory and statistics windows, and close them again');
  const steps = [['i', INVENTORY_REGION, 'I opens the inventory window'],
    ['s', STATS_REGION, 'S opens the statistics window'],
    ['i', INVENTORY_REGION, 'I closes the inventory window'],
    ['s', STATS_REGION, 'S closes the statistics window']];
  await game.shot('windows-0');
  for (const [index, [key, region, what]] of steps.entries()) {
    await game.press(key);
    await regionChanges(game, `windows-${index}`, `windows-${index + 1}`, region, what);
  }
}

const inside = ([x, y], [left, top, w, h]) => x >= left && x < left + w && y >= top && y < top + h;

const reachable = (pixel) => inside(pixel, WHOLE) &&
  !BOTTOM_INTERFACE.some((region) => inside(pixel, region));

// The pause freezes the person mid-step too, and a step moves it to the
// next square before it slides there: a figure that still shows on one
// square may stand on a square beside it. Look tells which.
const SQUARE_AND_NEIGHBOURS = [[0, 0], [1, 0], [-1, 0], [0, 1], [0, -1]];

// The centre of the person's square where a click reaches it (not behind
// the log or a button), found with Look; null when it is not there.
async function personByLook(game, [x, y]) {
  for (const [dx, dy] of SQUARE_AND_NEIGHBOURS) {
    const square = [x + dx, y + dy];
    const target = squarePosition(square);
    if (!reachable(target)) {
      continue;
    }
    const seen = await lookAt(game, target);
    if (seen === PERSON_TEXT) {
      passed(`looking at square (${square}) finds the person ("${seen}")`);
      return target;
    }
    log(`  looking at square (${square}): "${seen}"`);
  }
  return null;
}

// The person's square, with the game paused; while the person is out of
// view or out of reach it walks a while, a few times at most.
async function reachablePerson(game) {
  for (let attempt = 1; ; ++attempt) {
    await game.shot('looking-for-person');
    const figure = await game.findPerson('looking-for-person');
    const target = figure === null ? null : await personByLook(game, nearestSquare(figure));
    if (target !== null || attempt === PERSON_ATTEMPTS) {
      return target;
    }
    log(`  the person is not where a click reaches it (figure at ${figure}); it walks a while`);
    await pressPause(game, 'space hides PAUSE');
    await game.waitFrames(WALK_FRAMES);
    await pressPause(game, 'space shows PAUSE');
  }
}

async function attackPerson(game) {
  log('== A and a click on the person, twice');
  const person = await reachablePerson(game);
  if (!check(person !== null, 'the person is found where a click reaches it',
    `searched the whole picture ${PERSON_ATTEMPTS} times`)) {
    return;
  }
  for (const hit of [1, 2]) {
    if (!(await chooseAction(game, 'a', ATTACK_BUTTON, 'Attack'))) {
      return;
    }
    const before = await game.logLines();
    await game.click(person);
    const after = await game.waitForLogGrowth(before);
    const written = after.slice(before.length).join(' ');
    check(/has been hit for/.test(written), `attack ${hit} on the person at (${person})`,
      `"${written}"`);
  }
  const text = (await game.logLines()).join(' ');
  check(/dead/.test(text), 'two hits leave the person dead', 'the log says "dead"');
}

const sameLines = (a, b) => a.join('\n') === b.join('\n');

// F1 (or the Full screen control) starts a new game with the page full
// screen; however full screen is left (here by the document, as the
// browser's Escape does), the next F1 enters it again.
async function switchFullScreen(game, startLines, want) {
  await game.press('F1', 'Full screen');
  const switched = await game.waitUntil(async () =>
    (await game.fullScreenElement()) === want && sameLines(await game.logLines(), startLines));
  check(switched, `F1 ${want ? 'fills the screen' : 'gives back the page'} with a new game`,
    `full-screen element "${await game.fullScreenElement()}"`);
  return switched;
}

async function fullScreenAndBack(game, startLines) {
  log('== F1 full screen; left by the document; F1 full screen again, the wall looked at there');
  if (!(await switchFullScreen(game, startLines, 'app'))) {
    return;
  }
  await game.page.evaluate(() => document.exitFullscreen());
  await game.waitUntil(async () => (await game.fullScreenElement()) === '');
  if (!(await switchFullScreen(game, startLines, 'app'))) {
    return;
  }
  const width = (await game.picture()).width;
  await lookAtWall(game, `a click on the picture shown ${width} pixels wide`);
  await switchFullScreen(game, startLines, '');
}

async function endAndStartAgain(game, startLines) {
  log('== End game: the page says so and starts a new game on request');
  await game.press('Escape', 'End game');
  if (!check(await panelShown(game.page, 'ended'), 'the page says the game has ended', 'its panel')) {
    return;
  }
  const framesBefore = await game.frameCount();
  const again = await game.page.$('#again');
  if (game.touch) {
    await again.tap();
  } else {
    await again.click();
  }
  const drawing = await game.waitUntil(async () => (await game.frameCount()) > framesBefore + 1);
  const lines = await game.logLines();
  check(drawing && sameLines(lines, startLines), 'Start again draws a new game',
    `${lines.length} lines in the log, as at the start`);
}

// The context lost through WEBGL_lose_context: the page waits, says after a
// few seconds that it did not come back, and once it does the same game
// goes on, its picture as before (the game is paused).
async function loseContext(game) {
  log('== the WebGL context lost and given back');
  await game.shot('before-loss');
  const lines = await game.logLines();
  await game.page.evaluate(() => {
    window.loseContext = document.getElementById('canvas').getContext('webgl')
      .getExtension('WEBGL_lose_context');
    window.loseContext.loseContext();
  });
  const offered = await game.page.waitForSelector('#reload:not([hidden])',
    { timeout: (RESTORE_SECONDS + EFFECT_SECONDS) * 1000 }).then(() => true, () => false);
  check(offered, 'a context that stays lost gets a notice with a reload button',
    await pageState(game.page));
  const framesLost = await game.frameCount();
  await game.page.evaluate(() => window.loseContext.restoreContext());
  const back = await game.waitUntil(async () => (await game.frameCount()) > framesLost + 2);
  check(back && !(await game.page.$eval('#context-lost', (panel) => !panel.hidden)),
    'given back, the game draws again', `${(await game.frameCount()) - framesLost} frames since`);
  await game.shot('after-restore');
  const changed = await game.changedPixels('before-loss', 'after-restore', WHOLE);
  check(changed < CHANGED_PIXELS && sameLines(await game.logLines(), lines),
    'the same game: the picture as before and the log unchanged', `${changed} pixels changed`);
}

// With the server stopped, the service worker's cache starts the game.
async function offline(game, server) {
  log('== offline: the server stopped, a reload starts the game');
  const cached = await game.page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    const names = await caches.keys();
    return names.length === 1 ? (await (await caches.open(names[0])).keys()).length : 0;
  });
  server.stop();
  await game.page.reload({ waitUntil: 'load' });
  await game.firstFrame('offline');
  check(true, 'the game starts offline', `${cached} files cached`);
}

// ---------------------------------------------------------------------------
// Devices: layout and play by touch.

async function layout(game, device) {
  const facts = await game.page.evaluate((names) => {
    const canvas = document.getElementById('canvas');
    const box = canvas.getBoundingClientRect();
    const buttons = names.map((name) => {
      const button = [...document.querySelectorAll('.pad button')].find((b) =>
        (b.getAttribute('aria-label') || b.textContent) === name);
      const r = button.getBoundingClientRect();
      return { name, shown: r.width > 0, left: r.left, top: r.top, right: r.right, bottom: r.bottom,
        width: r.width, height: r.height };
    });
    return { canvas: { left: box.left, top: box.top, width: box.width, height: box.height },
      buffer: [canvas.width, canvas.height], viewport: [window.innerWidth, window.innerHeight],
      scroll: [document.scrollingElement.scrollLeft, document.scrollingElement.scrollTop], buttons };
  }, CONTROLS);
  const picture = await game.picture();
  const [vw, vh] = facts.viewport;
  check(picture.left >= 0 && picture.top >= 0 && picture.left + picture.width <= vw + 0.5 &&
    picture.top + picture.height <= vh + 0.5 && facts.scroll.every((s) => s === 0),
  'the whole picture is in the viewport', `${picture.width.toFixed(0)} x ` +
    `${picture.height.toFixed(0)} at (${picture.left.toFixed(0)}, ${picture.top.toFixed(0)}) ` +
    `in ${vw} x ${vh}`);
  const expected = [facts.canvas.width, facts.canvas.height].map((s) => Math.round(s * device.density));
  check(facts.buffer.every((size, i) => Math.abs(size - expected[i]) <= 1),
    `the drawing buffer is the canvas's size times ${device.density}`,
    `${facts.buffer.join(' x ')} for ${facts.canvas.width} x ${facts.canvas.height} CSS pixels`);
  const shown = facts.buttons.filter((button) => button.shown);
  check(shown.length === (device.touch ? CONTROLS.length : 0),
    `the on-screen controls are ${device.touch ? 'shown' : 'hidden'}`,
    `${shown.length} of ${CONTROLS.length}`);
  const overPicture = (b) => b.left < picture.left + picture.width && b.right > picture.left &&
    b.top < picture.top + picture.height && b.bottom > picture.top;
  const wrong = shown.filter((b) => b.width < FINGER || b.height < FINGER || overPicture(b) ||
    b.right > vw || b.bottom > vh);
  check(wrong.length === 0, `controls are at least ${FINGER} CSS pixels, in view and beside the picture`,
    wrong.length === 0 ? 'all' : wrong.map((b) => `${b.name} ${b.width} x ${b.height} at ` +
      `(${b.left}, ${b.top})`).join(', '));
}

const playerSquare = (game) => game.page.evaluate(() =>
  [window.Module._pickrpg_player_x(), window.Module._pickrpg_player_y()]);

async function stepAndBack(game) {
  const start = await playerSquare(game);
  for (const [control, along, key] of [['Step right', 1, 'ArrowRight'], ['Step left', 0, 'ArrowLeft']]) {
    // A step is refused while the last one still slides, and onto the other
    // person's square: wait until neither holds.
    const ready = await game.waitUntil(async () => (await game.page.evaluate((dx) =>
      window.Module._pickrpg_player_can_step(dx), along === 1 ? 1 : -1)) === 1);
    check(ready, `${control} can be taken`, 'the player at rest beside a free square');
    await game.press(key, control);
    const stepped = await game.waitUntil(async () =>
      (await playerSquare(game))[0] === start[0] + along);
    check(stepped, `${control} steps`, `from (${start}) to (${await playerSquare(game)})`);
  }
}

async function doubleTap(game) {
  const [x, y] = await game.pagePoint(PARK);
  await game.page.touchscreen.tap(x, y);
  await game.page.touchscreen.tap(x, y);
  await game.waitFrames(2);
  const scale = await game.page.evaluate(() => window.visualViewport.scale);
  check(scale === 1, 'a double tap on the picture does not zoom', `scale ${scale}`);
}

async function touchPlay(game, startLines) {
  log('== by touch alone: steps, Pause, Full screen, End game and Start again, a double tap');
  await stepAndBack(game);
  await pressPause(game, 'Pause shows PAUSE');
  await pressPause(game, 'Pause again hides it');
  await switchFullScreen(game, startLines, 'app');
  await switchFullScreen(game, startLines, '');
  await doubleTap(game);
  await endAndStartAgain(game, startLines);
}

async function devices(browser, url, errors) {
  for (const device of DEVICES) {
    log(`== ${device.name}: ${device.width} x ${device.height} at density ${device.density}` +
      `${device.touch ? ', touch' : ', mouse'}`);
    const game = await GamePage.open(browser, url, errors, device);
    await game.firstFrame('first');
    const startLines = await game.logLines();
    await layout(game, device);
    await lookAtWall(game, device.touch ? 'a tap' : 'a click');
    if (device === DEVICES[0]) {
      await touchPlay(game, startLines);
    }
    await game.page.screenshot({ path: path.join(options.artifacts,
      `${device.name.replace(/ /g, '-')}.png`) });
    await game.page.close();
  }
}

// ---------------------------------------------------------------------------
// Pages that must say what went wrong.

// Each of the game's files fails in turn, in a context of its own (no
// service worker, no cache): the page names it.
async function failingDownloads(browser, server) {
  log('== each of the game\'s files fails in turn');
  const cases = [['pickrpg.js', 'missing', 'the server answered 404'],
    ['pickrpg.wasm', 'reset', 'the connection failed'],
    ['pickrpg.data', 'stall', `nothing arrived for ${STALL_SECONDS} seconds`]];
  for (const [file, fault, why] of cases) {
    const context = await browser.createBrowserContext();
    server.faults.clear();
    server.faults.set(file, fault);
    const page = await context.newPage();
    await page.goto(`${server.url}?mode=windowed`, { waitUntil: 'load' });
    const told = await panelShown(page, 'error', STALL_SECONDS + EFFECT_SECONDS);
    const text = await page.$eval('#error-text', (p) => p.textContent);
    check(told && text.startsWith(`Cannot download ${file}: ${why}`), `${file} ${fault}: the page names it`,
      `"${text}"`);
    await context.close();
  }
  server.faults.clear();
}

// The start-up question on the page, answered Windowed, with the font image
// taken out of the page's file system first: the page shows the desktop's
// error text and ends the run.
async function missingImage(browser, url, errors) {
  log('== the start-up question answered on the page, without Data/Font.tga');
  const page = await browser.newPage();
  watchConsole(page, errors);
  await page.goto(url, { waitUntil: 'load' });
  if (!check(await panelShown(page, 'choice', LOAD_SECONDS), 'the page asks whether to play in full screen',
    'two buttons')) {
    return;
  }
  await page.evaluate(() => window.Module.FS.unlink('/Data/Font.tga'));
  await page.click('#windowed');
  const told = await panelShown(page, 'ended');
  const error = await page.$eval('#error', (panel) => (panel.hidden ? '' :
    `${panel.querySelector('h2').textContent}: ${panel.querySelector('p').textContent}`));
  check(told && error === 'Error: Cannot load Data/Font.tga', 'the page names the missing image',
    `"${error}"`);
  await page.close();
}

async function pageWithoutWebGL(url, errors) {
  log('== a browser without WebGL gets the page\'s message');
  const browser = await launch(['--disable-webgl'], 'no-webgl');
  try {
    const page = await browser.newPage();
    watchConsole(page, errors);
    await page.goto(url, { waitUntil: 'load' });
    const shown = await panelShown(page, 'no-webgl');
    const loading = await page.$eval('#loading', (panel) => !panel.hidden);
    check(shown && !loading, 'the no-WebGL message is shown', 'and no loading bar');
  } finally {
    await browser.close();
  }
}

// ---------------------------------------------------------------------------

// The camera's projection worked out by hand as in play_lib.sh's
// square_position (45 degrees, aspect 4 / 3, the world moved by
// (-0.5, 0, -15), the ground one unit up), while the player stands on
// (14, 14) at rest. A square's centre lies 14 units from the eye, the
// figures standing on squares 13.5.
const FOCAL = 1 / Math.tan(Math.PI / 8);
const GROUND_DEPTH = 14;
const FIGURE_DEPTH = 13.5;

// The logical pixel (top-down) of the centre of square (x, y).
function squarePosition([x, y]) {
  const windowX = ((FOCAL / (WIDTH / HEIGHT)) * (x - 14) / GROUND_DEPTH + 1) / 2 * WIDTH;
  const windowY = (FOCAL * (y - 14 + 0.5) / GROUND_DEPTH + 1) / 2 * HEIGHT;
  return [Math.trunc(windowX), HEIGHT - Math.trunc(windowY)];
}

// The square nearest to a figure whose centre shows at logical pixel
// (x, y) (top-down). A click on the figure itself would reach the ground
// below it, off the square it stands on when far from the view's centre.
function nearestSquare([x, y]) {
  const along = (x / WIDTH * 2 - 1) * FIGURE_DEPTH * (WIDTH / HEIGHT) / FOCAL + 14;
  const across = ((HEIGHT - y) / HEIGHT * 2 - 1) * FIGURE_DEPTH / FOCAL + 14 - 0.5;
  return [Math.round(along), Math.round(across)];
}

async function playSession(browser, server, errors) {
  const game = await GamePage.open(browser, `${server.url}?mode=windowed&seed=${options.seed}`, errors);
  await firstFrame(game);
  const startLines = await game.logLines();
  const began = { frames: await game.frameCount(), time: Date.now() };
  log('== space pauses: the person stands still from now on');
  await pressPause(game, 'space shows PAUSE');
  log('== L and a click on the wall square above the player');
  await lookAtWall(game, 'a click');
  await vaseFromThePile(game);
  await inventoryAndStats(game);
  await attackPerson(game);
  await loseContext(game);
  log('== a second space hides PAUSE');
  await pressPause(game, 'space hides PAUSE');
  const seconds = (Date.now() - began.time) / 1000;
  const frames = (await game.frameCount()) - began.frames;
  log(`frames per second during the session: ${(frames / seconds).toFixed(1)} ` +
    `(${frames} frames in ${seconds.toFixed(1)} s)`);
  await fullScreenAndBack(game, startLines);
  await endAndStartAgain(game, startLines);
  await game.page.screenshot({ path: path.join(options.artifacts, 'session-end.png') });
  return game;
}

async function main() {
  const errors = [];
  const server = await startServer(path.resolve(options['web-dir']));
  const browser = await launch([], 'session');
  try {
    const seeded = `${server.url}?mode=windowed&seed=${options.seed}`;
    const game = await playSession(browser, server, errors);
    await devices(browser, seeded, errors);
    await missingImage(browser, server.url, errors);
    await failingDownloads(browser, server);
    await pageWithoutWebGL(`${server.url}?mode=windowed`, errors);
    await offline(game, server);
  } finally {
    await browser.close();
    server.stop();
  }
  check(errors.length === 0, 'the console shows no error',
    errors.length === 0 ? 'none' : errors.join(' | '));
  log(failures === 0 ? 'all steps passed' : `${failures} step(s) failed`);
  process.exitCode = failures === 0 ? 0 : 1;
}

main().catch((error) => {
  log(`FAIL: ${error.stack || error}`);
  process.exitCode = 1;
});
