#include "platform/win32/label_wrap.h"

#include "platform/win32/win_handle.h"

namespace lobrix {
namespace {

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

// One paragraph (no line breaks inside): words joined while they fit.
void WrapParagraph(HDC dc, std::wstring_view paragraph, int width, std::wstring& out) {
  std::wstring line;
  std::size_t at = 0;
  // The blanks before the first word belong to the first line.
  const std::size_t first = paragraph.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) {
    out += paragraph;
    return;
  }
  line.assign(paragraph.substr(0, first));
  at = first;
  bool lineHasWord = false;
  while (at < paragraph.size()) {
    const std::size_t wordEnd = std::min(paragraph.find(L' ', at), paragraph.size());
    const std::wstring_view word = paragraph.substr(at, wordEnd - at);
    const std::size_t next = std::min(paragraph.find_first_not_of(L' ', wordEnd), paragraph.size());
    const std::wstring_view blanks = paragraph.substr(wordEnd, next - wordEnd);
    const std::wstring candidate = line + std::wstring(word);
    if (lineHasWord && TextWidth(dc, candidate) > width) {
      // Break: the blanks before this word are dropped with the break.
      while (!line.empty() && line.back() == L' ') line.pop_back();
      out += line;
      out += L"\r\n";
      line.assign(word);
    } else {
      line = candidate;
    }
    lineHasWord = true;
    line += blanks;
    at = next;
  }
  out += line;
}

}  // namespace

std::wstring WrapLabelText(HDC dc, std::wstring_view text, int width) {
  std::wstring out;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find(L"\r\n", at), text.size());
    WrapParagraph(dc, text.substr(at, end - at), width, out);
    if (end == text.size()) break;
    out += L"\r\n";
    at = end + 2;
  }
  return out;
}

bool IsWrappingLabel(HWND window) {
  wchar_t name[16] = {};
  if (window == nullptr || GetClassNameW(window, name, 16) == 0 || lstrcmpiW(name, L"Static")) {
    return false;
  }
  const auto type = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & SS_TYPEMASK;
  return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

void SetLabelText(HWND label, std::wstring_view text) {
  RECT client{};
  GetClientRect(label, &client);
  std::wstring lines(text);
  if (const WindowDc dc(label); dc.Get() != nullptr) {
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0));
    const SelectedObject selected(dc.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    lines = WrapLabelText(dc.Get(), text, static_cast<int>(client.right));
  }
  SetWindowTextW(label, lines.c_str());
}

}  // namespace lobrix
