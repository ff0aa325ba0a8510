// The page's own JavaScript functions the web entry calls (editor_web/page_library.js): what
// the Windows side does with its own windows, the message box, the open-file dialog, done on
// the page instead. Texts are NUL-terminated UTF-8.
#pragma once

extern "C" {

// The help box or a message: a box over the page with a caption, the text and an OK button.
void lobrix_show_message(const char* caption, const char* text);
// Opens the browser's file chooser of the conversion panel (only while the user's click
// lasts; otherwise the browser ignores it).
void lobrix_pick_file();
// A note at the right end of the main dialog's status bar; empty clears it.
void lobrix_status_note(const char* text);
// The conversion panel's text under its picture: what the reading did and the best fits.
void lobrix_conversion_text(const char* text);
// Calls web_best_fits once the page has shown what is drawn so far.
void lobrix_defer_best_fits();
// Clears the editor's elements before the dialogs are built anew (the language changed).
void lobrix_reset_page();
// Milliseconds since the page's navigation started.
double lobrix_now();

}  // extern "C"
