// Plays the browser build in Debian's Chromium (headless, WebGL through
// SwiftShader), driven by puppeteer-core, for tests/scripts/web_test.sh.
//
//   node play_in_browser.mjs --modules DIR --chromium PATH --web-dir DIR
//     --seed N --reference FRAME.ppm --profiles DIR --artifacts DIR
//
// The driver serves the build folder itself, so that it can make a file
// fail and stop serving altogether. One page is a 1024 x 768 desktop: its
// first frame is compared with the native build's reference frame, then the
// game is played as tests/scripts/play_session.sh does on the desktop (a
// wall looked at, a vase taken and dropped, the windows opened, the other
// person attacked, pause, F1 full screen and back, Escape), the WebGL
// context is lost and given back, and at the end the page is reloaded
// offline. A second page is emulated as a tablet and phones in turn, laid
// out and played by touch alone. Pages of their own must say what went
// wrong: a file that fails, an image missing, shaders the driver rejects, a
// browser without WebGL. The log is read through the page's test entry
// points, the pictures from frames the shell keeps; every step waits for its
// effect, a bounded time, and never sends its input twice. The first step
// that fails ends the run with what it saw.

import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { createReadStream, existsSync, mkdtempSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { parseArgs } from 'node:util';

const WIDTH = 1024;
const HEIGHT = 768;
// Generous: SwiftShader on a busy 2-core machine draws a few frames a second.
const LOAD_SECONDS = 90;
const EFFECT_SECONDS = 30;
// The page's own limit (page.js) for a download without a byte.
const STALL_SECONDS = 20;
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
// Apple's and Google's smallest touch target, in CSS pixels.
const FINGER = 44;

// Interface rectangles of the 1024 x 768 layout, top-down: [x, y, w, h].
const WHOLE = [0, 0, WIDTH, HEIGHT];
const LOG_REGION = [356, 632, 326, 136];
const PILE_WINDOW = [0, 0, 512, 316];
const INVENTORY_WINDOW = [512, 0, 512, 316];
const STATS_WINDOW = [512, 316, 512, 316];
const PAUSE_SIGN = [30, 10, 160, 60];
// The centres of the Get, Look and Attack buttons (68 pixels square, 10
// above the bottom), by their keys.
const ACTION_BUTTONS = { g: [44, 724], l: [180, 724], a: [316, 724] };
// Where interface elements would take a click meant for the person.
const BOTTOM_INTERFACE = [LOG_REGION, [10, 690, 340, 68], [690, 690, 136, 68]];
// The cursor rests here between steps, away from every region looked at.
const PARK = [60, 400];
// How often the person may walk off before the attack fails, and for how
// many frames each time (it tries a step one frame in five).
const PERSON_ATTEMPTS = 6;
const WALK_FRAMES = 60;
const WALL_TEXT = 'You see a part of building wall.';
const PPM_HEADER = `P6\n${WIDTH} ${HEIGHT}\n255\n`;

// The emulated screens: CSS viewport, density, and touch. The touch ones,
// a tablet and a phone held upright and sideways, are one page in turn.
const DESKTOP = { width: WIDTH, height: HEIGHT, deviceScaleFactor: 1, hasTouch: false };
const touchDevice = (width, height, deviceScaleFactor) => ({ width, height, deviceScaleFactor,
  hasTouch: true, isMobile: true, isLandscape: width > height });
const TOUCH_DEVICES = [touchDevice(1180, 820, 2), touchDevice(390, 844, 3), touchDevice(844, 390, 3)];

const { values: options } = parseArgs({ options: Object.fromEntries(['modules', 'chromium',
  'web-dir', 'seed', 'reference', 'profiles', 'artifacts'].map((name) => [name, { type: 'string' }])) });
const puppeteer = createRequire(path.resolve(options.modules, 'package.json'))('puppeteer-core');

const log = (text) => console.log(`[${new Date().toISOString().slice(11, 19)}] ${text}`);
function check(condition, text) {
  assert.ok(condition, text);
  log(`  ok: ${text}`);
}
const sameLines = (a, b) => a.join('\n') === b.join('\n');

// ---------------------------------------------------------------------------
// The server: the build folder on a free port of 127.0.0.1. faults names
// files to fail: 'missing' (404), 'reset' (the connection dropped) or
// 'stall' (no answer).

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png' };

async function startServer(root) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://host').pathname).slice(1) ||
      'index.html';
    const fault = server.faults.get(name);
    const file = path.join(root, name);
    if (fault === 'reset') {
      request.socket.destroy();
    } else if (fault === 'missing' || !existsSync(file) || !statSync(file).isFile()) {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('Not found');
    } else if (fault !== 'stall') {
      response.writeHead(200, { 'Content-Type': TYPES[path.extname(name)] ||
        'application/octet-stream', 'Content-Length': statSync(file).size, 'Cache-Control': 'no-cache' });
      createReadStream(file).pipe(response);
    }
  });
  server.faults = new Map();
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  server.url = `http://127.0.0.1:${server.address().port}/`;
  return server;
}

