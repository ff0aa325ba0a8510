#include "tests/platform/web_dom_stub.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/web/web_calls.h"

namespace lobrix::web_stub {
namespace {

Element* Find(const char* dialog, int id) {
  auto& elements = CurrentPage().elements;
  const auto found = elements.find({dialog, id});
  return found == elements.end() ? nullptr : &found->second;
}

char* Copy(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

constexpr int kEdit = 5, kCombo = 6, kList = 7;

}  // namespace

Page& CurrentPage() {
  static Page page;
  return page;
}

void Reset() {
  CurrentPage() = Page{};
}

void UserTypes(const std::string& dialog, int id, const std::string& text) {
  if (Element* e = Find(dialog.c_str(), id)) {
    e->text = text;
    e->selectionStart = e->selectionEnd = static_cast<int>(text.size());
  }
}

}  // namespace lobrix::web_stub

using lobrix::web_stub::CurrentPage;
using lobrix::web_stub::Element;

extern "C" {

int lobrix_canvas_open(const char* canvas, int width, int height) {
  CurrentPage().calls.push_back(std::string("open ") + canvas + " " + std::to_string(width) +
                                "x" + std::to_string(height));
  return CurrentPage().canvasOpens ? 1 : 0;
}
void lobrix_canvas_clear(const char*, unsigned) {}
void lobrix_canvas_line(const char*, double, double, double, double, unsigned, int) {}
void lobrix_canvas_rect(const char*, double, double, double, double, unsigned, int, unsigned,
                        int) {}
void lobrix_canvas_circle(const char*, double, double, double, unsigned, int, unsigned, int) {}
void lobrix_canvas_pixel(const char*, double, double, unsigned) {}
int lobrix_canvas_pixel_at(const char*, int x, int y) {
  return x * 1000 + y;  // a colour that names the pixel asked for
}
void lobrix_canvas_text(const char* canvas, double, double, const char* text, int, const char* family,
                        double, double, int, unsigned, unsigned, int) {
  CurrentPage().calls.push_back(std::string("text ") + canvas + " " + family + " " + text);
}
void lobrix_canvas_flush(const char*) {}
int lobrix_canvas_copy(const char*) {
  return CurrentPage().clipboardWorks ? 1 : 0;
}

void lobrix_control_create(const char* dialog, int id, int kind, int, int, int, int,
                           const char* text, const char*, int disabled) {
  Element e;
  e.kind = kind;
  e.text = text;
  e.enabled = disabled == 0;
  CurrentPage().elements[{dialog, id}] = e;
}
void lobrix_control_destroy(const char* dialog, int id) {
  CurrentPage().elements.erase({dialog, id});
}
char* lobrix_control_text(const char* dialog, int id) {
  const Element* e = lobrix::web_stub::Find(dialog, id);
  if (e == nullptr) return lobrix::web_stub::Copy("");
  // A list shows its selected option, as a <select> does.
  if (e->kind == lobrix::web_stub::kList) {
    const bool chosen = e->selectedIndex >= 0 &&
                        e->selectedIndex < static_cast<int>(e->items.size());
    return lobrix::web_stub::Copy(chosen ? e->items[static_cast<std::size_t>(e->selectedIndex)]
                                         : "");
  }
  return lobrix::web_stub::Copy(e->text);
}
void lobrix_control_set_text(const char* dialog, int id, const char* text) {
  if (Element* e = lobrix::web_stub::Find(dialog, id)) e->text = text;
}
void lobrix_control_set_items(const char* dialog, int id, const char* lines) {
  Element* e = lobrix::web_stub::Find(dialog, id);
  if (e == nullptr) return;
  e->items.clear();
  std::string rest = lines;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    e->items.push_back(rest.substr(0, end));
    rest = end == std::string::npos ? "" : rest.substr(end + 1);
  }
}
void lobrix_control_add_item(const char* dialog, int id, const char* text) {
  if (Element* e = lobrix::web_stub::Find(dialog, id)) e->items.push_back(text);
}
void lobrix_control_select(const char* dialog, int id, int index) {
  if (Element* e = lobrix::web_stub::Find(dialog, id)) e->selectedIndex = index;
}
void lobrix_control_enable(const char* dialog, int id, int enabled) {
  if (Element* e = lobrix::web_stub::Find(dialog, id)) e->enabled = enabled != 0;
}
void lobrix_control_show(const char* dialog, int id, int visible) {
  if (Element* e = lobrix::web_stub::Find(dialog, id)) e->visible = visible != 0;
}
void lobrix_control_focus(const char* dialog, int id) {
  const Element* e = lobrix::web_stub::Find(dialog, id);
  if (e != nullptr && e->enabled) CurrentPage().focus = {dialog, id};
}
int lobrix_control_focused(const char* dialog) {
  return CurrentPage().focus.first == dialog ? CurrentPage().focus.second : 0;
}
int lobrix_control_edit_selection(const char* dialog, int id, int which) {
  const Element* e = lobrix::web_stub::Find(dialog, id);
  if (e == nullptr || (e->kind != lobrix::web_stub::kEdit && e->kind != lobrix::web_stub::kCombo)) {
    return 0;
  }
  return which ? e->selectionEnd : e->selectionStart;
}
void lobrix_control_set_edit_selection(const char* dialog, int id, int start, int end) {
  Element* e = lobrix::web_stub::Find(dialog, id);
  if (e == nullptr) return;
  const int size = static_cast<int>(e->text.size());
  e->selectionStart = std::clamp(start, 0, size);
  e->selectionEnd = std::clamp(end, 0, size);
}
void lobrix_control_tooltip(const char* dialog, int id, const char* text) {
  if (Element* e = lobrix::web_stub::Find(dialog, id)) e->title = text;
}
void lobrix_status_parts(const char*, int, const char*) {}
void lobrix_status_text(const char*, int, int, const char*) {}
void lobrix_dialog_caption(const char*, const char*) {}
void lobrix_dialog_show(const char*, int) {}
void lobrix_dialog_place(const char*, int, int, int, int) {}
void lobrix_canvas_place(const char*, const char*, int, int) {}
void lobrix_timer_start(const char*, int, int) {}
void lobrix_timer_stop(const char*, int) {}

char* lobrix_storage_read(const char* key) {
  const auto& storage = CurrentPage().storage;
  const auto found = storage.find(key);
  return lobrix::web_stub::Copy(found == storage.end() ? "" : found->second);
}
void lobrix_storage_write(const char* key, const char* value) {
  CurrentPage().storage[key] = value;
}

}  // extern "C"
