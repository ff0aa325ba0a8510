// The functions the page's JavaScript calls: the start, the DOM events, the file of the
// conversion panel, and the calculations of window.lobrix. Texts returned point into memory
// that stays valid until the next call of the same function.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "editor/page_layouts.h"
#include "editor_web/query_string.h"
#include "editor_web/web_app.h"
#include "model/antenna_pattern.h"
#include "pattern_files/whole_file.h"

namespace lobrix {
namespace {

// A JSON string value: quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A number for JSON: shortest text that reads back as the same float; null when not finite.
std::string JsonNumber(float value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

int ModeOf(int field) {
  return field != 0 ? kRelativeField : kDecibel;
}

}  // namespace
}  // namespace lobrix

using namespace lobrix;

extern "C" {

// query: the address's query part; language: the browser's choice (0 English, 1 Czech), which
// a remembered choice and then the address's lang= override.
EMSCRIPTEN_KEEPALIVE void web_start(const char* query, int language) {
  WebEditor& editor = WebEditorInstance();
  EditorState& state = editor.state;
  state.language = language == kEnglish ? kEnglish : kCzech;
  const std::string remembered = editor.settings.ReadSetting("Web", "Language");
  if (remembered == "en" || remembered == "cs") {
    state.language = remembered == "en" ? kEnglish : kCzech;
  }
  const AntennaQuery parsed = ParseAntennaQuery(query ? query : "");
  ApplyAntennaQuery(parsed, state, state.activePage);
  editor.note = RejectedQueryNote(parsed, state.language);
  StartWebEditor(editor);
}

EMSCRIPTEN_KEEPALIVE void web_event(int dialog, int id, int kind, int x, int y) {
  if (kind < 0 || kind > static_cast<int>(ControlEventKind::kMouseClick)) return;
  WebDialogEvent(WebEditorInstance(), dialog,
                 {id, static_cast<ControlEventKind>(kind), x, y});
}

// kind 0 move, 1 click (the left button went down), -1 the mouse left the canvas.
EMSCRIPTEN_KEEPALIVE void web_mouse(int kind, int x, int y) {
  WebPageMouse(WebEditorInstance(), kind, x, y);
}

EMSCRIPTEN_KEEPALIVE void web_set_language(int language) {
  SwitchWebLanguage(WebEditorInstance(), language == kEnglish ? kEnglish : kCzech);
}

EMSCRIPTEN_KEEPALIVE int web_language() {
  return WebEditorInstance().state.language;
}

// The bytes of a chosen or dropped file (the page frees them after the call); no bytes for a
// file larger than web_most_pattern_bytes(), which is refused with the reason.
EMSCRIPTEN_KEEPALIVE void web_pattern_file(const char* bytes, int size, const char* name) {
  WebEditor& editor = WebEditorInstance();
  if (bytes == nullptr || size < 0) {
    RefusePatternFile(editor, name ? name : "", kTooLargeReason);
    return;
  }
  TakePatternFile(editor, std::string_view(bytes, static_cast<std::size_t>(size)),
                  name ? name : "");
}

EMSCRIPTEN_KEEPALIVE double web_most_pattern_bytes() {
  return static_cast<double>(kMostPatternFileBytes);
}

EMSCRIPTEN_KEEPALIVE void web_best_fits() {
  ShowBestFits(WebEditorInstance());
}

EMSCRIPTEN_KEEPALIVE void web_open_conversion() {
  OpenConversionPanel(WebEditorInstance());
}

// "" for a valid code, else why it is not, as `lobrix check` says.
EMSCRIPTEN_KEEPALIVE const char* web_check(const char* code) {
  static std::string reason;
  reason = CodeFaultText(code ? code : "");
  return reason.c_str();
}

EMSCRIPTEN_KEEPALIVE float web_attenuation(const char* code, float angle, int field) {
  return ANT93(code ? code : "", angle, ModeOf(field));
}

EMSCRIPTEN_KEEPALIVE float web_attenuation3d(const char* hcode, const char* vcode, float az,
                                             float el, float azMax, float elMax, int field) {
  return ANT3D(hcode ? hcode : "", az, azMax, vcode ? vcode : "", el, elMax, ModeOf(field));
}

EMSCRIPTEN_KEEPALIVE float web_gain(const char* hcode, const char* vcode) {
  return ZISKANTVA(hcode ? hcode : "", vcode ? vcode : "");
}

// {"hcode", "vcode", "azimax", "elemax", "gainDbd", "page"} of the editor.
EMSCRIPTEN_KEEPALIVE const char* web_state() {
  static std::string json;
  const EditorState& s = WebEditorInstance().state;
  json = "{\"hcode\":" + JsonString(s.hCode) + ",\"vcode\":" + JsonString(s.vCode) +
         ",\"azimax\":" + JsonNumber(s.aziMax) + ",\"elemax\":" + JsonNumber(s.eleMax) +
         ",\"gainDbd\":" + JsonNumber(s.gainDbd) + ",\"page\":" + std::to_string(s.activePage) +
         ",\"language\":" + JsonString(s.language == kEnglish ? "en" : "cs") + "}";
  return json.c_str();
}

// The last conversion's {"hcode", "azimax", "vcode", "elemax"}, or "null".
EMSCRIPTEN_KEEPALIVE const char* web_last_conversion() {
  static std::string json;
  const auto& last = WebEditorInstance().lastConversion;
  json = !last ? "null"
               : "{\"hcode\":" + JsonString(last->hCode) + ",\"azimax\":" +
                     JsonNumber(last->aziMax) + ",\"vcode\":" + JsonString(last->vCode) +
                     ",\"elemax\":" + JsonNumber(last->eleMax) + "}";
  return json.c_str();
}

// 0: the last page switch's redraw, 1: the last best fits' time, in milliseconds.
EMSCRIPTEN_KEEPALIVE double web_timing(int which) {
  const WebEditor& editor = WebEditorInstance();
  return which == 0 ? editor.lastRedrawMs : editor.lastFitMs;
}

}  // extern "C"