function launch(extraArguments, profileName) {
  // Root may run Chromium only without its sandbox.
  const sandbox = process.getuid() === 0 ? ['--no-sandbox'] : [];
  return puppeteer.launch({ executablePath: options.chromium, headless: true,
    userDataDir: mkdtempSync(path.join(options.profiles, `${profileName}-`)),
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-component-update',
      '--disable-quic', ...sandbox, ...extraArguments] });
}

// ---------------------------------------------------------------------------
// A page of the game: input as a player gives it (mouse and keyboard, or
// touch), the log and frames as the shell keeps them.

class GamePage {
  // A page whose console errors and uncaught exceptions go to errors.
  static async open(browser, errors, device = DESKTOP) {
    const page = await browser.newPage();
    // Loads and waits for the page's own effects as long as the first frame.
    page.setDefaultTimeout(LOAD_SECONDS * 1000);
    page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
    page.on('pageerror', (error) => errors.push(String(error)));
    await page.setViewport(device);
    return Object.assign(new GamePage(), { page, device });
  }

  // Loads the address and waits for the first frame of the run it starts,
  // which a seeded run keeps; the log the game starts with.
  async start(address) {
    await (address ? this.page.goto(address) : this.page.reload());
    check(await this.until(() => this.page.evaluate(() => window.Module?.calledRun === true &&
      window.Module._pickrpg_kept_frame() !== 0), LOAD_SECONDS),
    `a first frame within ${LOAD_SECONDS} s (${await this.panels()})`);
    this.startLines = await this.logLines();
  }

  // The page's panels that show, with their text.
  panels() {
    return this.page.evaluate(() => [...document.querySelectorAll('.panel')]
      .filter((panel) => !panel.hidden)
      .map((panel) => `${panel.id}: ${panel.textContent.replace(/\s+/g, ' ').trim()}`).join('; '));
  }

  // Where logical pixel [x, y] shows in CSS pixels of the page: the canvas,
  // and the scene's fit of the picture into it.
  pagePoint(pixel) {
    return this.page.$eval('#canvas', (canvas, [x, y], [width, height]) => {
      const box = canvas.getBoundingClientRect();
      const scale = Math.min(box.width / width, box.height / height);
      return [box.left + (box.width - width * scale) / 2 + (x + 0.5) * scale,
        box.top + (box.height - height * scale) / 2 + (y + 0.5) * scale];
    }, pixel, [WIDTH, HEIGHT]);
  }

  // A left click, then the cursor goes back out of the way; a tap by touch.
  async click(pixel) {
    if (this.device.hasTouch) {
      return this.page.touchscreen.tap(...(await this.pagePoint(pixel)));
    }
    await this.page.mouse.click(...(await this.pagePoint(pixel)));
    return this.page.mouse.move(...(await this.pagePoint(PARK)));
  }

  // A key, or on a touch device the on-screen control named.
  async press(key, control) {
    return this.device.hasTouch ? (await this.page.$(`::-p-aria(${control})`)).tap() :
      this.page.keyboard.press(key);
  }

  call(entry, ...args) {
    return this.page.evaluate((name, values) => window.Module[name](...values), entry, args);
  }

  // The log's lines; the game writes them in Windows-1252.
  logLines() {
    return this.page.evaluate(() => {
      const start = window.Module._pickrpg_log_lines();
      const heap = window.Module.HEAPU8;
      return new TextDecoder('windows-1252').decode(heap.subarray(start, heap.indexOf(0, start)))
        .split('\n').slice(0, -1);
    });
  }

  // What the log gains by act(); '' when nothing arrives in time.
  async logGain(act) {
    const before = await this.logLines();
    await act();
    let lines = before;
    await this.until(async () => (lines = await this.logLines()).length > before.length);
    return lines.slice(before.length).join(' ');
  }

