'use strict';
// The page around the game: it checks for WebGL, shows the download of the
// images, asks the start-up question (unless the address says ?mode=windowed),
// starts the run, and shows what the shell reports in place of the desktop's
// message boxes: errors, notices, and the end of the run.
//
// ?seed=N starts every game of the run with the random generator seeded N
// (as the native reference frame does) instead of by the clock, and keeps
// the first frame for a test to compare.
(function () {
  const UNSEEDED = -1;
  const PANELS = ['loading', 'choice', 'error', 'ended', 'no-webgl'];
  const element = (id) => document.getElementById(id);

  const parameters = new URLSearchParams(window.location.search);
  const startWindowed = parameters.get('mode') === 'windowed';
  const seedText = parameters.get('seed');
  const seed = seedText !== null && /^[0-9]{1,9}$/.test(seedText) ? Number(seedText) : UNSEEDED;
  let fullScreenChosen = false;

  function showPanels(...shown) {
    for (const id of PANELS) {
      element(id).hidden = !shown.includes(id);
    }
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

  function start(fullScreen) {
    fullScreenChosen = fullScreen;
    element('notice').hidden = true;
    showPanels();
    window.Module._pickrpg_start(fullScreen ? 1 : 0, seed);
  }

  // Emscripten reports the download of pickrpg.data as "... (loaded/total)".
  function showStatus(text) {
    const progress = /\((\d+)\/(\d+)\)/.exec(text);
    if (progress) {
      element('loading-text').textContent = 'Loading the images…';
      element('progress').max = Number(progress[2]);
      element('progress').value = Number(progress[1]);
    }
  }

  if (!hasWebGL()) {
    showPanels('no-webgl');
    return;
  }

  window.Module = {
    canvas: element('canvas'),
    setStatus: showStatus,
    onRuntimeInitialized() {
      if (startWindowed) {
        start(false);
      } else {
        showPanels('choice');
      }
    },
    showError(caption, text) {
      element('error').querySelector('h2').textContent = caption;
      element('error-text').textContent = text;
      element('error').hidden = false;
    },
    showNotice(text) {
      element('notice').textContent = text;
      element('notice').hidden = false;
    },
    runEnded() {
      element('ended').hidden = false;
    },
    onAbort(reason) {
      window.Module.showError('Error', `The game stopped: ${reason}`);
    },
  };

  element('full-screen').addEventListener('click', () => start(true));
  element('windowed').addEventListener('click', () => start(false));
  element('again').addEventListener('click', () => start(fullScreenChosen));

  const game = document.createElement('script');
  game.src = 'pickrpg.js';
  game.onerror = () => window.Module.showError('Error', 'Cannot load pickrpg.js');
  document.body.appendChild(game);
})();
