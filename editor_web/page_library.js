// The page's own functions that the web entry calls (editor_web/page_calls.h): the message
// box, the file chooser, the status note, the conversion panel's text. Linked into lobrix.js
// as an emscripten JS library; the work is done by LobrixPage (lobrix_page.js).

mergeInto(LibraryManager.library, {
  lobrix_show_message: function(caption, text) {
    window['LobrixPage'].showMessage(UTF8ToString(caption), UTF8ToString(text));
  },
  lobrix_pick_file: function() {
    var input = document.getElementById('pattern-file');
    if (input) input.click();
  },
  lobrix_status_note: function(text) {
    var note = document.getElementById('status-note');
    if (note) note.textContent = UTF8ToString(text);
  },
  lobrix_conversion_text: function(text) {
    var box = document.getElementById('conversion-text');
    if (box) box.textContent = UTF8ToString(text);
  },
  lobrix_defer_best_fits: function() {
    requestAnimationFrame(function() {
      setTimeout(function() { Module['_web_best_fits'](); }, 0);
    });
  },
  lobrix_reset_page: function() {
    window['LobrixPage'].resetPage();
  },
  lobrix_now: function() {
    return performance.now();
  },
});
