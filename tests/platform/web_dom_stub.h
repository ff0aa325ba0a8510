// A stand-in for the page's JavaScript half of platform/web in native tests: the functions of
// platform/web/web_calls.h over plain maps, keeping what a browser's elements would hold, so
// the C++ half runs and can be compared with the fake controls.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lobrix::web_stub {

struct Element {
  int kind = -1;
  std::string text;  // an input's value, a label's or button's text
  std::vector<std::string> items;
  int selectedIndex = -1;
  bool enabled = true;
  bool visible = true;
  int selectionStart = 0, selectionEnd = 0;
  std::string title;
};

struct Page {
  std::map<std::pair<std::string, int>, Element> elements;  // (dialog, id)
  std::pair<std::string, int> focus{"", 0};
  std::map<std::string, std::string> storage;
  std::vector<std::string> calls;  // canvas calls, e.g. "text page-canvas Ž"
  bool canvasOpens = true;
  bool clipboardWorks = true;
};

// The page the stub functions act on; cleared by Reset.
Page& CurrentPage();
void Reset();

// What the user does: types into an input (the caret at the end), chooses a list item.
void UserTypes(const std::string& dialog, int id, const std::string& text);

}  // namespace lobrix::web_stub
