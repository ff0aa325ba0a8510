#include "editor/caption.h"

#include "text/text_decode.h"

namespace lobrix {

TextPair RoleSuffix(int antennaRole) {
  switch (antennaRole) {
    case 1:
      return {",  for Tx antenna", ",  pro Tx anténu"};
    case 2:
      return {",  for Rx antenna", ",  pro Rx anténu"};
    case 3:
      return {",  for Station antenna", ",  pro Anténu stanice"};
    default:
      return {};
  }
}

std::string CaptionPrefixText(const EditorState& state) {
  return EncodeUtf8(DecodeCp1250(state.captionPrefix));
}

std::string MainCaption(const EditorState& state) {
  std::string caption = CaptionPrefixText(state);
  caption += "  HCM Lobrix,  ver.";
  caption += state.versionDate;
  caption += Pick(RoleSuffix(state.antennaRole), state.language);
  return caption;
}

}  // namespace lobrix
