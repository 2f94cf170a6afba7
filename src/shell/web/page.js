'use strict';
// The page around the game: it checks for WebGL, downloads the game's three
// files (naming the one that fails), asks the start-up question (unless the
// address says ?mode=windowed), starts the run, and shows what the shell
// reports in place of the desktop's message boxes: errors, notices, and the
// end of the run. It keeps the canvas's drawing buffer at the canvas's size
// in device pixels, hands the game the pointer, its on-screen controls and
// the loss of focus or of the WebGL context, owns full screen, and
// registers the service worker that keeps the game playable offline.
//
// ?seed=N starts every game of the run with the random generator seeded N
// (as the native reference frame does) instead of by the clock, and keeps
// the first frame for a test to compare. ?controls=on or ?controls=off shows
// or hides the on-screen controls, which otherwise show where the primary
// pointer is coarse (a finger).
(function () {
  const UNSEEDED = -1;
  const PANELS = ['loading', 'choice', 'error', 'ended', 'context-lost', 'no-webgl'];
  const GAME_FILES = ['pickrpg.js', 'pickrpg.wasm', 'pickrpg.data'];
  // A download that brings no byte for this long has failed.
  const STALL_SECONDS = 20;
  // How long a lost WebGL context may take to come back before the page
  // offers a reload.
  const RESTORE_SECONDS = 5;
  const POINTER_DOWN = 0;
  const POINTER_MOVE = 1;
  const element = (id) => document.getElementById(id);
  const canvas = element('canvas');
  const app = element('app');

  const parameters = new URLSearchParams(window.location.search);
  const startWindowed = parameters.get('mode') === 'windowed';
  const seedText = parameters.get('seed');
  const seed = seedText !== null && /^[0-9]{1,9}$/.test(seedText) ? Number(seedText) : UNSEEDED;
  let fullScreenChosen = false;
  let running = false;

  function showPanels(...shown) {
    for (const id of PANELS) {
      element(id).hidden = !shown.includes(id);
    }
  }

  function showError(caption, text) {
    element('error').querySelector('h2').textContent = caption;
    element('error-text').textContent = text;
    element('error').hidden = false;
    element('loading').hidden = true;
  }

  function showNotice(text) {
    element('notice').textContent = text;
    element('notice').hidden = false;
  }

  // Asked of a canvas of its own: the game's canvas must get its context
  // from the shell, with the shell's attributes.
  function hasWebGL() {
    try {
      return Boolean(window.WebGLRenderingContext &&
        document.createElement('canvas').getContext('webgl'));
    } catch (error) {
      return false;
    }
  }

  // --- The canvas: its drawing buffer is its size in device pixels, so the
  // picture is drawn sharp at any density and zoom.
  // The device-pixel box is exact where the CSS size times the density
  // falls between two pixels; it is taken only where it agrees with that
  // product (Chromium's device emulation reports the unscaled size).
  function fitDrawingBuffer(entry) {
    const exact = entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0];
    const nearly = (size, css) => Math.abs(size - css * devicePixelRatio) <= 1;
    let width = Math.round(entry.contentRect.width * devicePixelRatio);
    let height = Math.round(entry.contentRect.height * devicePixelRatio);
    if (exact && nearly(exact.inlineSize, entry.contentRect.width) &&
        nearly(exact.blockSize, entry.contentRect.height)) {
      width = exact.inlineSize;
      height = exact.blockSize;
    }
    if (width > 0 && height > 0 && (canvas.width !== width || canvas.height !== height)) {
      canvas.width = width;
      canvas.height = height;
    }
  }
  const resizes = new ResizeObserver((entries) => entries.forEach(fitDrawingBuffer));
  try {
    resizes.observe(canvas, { box: 'device-pixel-content-box' });
  } catch (error) {
    resizes.observe(canvas);
  }

  // --- On-screen controls, for fingers.
  const coarsePointer = window.matchMedia('(pointer: coarse)');
  function showControls() {
    const forced = parameters.get('controls');
    const shown = forced === 'on' || (forced !== 'off' && coarsePointer.matches);
    document.documentElement.classList.toggle('with-pad', shown);
  }
  showControls();
  coarsePointer.addEventListener('change', showControls);

  function control(button, down) {
    button.classList.toggle('held', down);
    if (running) {
      window.Module._pickrpg_control(Number(button.dataset.control), down ? 1 : 0);
    }
  }

  // A step arrow is held like a key: down with the finger, up when it
  // lifts, leaves or is cancelled. Pause, Full screen and End game act on
  // the click, where a browser allows full screen.
  for (const button of document.querySelectorAll('[data-control]')) {
    button.addEventListener('contextmenu', (event) => event.preventDefault());
    if (!button.closest('#arrows')) {
      button.addEventListener('click', () => {
        control(button, true);
        control(button, false);
      });
      continue;
    }
    button.addEventListener('pointerdown', (event) => {
      if (event.isPrimary && event.button === 0) {
        event.preventDefault();
        button.setPointerCapture(event.pointerId);
        control(button, true);
      }
    });
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
      button.addEventListener(type, () => button.classList.contains('held') && control(button, false));
    }
    // Keyboard and assistive technology press a button without a pointer.
    button.addEventListener('click', (event) => {
      if (event.detail === 0) {
        control(button, true);
        control(button, false);
      }
    });
  }

  // --- The pointer over the picture: mouse, finger and pen alike.
  function pointer(kind, event) {
    if (!running) {
      return;
    }
    const box = canvas.getBoundingClientRect();
    window.Module._pickrpg_pointer(kind, event.isPrimary ? 1 : 0, event.button,
      event.clientX - box.left, event.clientY - box.top);
  }
  canvas.addEventListener('pointerdown', (event) => {
    // No focus change, text selection or emulated mouse events.
    event.preventDefault();
    pointer(POINTER_DOWN, event);
  });
  canvas.addEventListener('pointermove', (event) => pointer(POINTER_MOVE, event));
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());

  // --- Focus: a key or control held while the page loses it would stay down.
  function releaseEverything() {
    document.querySelectorAll('[data-control].held').forEach((button) => button.classList.remove('held'));
    if (running) {
      window.Module._pickrpg_release_all();
    }
  }
  window.addEventListener('blur', releaseEverything);
  document.addEventListener('visibilitychange', () => document.hidden && releaseEverything());

  // --- Full screen is the game with its controls; the document says whether
  // it is on, however the player left it.
  function fullScreenRefused() {
    showNotice('The browser did not switch to full screen.\nRunning in the page.');
  }
  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else if (app.requestFullscreen) {
      app.requestFullscreen({ navigationUI: 'hide' }).catch(fullScreenRefused);
    } else {
      fullScreenRefused();
    }
  }

  // --- The WebGL context: lost, the game waits; back, it goes on.
  let restoreTimer = 0;
  const gameLoaded = () => Boolean(window.Module && window.Module.calledRun);
  canvas.addEventListener('webglcontextlost', (event) => {
    // Without this the browser never gives the context back.
    event.preventDefault();
    if (gameLoaded()) {
      window.Module._pickrpg_context_lost();
    }
    element('context-lost-text').textContent = 'Waiting for the graphics to come back…';
    element('reload').hidden = true;
    element('context-lost').hidden = false;
    restoreTimer = setTimeout(() => {
      element('context-lost-text').textContent =
        `The graphics did not come back within ${RESTORE_SECONDS} seconds.`;
      element('reload').hidden = false;
    }, RESTORE_SECONDS * 1000);
  });
  canvas.addEventListener('webglcontextrestored', () => {
    clearTimeout(restoreTimer);
    element('context-lost').hidden = true;
    if (gameLoaded()) {
      window.Module._pickrpg_context_restored();
    }
  });
  element('reload').addEventListener('click', () => window.location.reload());

  function start(fullScreen) {
    fullScreenChosen = fullScreen;
    element('notice').hidden = true;
    showPanels();
    // Inside the button's handler, as browsers require.
    if (fullScreen && !document.fullscreenElement) {
      toggleFullScreen();
    }
    running = window.Module._pickrpg_start(fullScreen ? 1 : 0, seed) === 1;
  }

  // --- Downloads, each with its own name in what the player reads.
  function showProgress(loaded, total) {
    element('loading-text').textContent = 'Loading the game…';
    element('progress').max = total;
    element('progress').value = loaded;
  }

  // The file's bytes; fails with a text naming the file when the server
  // refuses it, the connection fails, or nothing arrives for STALL_SECONDS.
  async function download(name, progress) {
    const stop = new AbortController();
    let stalled = 0;
    const waitForBytes = () => {
      clearTimeout(stalled);
      stalled = setTimeout(() => stop.abort(), STALL_SECONDS * 1000);
    };
    waitForBytes();
    try {
      const response = await fetch(name, { signal: stop.signal });
      if (!response.ok) {
        throw new Error(`the server answered ${response.status} ${response.statusText}`.trim());
      }
      const chunks = [];
      let loaded = 0;
      for (const reader = response.body.getReader(); ;) {
        const { done, value } = await reader.read();
        if (done) {
          break;
        }
        waitForBytes();
        chunks.push(value);
        loaded += value.length;
        progress(loaded, Number(response.headers.get('Content-Length')) || loaded);
      }
      return new Blob(chunks).arrayBuffer();
    } catch (error) {
      const why = stop.signal.aborted ? `nothing arrived for ${STALL_SECONDS} seconds` :
        error.message.startsWith('the server') ? error.message : 'the connection failed';
      throw new Error(`Cannot download ${name}: ${why}.`);
    } finally {
      clearTimeout(stalled);
    }
  }

  async function loadGame() {
    const sizes = GAME_FILES.map(() => ({ loaded: 0, total: 0 }));
    const progress = (index) => (loaded, total) => {
      sizes[index] = { loaded, total };
      showProgress(sizes.reduce((sum, size) => sum + size.loaded, 0),
        sizes.reduce((sum, size) => sum + size.total, 0));
    };
    let files;
    try {
      files = await Promise.all(GAME_FILES.map((name, index) => download(name, progress(index))));
    } catch (error) {
      showError('Error', error.message);
      return;
    }
    const [script, wasm, data] = files;
    window.Module.wasmBinary = wasm;
    window.Module.getPreloadedPackage = () => data;
    const game = document.createElement('script');
    game.textContent = new TextDecoder().decode(script);
    document.body.appendChild(game);
  }

  if (!hasWebGL()) {
    showPanels('no-webgl');
    return;
  }

  window.Module = {
    canvas,
    onRuntimeInitialized() {
      if (startWindowed) {
        start(false);
      } else {
        showPanels('choice');
      }
    },
    showError,
    showNotice,
    toggleFullScreen,
    runEnded() {
      running = false;
      releaseEverything();
      if (document.fullscreenElement) {
        document.exitFullscreen().catch(() => {});
      }
      element('ended').hidden = false;
    },
    onAbort(reason) {
      showError('Error', `The game stopped: ${reason}`);
    },
  };

  element('full-screen').addEventListener('click', () => start(true));
  element('windowed').addEventListener('click', () => start(false));
  element('again').addEventListener('click', () => start(fullScreenChosen));

  loadGame();
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
