// The common open-file dialog, as the Kathrein file choice uses it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace lobrix {

// Shows the open-file dialog owned by `owner` and returns non-zero when the user chose a file.
// `filter` is "description|pattern"; an empty `initialFolder` means the current directory; an
// empty title or default extension leaves the dialog's own. `fileSpec` goes in as the text of
// the file-name box and comes back as the dialog left it (the full path of a chosen file);
// `flags` (OFN_...) go in and come back as the dialog left them. Texts are UTF-8.
int ChooseOpenFile(HWND owner, std::string_view title, std::string& fileSpec,
                   std::string_view initialFolder, std::string_view filter,
                   std::string_view defaultExtension, unsigned& flags);

}  // namespace lobrix
