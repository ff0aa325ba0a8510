#include "editor/antenna_record.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

constexpr char kOmnidirectional[] = "000ND00";

// A code field: the omnidirectional code when it starts with NUL or fails the check on its
// seven bytes.
std::string LoadCode(const char (&field)[7]) {
  const std::string_view code(field, sizeof field);
  if (field[0] == '\0' || VERANT(code) == 0) return kOmnidirectional;
  return std::string(code);
}

void StoreCode(const std::string& code, char (&field)[7]) {
  std::memset(field, ' ', sizeof field);
  std::memcpy(field, code.data(), std::min(code.size(), sizeof field));
}

}  // namespace

int StartPageFor(std::uint8_t code) {
  switch (code) {
    case 1:
    case 3:
      return 2;
    case 2:
      return 1;
    case 4:
      return 3;
    default:
      return 0;
  }
}

std::string CaptionPrefixOf(const AntennaRecord& record) {
  const char* begin = record.captionPrefix;
  const void* nul = std::memchr(begin, '\0', sizeof record.captionPrefix);
  const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - begin)
                                 : sizeof record.captionPrefix;
  return std::string(begin, length);
}

void* OwnerWindowOf(const AntennaRecord& record) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(record.ownerWindow));
}

int LoadRecord(AntennaRecord& record, EditorState& state) {
  const int page = StartPageFor(record.startPage);
  record.startPage = static_cast<std::uint8_t>(page);
  state.hCode = LoadCode(record.hCode);
  state.vCode = LoadCode(record.vCode);
  const float azimuth = record.aziMax;
  const float elevation = record.eleMax;
  // Written so that a NaN fails the test and loads as 0.
  state.aziMax = (azimuth >= 0 && azimuth < 360) ? azimuth : 0;
  state.eleMax = (elevation >= -90 && elevation <= 90) ? elevation : 0;
  state.antennaRole = record.antennaRole;
  state.scaleMode = kScaleDecibel;
  state.activePage = page;
  return page;
}

void Transfer(const EditorState& state, AntennaRecord& record) {
  StoreCode(state.hCode, record.hCode);
  StoreCode(state.vCode, record.vCode);
  record.aziMax = state.aziMax;
  record.eleMax = state.eleMax;
  record.gain = state.gainDbd;
}

void CopyConversionResult(const EditorState& state, AntennaRecord& record) {
  StoreCode(state.hCode, record.hCode);
  StoreCode(state.vCode, record.vCode);
  record.aziMax = state.aziMax;
  record.eleMax = state.eleMax;
}

}  // namespace lobrix