  // The next frame drawn.
  async shot() {
    await this.call('_pickrpg_keep_next_frame');
    await this.page.waitForFunction(() => window.Module._pickrpg_kept_frame() !== 0,
      { polling: 'raf' });
    return this.kept();
  }

  // The frame the shell kept, as RGB rows top-down (a PPM's pixels; the
  // drawing buffer's rows go bottom-up). The page is 1024 x 768 then (see
  // layout()).
  async kept() {
    const encoded = await this.page.evaluate(() => {
      const module = window.Module;
      const [width, height] = [module._pickrpg_kept_frame_width(), module._pickrpg_kept_frame_height()];
      const kept = module.HEAPU8.subarray(module._pickrpg_kept_frame());
      const rows = [];
      for (let y = height - 1; y >= 0; --y) {
        const rgba = kept.subarray(y * width * 4, (y + 1) * width * 4);
        rows.push(String.fromCharCode(...rgba.filter((value, i) => i % 4 !== 3)));
      }
      return btoa(rows.join(''));
    });
    return Buffer.from(encoded, 'base64');
  }

  // Asks holds() until it is true, a bounded time.
  async until(holds, seconds = EFFECT_SECONDS) {
    for (const deadline = Date.now() + seconds * 1000; !(await holds()); await sleep(100)) {
      if (Date.now() >= deadline) {
        return false;
      }
    }
    return true;
  }

  async waitFrames(count) {
    const target = (await this.call('_pickrpg_frame_count')) + count;
    return this.until(async () => (await this.call('_pickrpg_frame_count')) >= target);
  }
}

// ---------------------------------------------------------------------------
// Frames' pixels, through one loop: how many of a region's every step-th
// pixels (by their offset) count, and where.

function countPixels([left, top, w, h], counts, step = 1) {
  let count = 0;
  for (let y = top; y < top + h; y += step) {
    for (let x = left; x < left + w; x += step) {
      count += counts((y * WIDTH + x) * 3) ? 1 : 0;
    }
  }
  return count;
}

const difference = (a, b, i) =>
  Math.max(Math.abs(a[i] - b[i]), Math.abs(a[i + 1] - b[i + 1]), Math.abs(a[i + 2] - b[i + 2]));
const changedPixels = (before, after, region) =>
  countPixels(region, (i) => difference(before, after, i) > CHANGE_FUZZ);

// The first frame against the native reference over a region: at least
// closeShare of the pixels within CLOSE_CHANNEL in every channel, at most
// farOff beyond FARTHEST_CHANNEL.
function matches(pixels, reference, region, closeShare, farOff, what) {
  const close = countPixels(region, (i) => difference(pixels, reference, i) <= CLOSE_CHANNEL);
  const far = countPixels(region, (i) => difference(pixels, reference, i) > FARTHEST_CHANNEL);
  const share = close / (region[2] * region[3]);
  check(share >= closeShare && far <= farOff, `${what} as the native build's: ${far} pixels ` +
    `beyond ${FARTHEST_CHANNEL}/255, ${(share * 100).toFixed(3)} % within ${CLOSE_CHANNEL}/255`);
}

