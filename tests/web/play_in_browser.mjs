// Plays the browser build in Debian's Chromium (headless, WebGL through
// SwiftShader), driven by puppeteer-core, for tests/scripts/web_test.sh.
//
//   node play_in_browser.mjs --modules DIR --chromium PATH --web-dir DIR
//     --seed N --reference FRAME.ppm --artifacts DIR
//
// Python's server serves the build folder, as ./run.sh --web does. One page
// plays the session. As a 1024 x 768 desktop its first frame is compared
// with the native build's reference frame, the game is paused and its WebGL
// context lost and given back, and the other person is attacked; then as a tablet and phones in turn it is
// laid out and played by touch alone. Both end alike: F1 (or the Full screen
// control) to full screen and back, the wall looked at in full screen,
// Escape (or End game) and Start again. At the end the page is reloaded
// with the server stopped. Pages of their own must say what went wrong: a
// file that fails, shaders the driver rejects, a browser without WebGL.
// The log is read through the page's test entry points, the pictures from
// frames the shell keeps; every step waits for its effect, a bounded time,
// and never sends its input twice. The first step that fails ends the run
// with what it saw.

import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { parseArgs } from 'node:util';

const WIDTH = 1024;
const HEIGHT = 768;
// Generous: SwiftShader on a busy 2-core machine draws a few frames a second.
const LOAD_SECONDS = 90;
const EFFECT_SECONDS = 30;
// How long the other person may take to wander where a click reaches it.
const PERSON_SECONDS = 300;
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
// Region checks: pixels that differ by more than a tenth in some channel,
// at least this many for a change.
const CHANGE_FUZZ = 26;
const CHANGED_PIXELS = 40;
// Apple's and Google's smallest touch target, in CSS pixels.
const FINGER = 44;

// Rectangles of the 1024 x 768 picture, top-down: [x, y, w, h].
const WHOLE = [0, 0, WIDTH, HEIGHT];
const LOG_REGION = [356, 632, 326, 136];
const PAUSE_SIGN = [30, 10, 160, 60];
// The centres of squares (14, 15), a wall, and (20, 8), the vase pile, in
// logical pixels while the player stands on (14, 14) at rest, through the
// camera's projection (square_position in tests/scripts/play_session.sh).
const WALL = [512, 285];
const PILE = [909, 749];
const WALL_TEXT = 'You see a part of building wall.';
const HIT_TEXT = 'someone has been hit for 10 health points.';
// Where the log and the buttons would take a click meant for the person.
const BOTTOM_INTERFACE = [LOG_REGION, [10, 690, 340, 68], [690, 690, 136, 68]];
const FOCAL = 1 / Math.tan(Math.PI / 8);
const PPM_HEADER = `P6\n${WIDTH} ${HEIGHT}\n255\n`;
// What a touch player uses for a key: a control of the page, by its name,
// or a button in the picture (the Look button, 68 pixels square, 10 above
// the bottom), by its centre.
const TOUCH_KEYS = { F1: 'Full screen', Escape: 'End game', ArrowRight: 'Step right', l: [180, 724] };

// The emulated screens: CSS viewport, density, and touch. Switching from
// the desktop to the touch ones reloads the page.
const DESKTOP = { width: WIDTH, height: HEIGHT, deviceScaleFactor: 1, hasTouch: false };
const touchDevice = (width, height, deviceScaleFactor) =>
  ({ width, height, deviceScaleFactor, hasTouch: true, isMobile: true, isLandscape: width > height });
const TOUCH_DEVICES = [touchDevice(1180, 820, 2), touchDevice(390, 844, 3), touchDevice(844, 390, 3)];

const { values: options } = parseArgs({ options: Object.fromEntries(['modules', 'chromium',
  'web-dir', 'seed', 'reference', 'artifacts'].map((name) => [name, { type: 'string' }])) });
const puppeteer = createRequire(path.resolve(options.modules, 'package.json'))('puppeteer-core');
// What the session's pages write to the console as errors, or throw.
const errors = [];

const log = (text) => console.log(`[${new Date().toISOString().slice(11, 19)}] ${text}`);
function check(condition, text) {
  assert.ok(condition, text);
  log(`  ok: ${text}`);
}
const sameLines = (a, b) => a.join('\n') === b.join('\n');

