// The page's JavaScript functions that the browser backend calls (platform/web/lobrix_canvas.js
// and lobrix_controls.js, linked as emscripten JS libraries). Texts are NUL-terminated UTF-8;
// colours 0x00BBGGRR; canvas coordinates in the surface's pixels. A dialog is named by its
// short name ("main", "p0" .. "p3", "conv"), which is also the middle part of its controls'
// element ids.
// Functions that answer a text return memory from malloc that the caller frees.
#pragma once

extern "C" {

// The canvas `canvas` (element id) sized to width x height pixels of the surface, scaled for
// the screen's pixel ratio and cleared; 0 when there is no such canvas.
int lobrix_canvas_open(const char* canvas, int width, int height);
void lobrix_canvas_clear(const char* canvas, unsigned color);
void lobrix_canvas_line(const char* canvas, double x0, double y0, double x1, double y1,
                        unsigned color, int dotted);
void lobrix_canvas_rect(const char* canvas, double x, double y, double w, double h,
                        unsigned penColor, int dotted, unsigned brushColor, int filled);
void lobrix_canvas_circle(const char* canvas, double cx, double cy, double r, unsigned penColor,
                          int dotted, unsigned brushColor, int filled);
void lobrix_canvas_pixel(const char* canvas, double x, double y, unsigned color);
// The colour at the pixel, or -1 outside the canvas.
int lobrix_canvas_pixel_at(const char* canvas, int x, int y);
// `family` a CSS font family; height the text cell's height in pixels; width the average
// character width (0: the face's own); the cell painted in `background` when `opaque`.
void lobrix_canvas_text(const char* canvas, double x, double y, const char* text, int align,
                        const char* family, double height, double width, int bold,
                        unsigned color, unsigned background, int opaque);
// Strokes what is pending; the picture shows.
void lobrix_canvas_flush(const char* canvas);
// Starts copying the canvas as a PNG to the clipboard; 0 when the browser offers no way to.
int lobrix_canvas_copy(const char* canvas);

// Controls: kind is the ControlKind's number; the rectangle in pixels of the dialog.
void lobrix_control_create(const char* dialog, int id, int kind, int x, int y, int width,
                           int height, const char* text, const char* picture, int disabled);
void lobrix_control_destroy(const char* dialog, int id);
char* lobrix_control_text(const char* dialog, int id);
void lobrix_control_set_text(const char* dialog, int id, const char* text);
// The items of a combo box or the tab control, given all at once, one a line; and one more.
void lobrix_control_set_items(const char* dialog, int id, const char* lines);
void lobrix_control_add_item(const char* dialog, int id, const char* text);
void lobrix_control_select(const char* dialog, int id, int index);
void lobrix_control_enable(const char* dialog, int id, int enabled);
void lobrix_control_show(const char* dialog, int id, int visible);
void lobrix_control_focus(const char* dialog, int id);
// The id of the dialog's control that has the focus, 0 for none.
int lobrix_control_focused(const char* dialog);
// which 0: start, 1: end of the edit selection (characters).
int lobrix_control_edit_selection(const char* dialog, int id, int which);
void lobrix_control_set_edit_selection(const char* dialog, int id, int start, int end);
void lobrix_control_tooltip(const char* dialog, int id, const char* text);
// The status bar's parts: their right edges in pixels, comma-separated (-1: to the edge).
void lobrix_status_parts(const char* dialog, int id, const char* edges);
void lobrix_status_text(const char* dialog, int id, int part, const char* text);
void lobrix_dialog_caption(const char* dialog, const char* text);
void lobrix_dialog_show(const char* dialog, int visible);
// Puts the dialog's element at a pixel rectangle of the page's editor area.
void lobrix_dialog_place(const char* dialog, int x, int y, int width, int height);
// Moves the canvas into the dialog's element at (x, y), over the dialog's controls.
void lobrix_canvas_place(const char* canvas, const char* dialog, int x, int y);
void lobrix_timer_start(const char* dialog, int id, int milliseconds);
void lobrix_timer_stop(const char* dialog, int id);

// localStorage; a missing value reads as an empty text.
char* lobrix_storage_read(const char* key);
void lobrix_storage_write(const char* key, const char* value);

}  // extern "C"