// The centre (top-down) of the red-tinted person, as play_lib.sh's
// find_red_being looks for it: every fourth pixel, red with hardly any
// green or blue; null when it is not in view.
function findPerson(pixels) {
  const [xs, ys] = [[], []];
  countPixels(WHOLE, (i) => pixels[i] > 0.3 * 255 && pixels[i + 1] < 0.1 * 255 &&
    pixels[i + 2] < 0.1 * 255 && xs.push((i / 3) % WIDTH) && ys.push(Math.trunc(i / 3 / WIDTH)), 4);
  const middle = (values) => Math.trunc((Math.min(...values) + Math.max(...values)) / 2);
  const spread = (values) => Math.max(...values) - Math.min(...values);
  return xs.length === 0 || spread(xs) < 4 || spread(ys) < 4 ? null : [middle(xs), middle(ys)];
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

const inside = ([x, y], [left, top, w, h]) => x >= left && x < left + w && y >= top && y < top + h;
const reachable = (pixel) => inside(pixel, WHOLE) &&
  !BOTTOM_INTERFACE.some((region) => inside(pixel, region));

const WALL = squarePosition([14, 15]);
const PILE = squarePosition([20, 8]);
const DROP = squarePosition([15, 14]);

// ---------------------------------------------------------------------------
// The steps of a session.

// The drawing buffer is the canvas's size in device pixels, the whole
// picture is in view, and the on-screen controls show on touch devices
// only, finger sized, in view and never over the picture.
async function layout(game) {
  const { deviceScaleFactor: density, hasTouch: touch } = game.device;
  const sharp = () => game.page.$eval('#canvas', (canvas, d) => Math.abs(canvas.width -
    canvas.clientWidth * d) <= 1 && Math.abs(canvas.height - canvas.clientHeight * d) <= 1, density);
  check(await game.until(sharp), `the drawing buffer is the canvas's CSS size times ${density}`);
  const [[left, top], [right, bottom]] = [await game.pagePoint([-0.5, -0.5]),
    await game.pagePoint([WIDTH - 0.5, HEIGHT - 0.5])];
  const [width, height, scrolled, buttons] = await game.page.evaluate(() => [innerWidth,
    innerHeight, scrollX + scrollY, [...document.querySelectorAll('.pad button')]
      .map((button) => button.getBoundingClientRect().toJSON())]);
  check(left >= 0 && top >= 0 && right <= width + 0.5 && bottom <= height + 0.5 && !scrolled,
    `the whole picture in the ${width} x ${height} view: (${left}, ${top}) to (${right}, ${bottom})`);
  const shown = buttons.filter((b) => b.width > 0);
  const fit = shown.filter((b) => b.width >= FINGER && b.height >= FINGER && b.right <= width &&
    b.bottom <= height && (b.right <= left || b.left >= right || b.bottom <= top || b.top >= bottom));
  check(shown.length === (touch ? buttons.length : 0) && fit.length === shown.length,
    `${shown.length} of ${buttons.length} controls shown, ${fit.length} of them fit for a finger`);
}

// An action chosen by its key, or by touch with its button in the picture,
// then a click on pixel: what the log gains. The click waits for a frame
// that has read the choice, or it would act before it. By touch a second
// finger lands on the pile while the first is on the button, and must do
// nothing: no action on the pile, the chosen one left for the next tap.
async function act(game, key, pixel) {
  if (game.device.hasTouch) {
    const first = await game.page.touchscreen.touchStart(...(await game.pagePoint(ACTION_BUTTONS[key])));
    const second = await game.page.touchscreen.touchStart(...(await game.pagePoint(PILE)));
    await second.end();
    await first.end();
  } else {
    await game.press(key);
  }
  await game.waitFrames(2);
  return game.logGain(() => game.click(pixel));
}

async function lookAtWall(game) {
  const text = await act(game, 'l', WALL);
  check(text === WALL_TEXT, `Look and a click or tap on the wall: "${text}"`);
}

// Inputs, each followed by the region of the picture it changes: a key, or
// a click at a logical pixel; each is read by a frame before the next.
// Only a vase taken from the pile (its first icon) lies on the free square
// once the next click drops it there.
const PICTURE_STEPS = [
  ['G and a click on the vase pile open its window', ['g', PILE], PILE_WINDOW],
  ['a vase taken from the pile and dropped on a free square lies there',
    [[256, 42], DROP], [DROP[0] - 25, DROP[1] - 25, 50, 50]],
  ['the close square shuts the pile window', [[497, 15]], PILE_WINDOW],
  ['I opens the inventory window', ['i'], INVENTORY_WINDOW],
  ['S opens the statistics window', ['s'], STATS_WINDOW],
  ['I closes the inventory window', ['i'], INVENTORY_WINDOW],
  ['S closes the statistics window', ['s'], STATS_WINDOW],
];

async function pictureSteps(game, steps) {
  let frame = await game.shot();
  for (const [what, inputs, region] of steps) {
    for (const input of inputs) {
      await (typeof input === 'string' ? game.press(input) : game.click(input));
      await game.waitFrames(2);
    }
    const before = frame;
    let changed = 0;
    await game.until(async () =>
      (changed = changedPixels(before, (frame = await game.shot()), region)) >= CHANGED_PIXELS);
    check(changed >= CHANGED_PIXELS, `${what} (${changed} pixels changed)`);
  }
}

const pause = (game, what) => pictureSteps(game, [[what, ['Space'], PAUSE_SIGN]]);

// The pause freezes the person mid-step too, and a step moves it to the
// next square before it slides there: a figure that still shows on one
// square may stand on a square beside it. The first attack tells which,
// where a click reaches it (not behind the log or a button). While the
// person is out of view or out of reach it walks a while, a few times at
// most.
async function attackPerson(game) {
  for (let attempt = 1; attempt <= PERSON_ATTEMPTS; ++attempt) {
    const figure = findPerson(await game.shot());
    const [x, y] = figure ? nearestSquare(figure) : [];
    for (const [dx, dy] of figure ? [[0, 0], [1, 0], [-1, 0], [0, 1], [0, -1]] : []) {
      const target = squarePosition([x + dx, y + dy]);
      const text = reachable(target) ? await act(game, 'a', target) : 'out of reach';
      log(`  the person's figure at (${figure}); square (${[x + dx, y + dy]}): "${text}"`);
      if (/has been hit for/.test(text)) {
        const second = await act(game, 'a', target);
        check(/has been hit for/.test(second) && /dead/.test((await game.logLines()).join(' ')),
          `attacked twice at (${target}), the person is dead: "${text}", "${second}"`);
        return;
      }
    }
    await pause(game, 'the person not found yet: space lets it walk');
    await game.waitFrames(WALK_FRAMES);
    await pause(game, 'space pauses it again');
  }
  check(false, `the person where a click reaches it, within ${PERSON_ATTEMPTS} tries`);
}

// The context lost through WEBGL_lose_context: the page says so, offers a
// reload after a few seconds, and once the context is back the same game
// goes on, its picture as before (the game is paused).
async function loseContext(game) {
  const [before, lines] = [await game.shot(), await game.logLines()];
  const extension = await game.page.evaluateHandle(() => document.getElementById('canvas')
    .getContext('webgl').getExtension('WEBGL_lose_context'));
  await extension.evaluate((context) => context.loseContext());
  check(await game.until(async () => /did not come back/.test(await game.panels())),
    'a context that stays lost offers a reload');
  await extension.evaluate((context) => context.restoreContext());
  check(await game.waitFrames(3) && (await game.panels()) === '', 'the context is back');
  const changed = changedPixels(before, await game.shot(), WHOLE);
  check(changed < CHANGED_PIXELS && sameLines(await game.logLines(), lines),
    `the same game: the log unchanged, the picture as before (${changed} pixels changed)`);
}

// F1 (or the Full screen control) starts a new game with the page full
// screen (want 'app') or back in the page (want ''). The page switches at
// once, the game with the next frame: a key pressed before would go to the
// game that ends.
async function fullScreen(game, want) {
  await game.press('F1', 'Full screen');
  await game.waitFrames(2);
  const element = () => game.page.evaluate(() => document.fullscreenElement?.id ?? '');
  check(await game.until(async () => (await element()) === want &&
    sameLines(await game.logLines(), game.startLines)), `F1 ${want ? 'fills the screen' :
    'gives back the page'} with a new game (full-screen element "${await element()}")`);
}

async function endAndStartAgain(game) {
  await game.press('Escape', 'End game');
  check(await game.until(async () => /ended/.test(await game.panels())), 'Escape ends the game');
  const frames = await game.call('_pickrpg_frame_count');
  await (await game.page.$('#again'))[game.device.hasTouch ? 'tap' : 'click']();
  check(await game.until(async () => (await game.call('_pickrpg_frame_count')) > frames + 1 &&
    sameLines(await game.logLines(), game.startLines)), 'Start again draws a new game');
}

async function desktopSession(game, address) {
  log('== start: windowed and seeded at 1024 x 768; the first frame against the native one');
  await game.start(address);
  await layout(game);
  const first = await game.kept();
  writeFileSync(path.join(options.artifacts, 'first-frame.ppm'),
    Buffer.concat([Buffer.from(PPM_HEADER, 'latin1'), first]));
  // A reference of another size or format fails to match.
  const reference = readFileSync(options.reference).subarray(PPM_HEADER.length);
  matches(first, reference, WHOLE, CLOSE_SHARE, FAR_OFF_SHARE * WIDTH * HEIGHT, 'the first frame');
  matches(first, reference, LOG_REGION, 0, 0, 'the log\'s text');
  // The person stands still from now on.
  await pause(game, 'space shows PAUSE');
  await lookAtWall(game);
  await pictureSteps(game, PICTURE_STEPS);
  await attackPerson(game);
  await loseContext(game);
  await pause(game, 'a second space hides PAUSE');
  // Full screen left by the document, as by the browser's Escape: the
  // next F1 enters it again, and the wall is looked at there.
  await fullScreen(game, 'app');
  await game.page.evaluate(() => document.exitFullscreen());
  await fullScreen(game, 'app');
  await lookAtWall(game);
  await fullScreen(game, '');
  await endAndStartAgain(game);
}

// One page emulated as each touch device in turn, played by touch alone.
async function touchSession(game, address) {
  await game.start(address);
  for (const device of TOUCH_DEVICES) {
    log(`== ${device.width} x ${device.height} at density ${device.deviceScaleFactor}, by touch`);
    // Touch and mobility stay as the page opened with (changing them reloads).
    await game.page.setViewport((game.device = device));
    await layout(game);
    await lookAtWall(game);
  }
  // A step is refused while the last one still slides, and onto the other
  // person's square: wait until neither holds.
  check(await game.until(async () => (await game.call('_pickrpg_player_can_step', 1)) === 1),
    'a step right can be taken');
  const from = await game.call('_pickrpg_player_x');
  await game.press(null, 'Step right');
  check(await game.until(async () => (await game.call('_pickrpg_player_x')) === from + 1),
    'the Step right control steps');
  await fullScreen(game, 'app');
  await fullScreen(game, '');
  await endAndStartAgain(game);
}

// ---------------------------------------------------------------------------
// Pages that must say what went wrong, each in a browser of its own (no
// service worker, no cache): a file of the game made to fail (the console
// then shows the failed request), the start-up question answered with the
// font image taken out of the page's file system, shaders that the driver
// rejects, and a browser without WebGL. shows: the panels shown, their text.

const BROKEN_PAGES = [
  { fault: ['pickrpg.js', 'missing'],
    shows: /^error: Error Cannot download pickrpg\.js: the server answered 404 Not Found\.$/ },
  { fault: ['pickrpg.wasm', 'reset'],
    shows: /^error: Error Cannot download pickrpg\.wasm: the connection failed\.$/ },
  { fault: ['pickrpg.data', 'stall'], shows: new RegExp('^error: Error Cannot download ' +
    `pickrpg\\.data: nothing arrived for ${STALL_SECONDS} seconds\\.$`) },
  { query: '', act: async (page) => {
    await page.waitForSelector('#choice:not([hidden])');
    await page.evaluate(() => window.Module.FS.unlink('/Data/Font.tga'));
    await page.click('#windowed');
  }, shows: /^error: Error Cannot load Data\/Font\.tga; ended: The game has ended\. Start again$/ },
  { script: () => {
    const shaderSource = WebGLRenderingContext.prototype.shaderSource;
    WebGLRenderingContext.prototype.shaderSource = function (shader, source) {
      shaderSource.call(this, shader, `${source}\nnot a line of GLSL`);
    };
  }, shows: new RegExp("^error: Error The browser's graphics driver rejected the game's " +
    'shaders, so the picture cannot be drawn: \\S') },
  { args: ['--disable-webgl'], shows: /^no-webgl: No WebGL This browser cannot draw with WebGL/ },
];

async function brokenPages(server, errors) {
  for (const [index, row] of BROKEN_PAGES.entries()) {
    server.faults = new Map(row.fault ? [row.fault] : []);
    const browser = await launch(row.args ?? [], `broken-${index}`);
    const game = await GamePage.open(browser, row.fault ? [] : errors);
    await game.page.evaluateOnNewDocument(row.script ?? (() => {}));
    await game.page.goto(`${server.url}${row.query ?? '?mode=windowed'}`);
    await row.act?.(game.page);
    check(await game.until(async () => row.shows.test(await game.panels()),
      LOAD_SECONDS + STALL_SECONDS), `the page says "${await game.panels()}"`);
    await browser.close();
  }
}

// The browsers still open when the run ends, passed or failed, end with it
// (puppeteer kills them when node exits).
async function main() {
  const errors = [];
  const server = await startServer(path.resolve(options['web-dir']));
  const browser = await launch([], 'session');
  const address = `${server.url}?mode=windowed&seed=${options.seed}`;
  const desktop = await GamePage.open(browser, errors);
  await desktopSession(desktop, address);
  await touchSession(await GamePage.open(browser, errors, TOUCH_DEVICES[0]), address);
  await brokenPages(server, errors);
  // Offline: with the server stopped, the service worker starts the game
  // (in the tab in front: a hidden page draws nothing).
  await desktop.page.bringToFront();
  await desktop.page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  server.close();
  server.closeAllConnections();
  await desktop.start();
  check(errors.length === 0, `the console shows no error: ${errors.join(' | ') || 'none'}`);
  log('all steps passed');
}

main().then(() => process.exit(0), (error) => {
  log(`FAILED: ${error.stack}`);
  process.exit(1);
});
