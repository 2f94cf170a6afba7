// Plays the browser build in Debian's Chromium (headless, WebGL through
// SwiftShader), driven by puppeteer-core, for tests/scripts/web_test.sh.
//
//   node play_in_browser.mjs --modules DIR --chromium PATH --url URL
//     --reference FRAME.ppm --profiles DIR --artifacts DIR
//
// The session starts windowed and seeded, compares the first frame with the
// native build's reference frame, then plays as tests/scripts/play_session.sh
// does on the desktop: it looks at a wall, opens the vase pile, takes a vase
// and drops it, opens the inventory and the statistics, attacks the other
// person, pauses, switches to full screen and back with F1, and ends the run
// with Escape. The log is read through the page's test entry points, the
// pictures from frames the shell keeps; every step waits for its effect, a
// bounded time, and never sends its input twice.
// Another page answers the start-up question without the font image and
// must get the error text; a browser without WebGL must get the page's
// message instead.

import { createRequire } from 'node:module';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';

const WIDTH = 1024;
const HEIGHT = 768;
// Generous: SwiftShader on a busy 2-core machine draws a few frames a second.
const LOAD_SECONDS = 90;
const EFFECT_SECONDS = 30;
// The frame comparison, as for the ES layer's own proof: most pixels within
// a hair of the reference, and none far off but for slivers. The layer's
// proof runs on the same Mesa as the reference; here SwiftShader draws, and
// its rasteriser puts the edges of faces seen edge-on (a pixel or two thick)
// elsewhere than llvmpipe does, so a few such pixels may be far off.
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

// Interface rectangles of the 1024 x 768 layout, top-down: [x, y, w, h].
const PILE_REGION = [0, 0, 512, 316];
const INVENTORY_REGION = [512, 0, 512, 316];
const STATS_REGION = [512, 316, 512, 316];
const PAUSE_REGION = [30, 10, 160, 60];
const BUTTON_TOP = HEIGHT - 10 - 68;
const buttonRegion = (left) => [left, BUTTON_TOP, 68, 68];
const GET_BUTTON = buttonRegion(10);
const LOOK_BUTTON = buttonRegion(146);
const ATTACK_BUTTON = buttonRegion(282);
// Where interface elements would take a click meant for the person.
const BOTTOM_INTERFACE = [[356, 632, 326, 136], [10, BUTTON_TOP, 340, 68], [690, BUTTON_TOP, 136, 68]];
// The cursor rests here between steps, away from every region looked at.
const PARK = [60, 400];
// The pile window's close square, and the first icon of its grid.
const PILE_CLOSE = [497, 15];
const PILE_FIRST_ICON = [256, 42];
// Places for the cursor while the vase is held.
const SPOT = [300, 560];

// How often the person may walk off before the attack is left out, and
// for how many frames each time (it tries a step one frame in five).
const PERSON_ATTEMPTS = 6;
const WALK_FRAMES = 60;

const WALL_SQUARE = [14, 15];
const PILE_SQUARE = [20, 8];
const FREE_SQUARE = [15, 14];
const WALL_TEXT = 'You see a part of building wall.';