// Python's server on a free port of 127.0.0.1; it says which once it listens.
async function startServer() {
  const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '--directory',
    path.resolve(options['web-dir']), '0'], { stdio: ['ignore', 'pipe', 'ignore'] });
  const [announced] = await once(server.stdout, 'data');
  return Object.assign(server, { url: `http://127.0.0.1:${/port (\d+)/.exec(announced)[1]}/` });
}

// A browser with a profile of its own (no service worker, no cache from
// another), and a page in it whose console errors and uncaught exceptions
// go to pageErrors. Root may run Chromium only without its sandbox.
async function openPage(extraArguments, profileName, pageErrors) {
  const sandbox = process.getuid() === 0 ? ['--no-sandbox'] : [];
  const browser = await puppeteer.launch({ executablePath: options.chromium, headless: true,
    userDataDir: mkdtempSync(path.join(options.artifacts, 'profiles', `${profileName}-`)),
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-component-update',
      '--disable-quic', ...sandbox, ...extraArguments] });
  const [page] = await browser.pages();
  // Loads and waits for the page's own effects as long as the first frame.
  page.setDefaultTimeout(LOAD_SECONDS * 1000);
  page.on('console', (message) => message.type() === 'error' && pageErrors.push(message.text()));
  page.on('pageerror', (error) => pageErrors.push(String(error)));
  await page.setViewport(DESKTOP);
  return Object.assign(new GamePage(), { browser, page, device: DESKTOP });
}

// ---------------------------------------------------------------------------
// A page of the game: input as a player gives it (mouse and keyboard, or
// touch), the log and frames as the shell keeps them.

class GamePage {
  // Loads the page by navigate(), then waits for the first frame of the run
  // it starts, which a seeded run keeps; the log the game starts with.
  async start(navigate) {
    await navigate();
    this.first = await this.frame(false);
    this.startLines = await this.logLines();
  }

