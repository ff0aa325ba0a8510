// The caller's antenna record: 288 bytes, packed, little-endian, texts in code page 1250. The
// editor reads it at every opening of the main dialog and writes it back only on Transfer and
// after a conversion run.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/editor_state.h"

namespace lobrix {

#pragma pack(push, 1)
struct AntennaRecord {
  char hCode[7];              // no terminator
  char vCode[7];              // no terminator
  float aziMax;               // degrees
  float eleMax;               // degrees
  float gain;                 // dBd; written by Transfer only
  std::uint32_t ownerWindow;  // the caller's window handle, 0 for none
  std::uint8_t language;      // 0 English, anything else Czech
  char captionPrefix[255];    // NUL-terminated when shorter than the field
  std::uint8_t antennaRole;   // 1 Tx, 2 Rx, 3 station, other none
  std::uint8_t startPage;     // start-page code on entry, the opened page on return
};
#pragma pack(pop)

static_assert(std::endian::native == std::endian::little, "the record is little-endian");
static_assert(sizeof(float) == 4 && sizeof(AntennaRecord) == 288);
static_assert(offsetof(AntennaRecord, hCode) == 0);
static_assert(offsetof(AntennaRecord, vCode) == 7);
static_assert(offsetof(AntennaRecord, aziMax) == 14);
static_assert(offsetof(AntennaRecord, eleMax) == 18);
static_assert(offsetof(AntennaRecord, gain) == 22);
static_assert(offsetof(AntennaRecord, ownerWindow) == 26);
static_assert(offsetof(AntennaRecord, language) == 30);
static_assert(offsetof(AntennaRecord, captionPrefix) == 31);
static_assert(offsetof(AntennaRecord, antennaRole) == 286);
static_assert(offsetof(AntennaRecord, startPage) == 287);

// The page a start-page code opens: 1 and 3 the direction page, 2 the vertical page, 4 the
// 3-D page, anything else the horizontal page.
int StartPageFor(std::uint8_t code);

// The caption prefix up to its first NUL, never past the field: a prefix that fills all 255
// bytes is read as 255 characters.
std::string CaptionPrefixOf(const AntennaRecord& record);

// The record's window handle as a pointer-sized value: window handles carry 32 significant
// bits, so the value is widened, never copied as pointer-sized bytes.
void* OwnerWindowOf(const AntennaRecord& record);

// The load at each opening of the main dialog: translates startPage in place (the record comes
// back holding the page), and sets the state's codes (invalid or empty -> "000ND00"),
// directions (out of range or not a number -> 0), role, decibel scale and activePage.
// Returns the page to open.
int LoadRecord(AntennaRecord& record, EditorState& state);

// Transfer: the state's codes, directions and gain into the record; no other byte changes.
void Transfer(const EditorState& state, AntennaRecord& record);

// After a conversion run: the state's codes (blank-padded or cut to 7) and directions into
// the record.
void CopyConversionResult(const EditorState& state, AntennaRecord& record);

}  // namespace lobrix
