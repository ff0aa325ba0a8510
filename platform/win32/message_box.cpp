#include "platform/win32/message_box.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace lobrix {

void ShowInformationBox(std::string_view caption, std::string_view text) {
  MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(),
              MB_TASKMODAL | MB_ICONINFORMATION);
}

}  // namespace lobrix
