#include "platform/gfx/font_family.h"

#include <cctype>

namespace lobrix {

std::string LiberationFamily(std::string_view name) {
  // "Arial/1": the part after the slash is the Windows name's variant, not part of the face.
  std::string face(name.substr(0, name.find('/')));
  for (char& c : face) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (face.find("courier") != std::string::npos || face.find("mono") != std::string::npos) {
    return "Liberation Mono";
  }
  if (face.find("sans") == std::string::npos &&
      (face.find("times") != std::string::npos || face.find("serif") != std::string::npos)) {
    return "Liberation Serif";
  }
  return "Liberation Sans";
}

}  // namespace lobrix
