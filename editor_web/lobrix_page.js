// The editor's page: loads the fonts and the module, starts the editor on the address's
// antenna in the browser's language, passes the mouse over the page's canvas and the pattern
// files of the conversion panel to it, and offers window.lobrix to scripts and tests. Nothing
// is sent anywhere: a chosen or dropped file is read in the browser.
'use strict';

(function() {
  var started = false;
  var firstDrawMs = null;
  var resolveReady, rejectReady;
  var ready = new Promise(function(resolve, reject) {
    resolveReady = resolve;
    rejectReady = reject;
  });

  // A text handed to the module for the length of one call.
  function withText(text, call) {
    var size = Module.lengthBytesUTF8(text) + 1;
    var pointer = Module._malloc(size);
    Module.stringToUTF8(text, pointer, size);
    try {
      return call(pointer);
    } finally {
      Module._free(pointer);
    }
  }

  function code(text) {
    return text === undefined || text === null ? '' : String(text);
  }

  // "db" (the default) or "field"; anything else is a mistake of the caller.
  function fieldUnit(unit) {
    if (unit === undefined || unit === null || unit === 'db') return 0;
    if (unit === 'field') return 1;
    throw new TypeError('unit must be "db" or "field"');
  }

  function message(caption, text) {
    document.getElementById('message-caption').textContent = caption;
    document.getElementById('message-text').textContent = text;
    var box = document.getElementById('message-box');
    box.hidden = false;
    document.getElementById('message-ok').focus();
  }

  // The editor's elements emptied before they are built in another language.
  function resetPage() {
    var holder = document.getElementById('canvas-holder');
    holder.appendChild(document.getElementById('page-canvas'));
    holder.appendChild(document.getElementById('conversion-canvas'));
    ['main', 'p0', 'p1', 'p2', 'p3', 'conv'].forEach(function(name) {
      var dialog = document.getElementById('dlg-' + name);
      Array.prototype.slice.call(dialog.children).forEach(function(child) {
        if (child.id && (child.id.indexOf('ctl-') === 0)) child.remove();
      });
    });
  }

  var pageTexts = {
    0: {language: 'Language', file: 'Pattern file (*.MSI):', choose: 'Choose a file...',
        drop: 'or drop one here; it is read in this browser and sent nowhere.'},
    1: {language: 'Jazyk', file: 'Soubor diagramu (*.MSI):', choose: 'Vybrat soubor...',
        drop: 'nebo jej sem přetáhněte; čte se v prohlížeči a nikam se neposílá.'},
  };

  function showPageTexts(language) {
    var texts = pageTexts[language] || pageTexts[0];
    document.documentElement.lang = language === 1 ? 'cs' : 'en';
    document.getElementById('language-label').textContent = texts.language;
    document.getElementById('pattern-file-text').textContent = texts.file;
    document.getElementById('pattern-file-choose').textContent = texts.choose;
    document.getElementById('drop-hint').textContent = texts.drop;
    document.getElementById('language').value = language === 1 ? 'cs' : 'en';
  }

  // The bytes of a file into the conversion panel (opened for a file dropped on the editor).
  function takeFile(file) {
    if (!file || !started) return;
    if (file.size > Module._web_most_pattern_bytes()) {
      Module._web_open_conversion();
      withText(file.name, function(name) { Module._web_pattern_file(0, -1, name); });
      return;
    }
    file.arrayBuffer().then(function(buffer) {
      var bytes = new Uint8Array(buffer);
      Module._web_open_conversion();
      var pointer = Module._malloc(Math.max(bytes.length, 1));
      if (!pointer) {
        withText(file.name, function(name) { Module._web_pattern_file(0, -1, name); });
        return;
      }
      Module.HEAPU8.set(bytes, pointer);
      try {
        withText(file.name, function(name) {
          Module._web_pattern_file(pointer, bytes.length, name);
        });
      } finally {
        Module._free(pointer);
      }
    });
  }

  function wireCanvas() {
    var canvas = document.getElementById('page-canvas');
    function at(event, kind) {
      Module._web_mouse(kind, Math.floor(event.offsetX), Math.floor(event.offsetY));
    }
    // Pointer events: a mouse, a pen or a finger alike; the primary button picks.
    canvas.addEventListener('pointermove', function(event) { at(event, 0); });
    canvas.addEventListener('pointerdown', function(event) {
      if (event.button === 0) at(event, 1);
    });
    // The button press's default action would take the focus from the field the pick has just
    // focused.
    canvas.addEventListener('mousedown', function(event) { event.preventDefault(); });
    canvas.addEventListener('pointerleave', function() { Module._web_mouse(-1, -1, -1); });
  }

  function wirePage() {
    var box = document.getElementById('message-box');
    document.getElementById('message-ok').addEventListener('click', function() {
      box.hidden = true;
    });
    // Enter and Escape close the box, as they close a message box.
    box.addEventListener('keydown', function(event) {
      if (event.key === 'Escape' || event.key === 'Enter') {
        event.preventDefault();
        box.hidden = true;
      }
    });
    document.getElementById('language').addEventListener('change', function(event) {
      var language = event.target.value === 'cs' ? 1 : 0;
      Module._web_set_language(language);
      showPageTexts(language);
    });
    var input = document.getElementById('pattern-file');
    input.addEventListener('change', function() {
      if (input.files && input.files[0]) takeFile(input.files[0]);
      input.value = '';
    });
    document.addEventListener('dragover', function(event) { event.preventDefault(); });
    document.addEventListener('drop', function(event) {
      event.preventDefault();
      var files = event.dataTransfer && event.dataTransfer.files;
      if (files && files[0]) takeFile(files[0]);
    });
    wireCanvas();
  }

  // The browser's zoom or another screen changes the pixel ratio: the page's canvas is drawn
  // again at the new one, so it stays sharp. Zooming resizes the window; a move to another
  // screen may only change the resolution media query.
  var drawnRatio = 0;
  function checkPixelRatio() {
    if (!started || window.devicePixelRatio === drawnRatio) return;
    drawnRatio = window.devicePixelRatio;
    Module._web_screen_changed();
  }
  function watchPixelRatio() {
    drawnRatio = window.devicePixelRatio;
    window.addEventListener('resize', checkPixelRatio);
    if (!window.matchMedia) return;
    (function watch() {
      var query = window.matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)');
      query.addEventListener('change', function() {
        checkPixelRatio();
        watch();
      }, {once: true});
    })();
  }

  function loadFonts() {
    if (!window.FontFace || !document.fonts) return Promise.resolve();
    var faces = [
      new FontFace('Liberation Sans', 'url(fonts/LiberationSans-Regular.ttf)'),
      new FontFace('Liberation Sans', 'url(fonts/LiberationSans-Bold.ttf)', {weight: 'bold'}),
    ];
    return Promise.all(faces.map(function(face) {
      return face.load().then(function(loaded) { document.fonts.add(loaded); });
    }));
  }

  function browserLanguage() {
    var language = (navigator.languages && navigator.languages[0]) || navigator.language || '';
    return /^(cs|sk)\b/i.test(language) ? 1 : 0;
  }

  function start() {
    wirePage();
    withText(window.location.search || '', function(query) {
      Module._web_start(query, browserLanguage());
    });
    firstDrawMs = performance.now();
    started = true;
    watchPixelRatio();
    showPageTexts(Module._web_language());
    resolveReady(window.lobrix);
  }

  // The module could not be loaded or started: say so on the page (opened as a file, the
  // browser refuses to fetch lobrix.wasm).
  function failed(what) {
    if (started) return;
    var text = 'The editor could not start (' + what + ').' +
               (location.protocol === 'file:' ? ' Serve this folder over HTTP, for example' +
                ' with scripts/run web.' : '');
    document.getElementById('caption-main').textContent = text;
    rejectReady(new Error(text));
  }
  // A failed fetch of the module ends in a rejected promise nobody waits for.
  window.addEventListener('unhandledrejection', function(event) { failed(event.reason); });
  // A page opened as a file cannot fetch its module at all (and its scripts' errors are hidden
  // from it): say so at once.
  if (location.protocol === 'file:') failed('opened as a file');
  // Whoever waits for ready hears of a failure; the page itself has shown it already.
  ready.catch(function() {});

  var fonts = loadFonts();
  window.Module = {
    onRuntimeInitialized: function() {
      fonts.then(start).catch(function(error) {
        failed(error);
        throw error;
      });
    },
    onAbort: failed,
    lobrixCopyFailed: function(error) {
      var note = document.getElementById('status-note');
      if (note) note.textContent = ' ' + (error && error.message ? error.message : error);
    },
  };

  window.LobrixPage = {showMessage: message, resetPage: resetPage};

  window.lobrix = {
    ready: ready,
    // null for a valid code, else why it is not.
    check: function(text) {
      var reason = withText(code(text), function(p) {
        return Module.UTF8ToString(Module._web_check(p));
      });
      return reason === '' ? null : reason;
    },
    attenuation: function(text, angle, unit) {
      var field = fieldUnit(unit);
      return withText(code(text), function(p) {
        return Module._web_attenuation(p, Number(angle), field);
      });
    },
    attenuation3d: function(hcode, vcode, az, el, azimax, elemax, unit) {
      var field = fieldUnit(unit);
      return withText(code(hcode), function(h) {
        return withText(code(vcode), function(v) {
          return Module._web_attenuation3d(h, v, Number(az), Number(el), Number(azimax),
                                           Number(elemax), field);
        });
      });
    },
    // dBd as the library gives it (-99: a code fails what the gain checks); dBi = dBd + 2.15.
    gain: function(hcode, vcode) {
      var dbd = withText(code(hcode), function(h) {
        return withText(code(vcode), function(v) { return Module._web_gain(h, v); });
      });
      return {dbd: dbd, dbi: dbd === -99 ? null : dbd + 2.15};
    },
    state: function() {
      return JSON.parse(Module.UTF8ToString(Module._web_state()));
    },
    lastConversion: function() {
      return JSON.parse(Module.UTF8ToString(Module._web_last_conversion()));
    },
    timings: function() {
      return {firstDrawMs: firstDrawMs, lastRedrawMs: Module._web_timing(0),
              lastBestFitsMs: Module._web_timing(1)};
    },
  };
})();
