// The address of the editor's page opens an antenna: ?h=030EA10&v=100TA00&azi=30&ele=-2.5,
// with page=0..3 for the page on top and lang=en or cs. A value that is not valid is left out
// (the defaults stand) and named, so the page can say what it did not take.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/drawing_input.h"

namespace lobrix {

struct AntennaQuery {
  std::optional<std::string> hCode, vCode;
  std::optional<float> aziMax, eleMax;
  std::optional<int> page;
  std::optional<int> language;
  std::vector<std::string> rejected;  // "key=value" as given (decoded), in address order
};

// %XX and '+' decoded; a '%' without two hex digits stays as it is.
std::string PercentDecode(std::string_view text);

// The query part of an address, with or without its leading '?'. Keys are taken in any letter
// case; codes are taken in capitals and must pass the code check; azi must be 0 to below 360,
// ele -90 to 90, page 0 to 3, lang en or cs. Unknown keys are ignored; of a repeated key the
// last valid value stands.
AntennaQuery ParseAntennaQuery(std::string_view query);

// The taken values written into the editor's input and page.
void ApplyAntennaQuery(const AntennaQuery& query, DrawingInput& input, int& activePage);

// " Not taken from the address: h=123XY45, azi=400" in the language; empty when all was taken.
std::string RejectedQueryNote(const AntennaQuery& query, int language);

}  // namespace lobrix