  // The page's panels that show, with their text.
  panels() {
    return this.page.$$eval('.panel:not([hidden])', (shown) => shown.map((panel) =>
      `${panel.id}: ${panel.textContent.replace(/\s+/g, ' ').trim()}`).join('; '));
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

  // Inputs, each read by a frame before the next: a key, a click (or tap)
  // at a logical pixel, an element of the page ('#id'), or a step of the
  // driver's own. By touch a key is what TOUCH_KEYS names; a button in the
  // picture is tapped while a second finger lands on the pile, and that
  // finger must do nothing (no action on the pile, the chosen one left for
  // the next tap).
  async give(...inputs) {
    for (const [index, input] of inputs.entries()) {
      await (index > 0 && this.waitFrames(2));
      const touch = this.device.hasTouch ? TOUCH_KEYS[input] ?? input : undefined;
      if (typeof input === 'function') {
        await input(this);
      } else if (Array.isArray(input)) {
        const point = await this.pagePoint(input);
        await (touch ? this.page.touchscreen.tap(...point) : this.page.mouse.click(...point));
      } else if (Array.isArray(touch)) {
        const first = await this.page.touchscreen.touchStart(...(await this.pagePoint(touch)));
        await (await this.page.touchscreen.touchStart(...(await this.pagePoint(PILE)))).end();
        await first.end();
      } else if (touch) {
        await this.page.tap(touch.startsWith('#') ? touch : `::-p-aria(${touch})`);
      } else {
        await (input.startsWith('#') ? this.page.click(input) : this.page.keyboard.press(input));
      }
    }
  }

  call(entry, ...args) {
    return this.page.evaluate((name, values) => window.Module[name](...values), entry, args);
  }

  // The log's lines; the game writes them in Windows-1252.
  logLines() {
    return this.page.evaluate(() => {
      const [start, heap] = [window.Module._pickrpg_log_lines(), window.Module.HEAPU8];
      return new TextDecoder('windows-1252').decode(heap.subarray(start, heap.indexOf(0, start)))
        .split('\n').slice(0, -1);
    });
  }

  // The next frame drawn, or with next false the first frame the seeded
  // start kept, as RGB rows top-down (a PPM's pixels; the drawing buffer's
  // rows go bottom-up). The page is 1024 x 768 then.
  async frame(next = true) {
    await (next && this.call('_pickrpg_keep_next_frame'));
    const encoded = await this.page.waitForFunction((width, height) => {
      const start = window.Module?.calledRun ? window.Module._pickrpg_kept_frame() : 0;
      const rows = [];
      for (let y = height - 1; start !== 0 && y >= 0; --y) {
        const rgba = window.Module.HEAPU8.subarray(start + y * width * 4, start + (y + 1) * width * 4);
        rows.push(String.fromCharCode(...rgba.filter((value, i) => i % 4 !== 3)));
      }
      return start !== 0 && btoa(rows.join(''));
    }, { polling: 'raf' }, WIDTH, HEIGHT);
    return Buffer.from(await encoded.jsonValue(), 'base64');
  }

  // outcome() gives [whether it holds, what was seen]: asked until it holds,
  // a bounded time.
  async expect(what, outcome, seconds = EFFECT_SECONDS) {
    const deadline = Date.now() + seconds * 1000;
    let result;
    while (!(result = await outcome())[0] && Date.now() < deadline) await sleep(100);
    check(result[0], result[1] === '' ? what : `${what} (${result[1]})`);
  }

  async waitFrames(count) {
    const target = (await this.call('_pickrpg_frame_count')) + count;
    await this.page.waitForFunction((frames) => window.Module._pickrpg_frame_count() >= frames,
      { timeout: EFFECT_SECONDS * 1000 }, target);
  }
}

// ---------------------------------------------------------------------------
// Frames' pixels: how many of a region's pixels count, and how far two
// frames' pixels are apart.

function countPixels([left, top, w, h], counts) {
  let count = 0;
  for (let y = top; y < top + h; ++y) {
    for (let x = left; x < left + w; ++x) {
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

// The centre of the red-tinted person's figure in a frame, or null while it
// is out of view.
function findFigure(pixels) {
  const [xs, ys] = [[], []];
  countPixels(WHOLE, (i) => pixels[i] - pixels[i + 1] - pixels[i + 2] > 0.3 * 255 &&
    xs.push((i / 3) % WIDTH) && ys.push(Math.trunc(i / 3 / WIDTH)));
  const [spread, middle] = [(v) => Math.max(...v) - Math.min(...v),
    (v) => (Math.min(...v) + Math.max(...v)) / 2];
  return xs.length === 0 || spread(xs) < 4 || spread(ys) < 4 ? null : [middle(xs), middle(ys)];
}

// The squares the person may stand on while its figure shows centred on
// [x, y], where a click reaches them (not behind the log or a button, not
// the player's own): the square under the figure, worked out as the desktop
// play session does, and the four beside it, since a step puts the person
// on its next square at once and the figure slides there after.
function squaresAround([x, y]) {
  const along = Math.round((x / WIDTH * 2 - 1) * 13.5 * (WIDTH / HEIGHT) / FOCAL);
  const across = Math.round(((HEIGHT - y) / HEIGHT * 2 - 1) * 13.5 / FOCAL - 0.5);
  const centre = ([dx, dy]) => [
    Math.trunc((FOCAL / (WIDTH / HEIGHT) * (along + dx) / 14 + 1) / 2 * WIDTH),
    HEIGHT - Math.trunc((FOCAL * (across + dy + 0.5) / 14 + 1) / 2 * HEIGHT)];
  const inside = ([px, py], [left, top, w, h]) => px >= left && px < left + w && py >= top &&
    py < top + h;
  return [[0, 0], [1, 0], [-1, 0], [0, 1], [0, -1]]
    .filter(([dx, dy]) => along + dx !== 0 || across + dy !== 0).map(centre)
    .filter((pixel) => inside(pixel, WHOLE) && !BOTTOM_INTERFACE.some((r) => inside(pixel, r)));
}

// The person wanders over the whole map: the running game is watched until
// its figure shows, then paused, and A and a click try each square the
// person may stand on until one hits it; otherwise the game goes on.
async function attackPerson(game) {
  const deadline = Date.now() + PERSON_SECONDS * 1000;
  for (;;) {
    assert.ok(Date.now() < deadline, `the person hit within ${PERSON_SECONDS} s`);
    if (!findFigure(await game.frame())) continue;
    await game.give('Space');
    await game.waitFrames(2);
    const figure = findFigure(await game.frame());
    for (const square of figure ? squaresAround(figure) : []) {
      const lines = await game.logLines();
      await game.give('a', square);
      await game.expect(`A and a click at (${square}) write to the log`, async () =>
        [(await game.logLines()).length > lines.length, '']);
      const gained = (await game.logLines()).slice(lines.length).join(' ');
      if (gained.startsWith('someone')) {
        return check(gained === HIT_TEXT, `A and a click at (${square}) hit the person: "${gained}"`);
      }
    }
    await game.give('Space');
  }
}

// ---------------------------------------------------------------------------
// The steps of a session: each gives its inputs, then waits until its
// outcome holds, judged against the log and (for the picture) the frame
// before the inputs, and the frame count after them.

const says = (text) => async (game, before) => {
  const gained = (await game.logLines()).slice(before.lines.length).join(' ');
  return [gained === text, `the log gained "${gained}"`];
};
const shows = (pattern) => async (game) => {
  const panels = await game.panels();
  return [pattern.test(panels), `the page says "${panels}"`];
};
// A new game: the log the game starts with, frames drawn since the last
// input (a key given before would go to the game that ends), and the page
// full screen ('app') or not ('').
const newGame = (element) => async (game, before) => {
  const shown = await game.page.evaluate(() => document.fullscreenElement?.id ?? '');
  return [shown === element && (await game.call('_pickrpg_frame_count')) > before.inputFrame + 2 &&
    sameLines(await game.logLines(), game.startLines), `full screen: "${shown}"`];
};
const changes = (region) => Object.assign(async (game, before) => {
  const changed = changedPixels(before.frame, await game.frame(), region);
  return [changed >= CHANGED_PIXELS, `${changed} pixels changed`];
}, { picture: true });
// The same game as before: no panel shown, the log and the picture as they
// were.
const unchanged = Object.assign(async (game, before) => {
  const [changed, panels] = [changedPixels(before.frame, await game.frame(), WHOLE),
    await game.panels()];
  return [changed < CHANGED_PIXELS && panels === '' && sameLines(await game.logLines(),
    before.lines), `${changed} pixels changed, panels "${panels}"`];
}, { picture: true });

async function play(game, steps) {
  for (const [what, inputs, outcome] of steps) {
    const before = { lines: await game.logLines(), frame: outcome.picture && (await game.frame()) };
    await game.give(...inputs);
    before.inputFrame = await game.call('_pickrpg_frame_count');
    await game.expect(what, () => outcome(game, before));
  }
}

// The context lost through WEBGL_lose_context: the page says so and offers
// a reload after a few seconds; then it is given back.
async function loseContext(game) {
  const extension = await game.page.evaluateHandle(() => document.getElementById('canvas')
    .getContext('webgl').getExtension('WEBGL_lose_context'));
  await extension.evaluate((context) => context.loseContext());
  await game.expect('a context that stays lost offers a reload',
    () => shows(/did not come back/)(game));
  await extension.evaluate((context) => context.restoreContext());
}

// F1 starts a new game, the page switching at once and the game with the
// next frame. Full screen left by the document, as by the browser's Escape:
// the next F1 enters it again.
const LOOK = ['Look and a click or tap on the wall', ['l', WALL], says(WALL_TEXT)];
const FULL_SCREEN_AND_END = [
  ['F1 fills the screen with a new game', ['F1'], newGame('app')],
  ['F1 fills it again once the document left it',
    [(game) => game.page.evaluate(() => document.exitFullscreen()), 'F1'], newGame('app')],
  LOOK,
  ['F1 gives back the page with a new game', ['F1'], newGame('')],
  ['Escape ends the game', ['Escape'], shows(/ended/)],
  ['Start again draws a new game', ['#again'], newGame('')],
];

// The drawing buffer is the canvas's size in device pixels, the whole
// picture is in view, and the on-screen controls show on touch devices
// only, finger sized, in view and never over the picture.
async function layout(game) {
  const { deviceScaleFactor: density, hasTouch: touch } = game.device;
  await game.expect(`the drawing buffer is the canvas's CSS size times ${density}`, async () =>
    [await game.page.$eval('#canvas', (canvas, d) => Math.abs(canvas.width - canvas.clientWidth * d)
      <= 1 && Math.abs(canvas.height - canvas.clientHeight * d) <= 1, density), '']);
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

async function desktopSession(game, address) {
  log('== windowed and seeded at 1024 x 768: the first frame against the native one');
  await game.start(() => game.page.goto(address));
  await layout(game);
  writeFileSync(path.join(options.artifacts, 'first-frame.ppm'),
    Buffer.concat([Buffer.from(PPM_HEADER), game.first]));
  // A reference of another size or format fails to match.
  const reference = readFileSync(options.reference).subarray(PPM_HEADER.length);
  matches(game.first, reference, WHOLE, CLOSE_SHARE, FAR_OFF_SHARE * WIDTH * HEIGHT, 'the first frame');
  matches(game.first, reference, LOG_REGION, 0, 0, 'the log\'s text');
  // Paused, the other person stands still and the picture stays as it is.
  await play(game, [['space shows PAUSE', ['Space'], changes(PAUSE_SIGN)],
    ['the context lost and given back: the same game', [loseContext], unchanged],
    ['a second space hides PAUSE', ['Space'], changes(PAUSE_SIGN)]]);
  await attackPerson(game);
  await play(game, [['space lets the game go on', ['Space'], changes(PAUSE_SIGN)],
    ...FULL_SCREEN_AND_END]);
}

// The page emulated as each touch device in turn, played by touch alone.
async function touchSession(game) {
  await game.start(() => game.page.setViewport((game.device = TOUCH_DEVICES[0])));
  for (const device of TOUCH_DEVICES) {
    log(`== ${device.width} x ${device.height} at density ${device.deviceScaleFactor}, by touch`);
    await game.page.setViewport((game.device = device));
    await layout(game);
    await play(game, [LOOK]);
  }
  // A step is refused while the last one still slides, and onto the other
  // person's square: wait until neither holds.
  const x = () => game.call('_pickrpg_player_x');
  await game.expect('a step right can be taken', async () =>
    [(await game.call('_pickrpg_player_can_step', 1)) === 1, '']);
  const from = await x();
  await game.give('ArrowRight');
  await game.expect('the Step right control steps', async () => [(await x()) === from + 1, '']);
  await play(game, FULL_SCREEN_AND_END);
}

// ---------------------------------------------------------------------------
// Pages that must say what went wrong, each in a browser of its own: a file
// of the game made to fail through the browser's request interception (the
// console then shows the failed request), shaders that the driver rejects,
// and a browser without WebGL. shows: the panels shown, their text.

const download = (file, fault, what) => ({ file, fault,
  shows: new RegExp(`^error: Error Cannot download ${file.replace('.', '\\.')}: ${what}$`) });

const BROKEN_PAGES = [
  download('pickrpg.js', (request) => request.respond({ status: 404 }),
    'the server answered 404 Not Found\\.'),
  download('pickrpg.wasm', (request) => request.abort('connectionreset'), 'the connection failed\\.'),
  // No answer at all.
  download('pickrpg.data', () => {}, `nothing arrived for ${STALL_SECONDS} seconds\\.`),
  { script: () => {
    const shaderSource = WebGLRenderingContext.prototype.shaderSource;
    WebGLRenderingContext.prototype.shaderSource = function (shader, source) {
      shaderSource.call(this, shader, `${source}\nnot a line of GLSL`);
    };
  }, shows: new RegExp("^error: Error The browser's graphics driver rejected the game's " +
    'shaders, so the picture cannot be drawn: \\S') },
  { args: ['--disable-webgl'], shows: /^no-webgl: No WebGL This browser cannot draw with WebGL/ },
];

async function brokenPages(server) {
  for (const [index, row] of BROKEN_PAGES.entries()) {
    const game = await openPage(row.args ?? [], `broken-${index}`, row.fault ? [] : errors);
    await game.page.evaluateOnNewDocument(row.script ?? (() => {}));
    if (row.fault) {
      await game.page.setRequestInterception(true);
      game.page.on('request', (request) =>
        request.url().endsWith(`/${row.file}`) ? row.fault(request) : request.continue());
    }
    await game.page.goto(`${server.url}?mode=windowed`);
    await game.expect(`broken page ${index + 1} says what went wrong`, () => shows(row.shows)(game),
      LOAD_SECONDS + STALL_SECONDS);
    await game.browser.close();
  }
}

// The browsers and the server still running when the run ends, passed or
// failed, end with it (puppeteer kills the browsers when node exits, the
// test script the rest of node's process group).
async function main() {
  const server = await startServer();
  const game = await openPage([], 'session', errors);
  await desktopSession(game, `${server.url}?mode=windowed&seed=${options.seed}`);
  await touchSession(game);
  await brokenPages(server);
  log('== offline: with the server stopped, the service worker starts the game');
  await game.page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  server.kill();
  await once(server, 'exit');
  await game.start(() => game.page.reload());
  check(errors.length === 0, `the console shows no error: ${errors.join(' | ') || 'none'}`);
  log('all steps passed');
}

main().then(() => process.exit(0), (error) => {
  log(`FAILED: ${error.stack}\nThe console's errors: ${errors.join(' | ') || 'none'}`);
  process.exit(1);
});