function parseArguments(argv) {
  const options = {};
  for (let i = 0; i + 1 < argv.length; i += 2) {
    options[argv[i].replace(/^--/, '')] = argv[i + 1];
  }
  for (const name of ['modules', 'chromium', 'url', 'reference', 'profiles', 'artifacts']) {
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
}

// The camera's projection worked out by hand as in play_lib.sh's
// square_position (45 degrees, aspect 4 / 3, the world moved by
// (-0.5, 0, -15), the ground one unit up), while the player stands on
// (14, 14) at rest. A square's centre lies 14 units from the eye, the
// figures standing on squares 13.5.
const FOCAL = 1 / Math.tan(Math.PI / 8);
const GROUND_DEPTH = 14;
const FIGURE_DEPTH = 13.5;
const PERSON_TEXT = 'You see someone.';

// The client pixel (top-down) of the centre of square (x, y).
function squarePosition([x, y]) {
  const windowX = ((FOCAL / (WIDTH / HEIGHT)) * (x - 14) / GROUND_DEPTH + 1) / 2 * WIDTH;
  const windowY = (FOCAL * (y - 14 + 0.5) / GROUND_DEPTH + 1) / 2 * HEIGHT;
  return [Math.trunc(windowX), HEIGHT - Math.trunc(windowY)];
}

// The square nearest to a figure whose centre shows at client pixel
// (x, y) (top-down). A click on the figure itself would reach the ground
// below it, off the square it stands on when far from the view's centre.
function nearestSquare([x, y]) {
  const along = (x / WIDTH * 2 - 1) * FIGURE_DEPTH * (WIDTH / HEIGHT) / FOCAL + 14;
  const across = ((HEIGHT - y) / HEIGHT * 2 - 1) * FIGURE_DEPTH / FOCAL + 14 - 0.5;
  return [Math.round(along), Math.round(across)];
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
    defaultViewport: { width: 1100, height: 1000, deviceScaleFactor: 1 },
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
// The game page: input as a player gives it, frames as the shell keeps them.

class GamePage {
  constructor(page) {
    this.page = page;
    this.frames = 0;
  }

  // A canvas pixel (top-down) in page coordinates. The page contains the
  // picture in the canvas element (full screen, the element is the screen):
  // scaled evenly, centred between bars.
  async pagePoint([x, y]) {
    const box = await this.page.$eval('#canvas', (canvas) => {
      const r = canvas.getBoundingClientRect();
      return { left: r.left, top: r.top, width: r.width, height: r.height };
    });
    const scale = Math.min(box.width / WIDTH, box.height / HEIGHT);
    const left = box.left + (box.width - WIDTH * scale) / 2;
    const top = box.top + (box.height - HEIGHT * scale) / 2;
    return [left + (x + 0.5) * scale, top + (y + 0.5) * scale];
  }

  async pointAt(pixel) {
    const [x, y] = await this.pagePoint(pixel);
    await this.page.mouse.move(x, y);
  }

  // A left click, then the cursor goes back out of the way.
  async click(pixel) {
    const [x, y] = await this.pagePoint(pixel);
    await this.page.mouse.click(x, y);
    await this.pointAt(PARK);
  }

  async tap(key) {
    await this.page.keyboard.press(key);
  }

  frameCount() {
    return this.page.evaluate(() => window.Module._pickrpg_frame_count());
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

  // Keeps the next frame in the page under name.
  async shot(name) {
    await this.page.evaluate(() => window.Module._pickrpg_keep_next_frame());
    await this.page.waitForFunction(() => window.Module._pickrpg_kept_frame() !== 0,
      { timeout: EFFECT_SECONDS * 1000, polling: 'raf' });
    await this.page.evaluate((frameName, size) => {
      const start = window.Module._pickrpg_kept_frame();
      window.keptFrames = window.keptFrames || {};
      window.keptFrames[frameName] = window.Module.HEAPU8.slice(start, start + size);
    }, name, WIDTH * HEIGHT * 4);
  }

  // Statistics over kept frames, computed in the page (rows bottom-up there).
  regionMean(name, region) {
    return this.page.evaluate((frameName, [x, y, w, h], width, height) => {
      const pixels = window.keptFrames[frameName];
      let sum = 0;
      for (let row = y; row < y + h; ++row) {
        const base = (height - 1 - row) * width * 4;
        for (let column = x; column < x + w; ++column) {
          const i = base + column * 4;
          sum += 0.299 * pixels[i] + 0.587 * pixels[i + 1] + 0.114 * pixels[i + 2];
        }
      }
      return sum / (w * h * 255);
    }, name, region, WIDTH, HEIGHT);
  }

  changedPixels(before, after, region) {
    return this.page.evaluate((first, second, [x, y, w, h], width, height, fuzz) => {
      const a = window.keptFrames[first];
      const b = window.keptFrames[second];
      let count = 0;
      for (let row = y; row < y + h; ++row) {
        const base = (height - 1 - row) * width * 4;
        for (let column = x; column < x + w; ++column) {
          const i = base + column * 4;
          if (Math.abs(a[i] - b[i]) > fuzz || Math.abs(a[i + 1] - b[i + 1]) > fuzz ||
              Math.abs(a[i + 2] - b[i + 2]) > fuzz) {
            count += 1;
          }
        }
      }
      return count;
    }, before, after, region, WIDTH, HEIGHT, CHANGE_FUZZ);
  }

  distinctColours(name) {
    return this.page.evaluate((frameName) => {
      const pixels = window.keptFrames[frameName];
      const colours = new Set();
      for (let i = 0; i < pixels.length; i += 4) {
        colours.add((pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]);
      }
      return colours.size;
    }, name);
  }

  // The centre (top-down) of the red-tinted person in a kept frame, as
  // play_lib.sh's find_red_being looks for it: every fourth pixel, red with
  // hardly any green or blue; null when it is not in view.
  findPerson(name) {
    return this.page.evaluate((frameName, width, height) => {
      const pixels = window.keptFrames[frameName];
      let left = width, right = -1, top = height, bottom = -1;
      for (let y = 0; y < height; y += 4) {
        const base = (height - 1 - y) * width * 4;
        for (let x = 0; x < width; x += 4) {
          const i = base + x * 4;
          if (pixels[i] > 0.3 * 255 && pixels[i + 1] < 0.1 * 255 && pixels[i + 2] < 0.1 * 255) {
            left = Math.min(left, x), right = Math.max(right, x);
            top = Math.min(top, y), bottom = Math.max(bottom, y);
          }
        }
      }
      if (right - left < 4 || bottom - top < 4) {
        return null;
      }
      return [Math.trunc((left + right) / 2), Math.trunc((top + bottom) / 2)];
    }, name, WIDTH, HEIGHT);
  }

  // The whole kept frame, for the comparison with the reference.
  async framePixels(name) {
    const encoded = await this.page.evaluate((frameName) => {
      const pixels = window.keptFrames[frameName];
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
  async waitForFrame(name, check) {
    const deadline = Date.now() + EFFECT_SECONDS * 1000;
    do {
      await this.shot(name);
      if (await check(name)) {
        return true;
      }
    } while (Date.now() < deadline);
    return false;
  }

  async waitFrames(count) {
    const target = (await this.frameCount()) + count;
    await this.waitUntil(async () => (await this.frameCount()) >= target);
  }

  nextFrame() {
    return this.page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  }

  // Asks holds() after every frame until it is true, a bounded time.
  async waitUntil(holds) {
    const deadline = Date.now() + EFFECT_SECONDS * 1000;
    for (;;) {
      if (await holds()) {
        return true;
      }
      if (Date.now() >= deadline) {
        return false;
      }
      await this.nextFrame();
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
}

// ---------------------------------------------------------------------------
// The steps.

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

function readPpm(file) {
  const bytes = readFileSync(file);
  const header = /^P6\s+(\d+)\s+(\d+)\s+(\d+)\s/.exec(bytes.subarray(0, 64).toString('latin1'));
  if (!header || Number(header[3]) !== 255) {
    throw new Error(`${file} is no 8-bit binary PPM`);
  }
  return { width: Number(header[1]), height: Number(header[2]),
    pixels: bytes.subarray(header[0].length) };
}

// The share of pixels within CLOSE_CHANNEL in every channel, and the largest
// difference of any channel; the page's rows go bottom-up, the PPM's top-down.
function compareWithReference(rgba, reference) {
  let close = 0;
  let farOff = 0;
  let farthest = 0;
  for (let y = 0; y < HEIGHT; ++y) {
    const pageRow = (HEIGHT - 1 - y) * WIDTH * 4;
    const referenceRow = y * WIDTH * 3;
    for (let x = 0; x < WIDTH; ++x) {
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
  return { share: close / (WIDTH * HEIGHT), farOff, farthest };
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
  log('== start: windowed and seeded; the first frame against the native one');
  const kept = await game.page.waitForFunction(() => window.Module &&
    window.Module._pickrpg_kept_frame && window.Module._pickrpg_kept_frame() !== 0,
  { timeout: LOAD_SECONDS * 1000, polling: 100 }).then(() => true, () => false);
  if (!kept) {
    throw new Error(`no first frame within ${LOAD_SECONDS} s: ${await pageState(game.page)}`);
  }
  // The frame the seeded start kept is the run's first.
  await game.page.evaluate((size) => {
    const start = window.Module._pickrpg_kept_frame();
    window.keptFrames = { first: window.Module.HEAPU8.slice(start, start + size) };
  }, WIDTH * HEIGHT * 4);
  const colours = await game.distinctColours('first');
  check(colours >= MIN_DRAWN_COLOURS, 'the first frame is drawn', `${colours} colours`);
  const rgba = await game.framePixels('first');
  writeFramePpm(path.join(options.artifacts, 'first-frame.ppm'), rgba);
  const reference = readPpm(options.reference);
  if (reference.width !== WIDTH || reference.height !== HEIGHT) {
    failed(`the reference frame is ${reference.width} x ${reference.height}`);
    return;
  }
  const { share, farOff, farthest } = compareWithReference(rgba, reference);
  const figures = `${(share * 100).toFixed(3)} % of the pixels within ${CLOSE_CHANNEL}/255, ` +
    `largest difference ${farthest}/255, ${farOff} pixels beyond ${FARTHEST_CHANNEL}/255`;
  log(`  first frame against the native reference: ${figures}`);
  check(share >= CLOSE_SHARE && farOff <= FAR_OFF_SHARE * WIDTH * HEIGHT,
    'the first frame matches the native build\'s', figures);
}

// Space, and the pause sign shown or hidden.
async function pressSpace(game, what) {
  await game.shot('before-space');
  await game.tap('Space');
  return regionChanges(game, 'before-space', 'after-space', PAUSE_REGION, what);
}

async function pause(game) {
  log('== space pauses: the person stands still from now on');
  await pressSpace(game, 'space shows PAUSE');
}

// Chooses an action with its key; the effect is its button lit.
async function chooseAction(game, key, button, what) {
  await game.shot('before-action');
  await game.tap(key);
  const before = await game.regionMean('before-action', button);
  const lit = await game.waitForFrame('action-chosen', async (name) =>
    (await game.regionMean(name, button)) > before + BRIGHTER_BY);
  check(lit, `${key} chooses ${what}`, `mean brightness of its button ${before.toFixed(3)} -> ` +
    (await game.regionMean('action-chosen', button)).toFixed(3));
  return lit;
}

// L and a click at a pixel: what the log gained, or null when L did not
// choose Look.
async function lookAt(game, pixel) {
  if (!(await chooseAction(game, 'l', LOOK_BUTTON, 'Look'))) {
    return null;
  }
  const before = await game.logLines();
  await game.click(pixel);
  return (await game.waitForLogGrowth(before)).slice(before.length).join(' ');
}

async function lookAtWall(game) {
  log('== L and a click on the wall square above the player');
  const written = await lookAt(game, squarePosition(WALL_SQUARE));
  if (written !== null) {
    check(written === WALL_TEXT, 'the log\'s last line is the wall\'s', `"${written}"`);
  }
}

async function regionChanges(game, before, name, region, what) {
  const changed = await game.waitForFrame(name, async (frame) =>
    (await game.changedPixels(before, frame, region)) >= CHANGED_PIXELS);
  check(changed, what, `${await game.changedPixels(before, name, region)} pixels changed`);
  return changed;
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
  await game.shot('windows-closed');
  await game.tap('i');
  await regionChanges(game, 'windows-closed', 'inventory-open', INVENTORY_REGION,
    'I opens the inventory window');
  await game.tap('s');
  await regionChanges(game, 'inventory-open', 'stats-open', STATS_REGION,
    'S opens the statistics window');
  await game.tap('i');
  await regionChanges(game, 'stats-open', 'inventory-shut', INVENTORY_REGION,
    'I closes the inventory window');
  await game.tap('s');
  await regionChanges(game, 'inventory-shut', 'stats-shut', STATS_REGION,
    'S closes the statistics window');
}

const inside = ([x, y], [left, top, w, h]) => x >= left && x < left + w && y >= top && y < top + h;

const reachable = (pixel) => inside(pixel, [0, 0, WIDTH, HEIGHT]) &&
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
// view or out of reach it walks a while, a few times at most, as on the
// desktop.
async function reachablePerson(game) {
  for (let attempt = 1; ; ++attempt) {
    await game.shot('looking-for-person');
    const figure = await game.findPerson('looking-for-person');
    const target = figure === null ? null : await personByLook(game, nearestSquare(figure));
    if (target !== null || attempt === PERSON_ATTEMPTS) {
      return target;
    }
    log(`  the person is not where a click reaches it (figure at ${figure}); it walks a while`);
    await pressSpace(game, 'space hides PAUSE');
    await game.waitFrames(WALK_FRAMES);
    await pressSpace(game, 'space shows PAUSE');
  }
}

async function attackPerson(game) {
  log('== A and a click on the person, twice');
  const person = await reachablePerson(game);
  if (person === null) {
    log('  note: the person stayed out of reach; no attack');
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

async function unpause(game) {
  log('== a second space hides PAUSE');
  await pressSpace(game, 'space hides PAUSE');
}

// F1 starts a new game with the canvas full screen, where a click still
// reaches the square under the pointer; a second F1 brings the page back.
async function fullScreenAndBack(game, startLines) {
  log('== F1: a new game full screen, the wall looked at there, F1 again back in the page');
  await game.tap('F1');
  const sameLines = (lines) => lines.join('\n') === startLines.join('\n');
  const newGame = await game.waitUntil(async () =>
    (await game.fullScreenElement()) === 'canvas' && sameLines(await game.logLines()));
  check(newGame, 'F1 shows the canvas full screen with a new game',
    `full-screen element "${await game.fullScreenElement()}", ` +
    `${(await game.logLines()).length} lines in the log`);
  if (!newGame) {
    return;
  }
  const box = await game.page.$eval('#canvas', (canvas) => canvas.getBoundingClientRect().width);
  const written = await lookAt(game, squarePosition(WALL_SQUARE));
  if (written !== null) {
    check(written === WALL_TEXT, `a click on the canvas shown ${box} pixels wide reaches the wall`,
      `"${written}"`);
  }
  await game.tap('F1');
  const back = await game.waitUntil(async () => (await game.fullScreenElement()) === '');
  check(back, 'a second F1 brings the canvas back into the page', 'no full-screen element');
}

async function escapeAndStartAgain(game, startLines) {
  log('== Escape ends the run; the page says so and starts a new game on request');
  await game.tap('Escape');
  try {
    await game.page.waitForSelector('#ended:not([hidden])', { timeout: EFFECT_SECONDS * 1000 });
    passed('the page says the game has ended');
  } catch (error) {
    failed('no end-of-game panel after Escape');
    return;
  }
  const framesBefore = await game.frameCount();
  await game.page.click('#again');
  const drawing = await game.waitUntil(async () => (await game.frameCount()) > framesBefore + 1);
  const lines = await game.logLines();
  check(drawing && lines.join('\n') === startLines.join('\n'), 'Start again draws a new game',
    `${lines.length} lines in the log, as at the start`);
}

async function playSession(errors) {
  const browser = await launch([], 'session');
  try {
    const page = await browser.newPage();
    watchConsole(page, errors);
    await page.goto(options.url, { waitUntil: 'load' });
    const game = new GamePage(page);
    await firstFrame(game);
    const startLines = await game.logLines();
    const began = { frames: await game.frameCount(), time: Date.now() };
    await pause(game);
    await lookAtWall(game);
    await vaseFromThePile(game);
    await inventoryAndStats(game);
    await attackPerson(game);
    await unpause(game);
    const seconds = (Date.now() - began.time) / 1000;
    const frames = (await game.frameCount()) - began.frames;
    log(`frames per second during the session: ${(frames / seconds).toFixed(1)} ` +
      `(${frames} frames in ${seconds.toFixed(1)} s)`);
    await fullScreenAndBack(game, startLines);
    await escapeAndStartAgain(game, startLines);
    await page.screenshot({ path: path.join(options.artifacts, 'session-end.png') });
    await page.close();
    await missingImage(browser, errors);
  } finally {
    await browser.close();
  }
}

// The start-up question on the page, answered Windowed, with the font image
// taken out of the page's file system first: the page shows the desktop's
// error text and ends the run.
async function missingImage(browser, errors) {
  log('== the start-up question answered on the page, without Data/Font.tga');
  const page = await browser.newPage();
  watchConsole(page, errors);
  await page.goto(new URL('?', options.url).href, { waitUntil: 'load' });
  const asked = await page.waitForSelector('#choice:not([hidden])',
    { timeout: LOAD_SECONDS * 1000 }).then(() => true, () => false);
  check(asked, 'the page asks whether to play in full screen', 'two buttons');
  if (!asked) {
    return;
  }
  await page.evaluate(() => window.Module.FS.unlink('/Data/Font.tga'));
  await page.click('#windowed');
  const told = await page.waitForSelector('#ended:not([hidden])',
    { timeout: EFFECT_SECONDS * 1000 }).then(() => true, () => false);
  const error = await page.$eval('#error', (panel) => (panel.hidden ? '' :
    `${panel.querySelector('h2').textContent}: ${panel.querySelector('p').textContent}`));
  check(told && error === 'Error: Cannot load Data/Font.tga', 'the page names the missing image',
    `"${error}"`);
  await page.close();
}

async function pageWithoutWebGL(errors) {
  log('== a browser without WebGL gets the page\'s message');
  const browser = await launch(['--disable-webgl'], 'no-webgl');
  try {
    const page = await browser.newPage();
    watchConsole(page, errors);
    await page.goto(new URL('?mode=windowed', options.url).href, { waitUntil: 'load' });
    const shown = await page.waitForSelector('#no-webgl:not([hidden])',
      { timeout: EFFECT_SECONDS * 1000 }).then(() => true, () => false);
    const loading = await page.$eval('#loading', (panel) => !panel.hidden);
    check(shown && !loading, 'the no-WebGL message is shown', 'and no loading bar');
    await page.screenshot({ path: path.join(options.artifacts, 'no-webgl.png') });
  } finally {
    await browser.close();
  }
}

async function main() {
  const errors = [];
  await playSession(errors);
  await pageWithoutWebGL(errors);
  check(errors.length === 0, 'the console shows no error',
    errors.length === 0 ? 'none' : errors.join(' | '));
  log(failures === 0 ? 'all steps passed' : `${failures} step(s) failed`);
  process.exitCode = failures === 0 ? 0 : 1;
}

main().catch((error) => {
  log(`FAIL: ${error.stack || error}`);
  process.exitCode = 1;
});
