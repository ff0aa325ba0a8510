// lobrix convert: measured Kathrein *.MSI pattern files to antenna codes, in batch.
#pragma once

#include <ostream>

#include "cli/arguments.h"

namespace lobrix::cli {

// Converts the files and folders that `args` names and writes one record a file to `out`
// (table, CSV or JSON); each failed file gets a line on `err`. With `showProgress` (standard
// error is a terminal) a line on `err` counts the files done while the batch runs. Returns 0
// when every file was converted, 1 when some were not, 2 for wrong arguments.
int RunConvertCommand(const Args& args, std::ostream& out, std::ostream& err,
                      bool showProgress = false);

}  // namespace lobrix::cli
