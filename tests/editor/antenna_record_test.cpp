// The record as a foreign caller lays it out, byte by byte, and what the load and Transfer do
// with it.
#include "editor/antenna_record.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace lobrix {
namespace {

using Bytes = std::array<unsigned char, 288>;

// Writes at an offset the way a caller filling the record by hand would.
template <typename T>
void Put(Bytes& bytes, std::size_t offset, const T& value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

AntennaRecord FromBytes(const Bytes& bytes) {
  AntennaRecord record;
  std::memcpy(&record, bytes.data(), sizeof record);
  return record;
}

Bytes ToBytes(const AntennaRecord& record) {
  Bytes bytes;
  std::memcpy(bytes.data(), &record, sizeof record);
  return bytes;
}

Bytes Filled(unsigned char value) {
  Bytes bytes;
  bytes.fill(value);
  return bytes;
}

TEST(AntennaRecord, FieldsSitAtTheCallersOffsets) {
  Bytes bytes = Filled(0);
  std::memcpy(bytes.data() + 0, "030EA10", 7);
  std::memcpy(bytes.data() + 7, "100TA00", 7);
  Put(bytes, 14, 45.5f);
  Put(bytes, 18, -2.5f);
  Put(bytes, 22, 12.25f);
  Put(bytes, 26, std::uint32_t{0x80010002});
  bytes[30] = 1;
  std::memcpy(bytes.data() + 31, "Prefix", 6);
  bytes[286] = 2;
  bytes[287] = 4;
  const AntennaRecord r = FromBytes(bytes);
  EXPECT_EQ(std::string(r.hCode, 7), "030EA10");
  EXPECT_EQ(std::string(r.vCode, 7), "100TA00");
  EXPECT_EQ(+r.aziMax, 45.5f);
  EXPECT_EQ(+r.eleMax, -2.5f);
  EXPECT_EQ(+r.gain, 12.25f);
  EXPECT_EQ(+r.ownerWindow, 0x80010002u);
  EXPECT_EQ(+r.language, 1);
  EXPECT_EQ(CaptionPrefixOf(r), "Prefix");
  EXPECT_EQ(+r.antennaRole, 2);
  EXPECT_EQ(+r.startPage, 4);
  // The handle keeps its 32 bits, widened without sign extension.
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(OwnerWindowOf(r)), std::uintptr_t{0x80010002});
}

TEST(LoadRecord, ZeroRecordOpensOmnidirectionalOnTheHorizontalPage) {
  AntennaRecord record = FromBytes(Filled(0));
  EditorState state;
  state.hCode = "030EA10";
  state.aziMax = 10;
  state.scaleMode = kScaleLinear;
  EXPECT_EQ(LoadRecord(record, state), 0);
  EXPECT_EQ(state.hCode, "000ND00");
  EXPECT_EQ(state.vCode, "000ND00");
  EXPECT_EQ(state.aziMax, 0);
  EXPECT_EQ(state.eleMax, 0);
  EXPECT_EQ(state.antennaRole, 0);
  EXPECT_EQ(state.scaleMode, kScaleDecibel);
  EXPECT_EQ(state.activePage, 0);
}

TEST(LoadRecord, InvalidCodesBecomeOmnidirectional) {
  struct Case {
    const char* code;  // 7 bytes
    const char* loaded;
  };
  for (const Case c : {Case{"030EA10", "030EA10"}, Case{"120PA05", "120PA05"},
                       Case{"510VE00", "510VE00"}, Case{"099EA10", "000ND00"},  // EA stops at 65
                       Case{"030XX10", "000ND00"}, Case{"030EA1\0", "000ND00"},
                       Case{"\0"
                            "30EA10",
                            "000ND00"},
                       Case{"001ND00", "000ND00"}}) {
    AntennaRecord record = FromBytes(Filled(0));
    std::memcpy(record.hCode, c.code, 7);
    std::memcpy(record.vCode, c.code, 7);
    EditorState state;
    LoadRecord(record, state);
    EXPECT_EQ(state.hCode, c.loaded) << c.code;
    EXPECT_EQ(state.vCode, c.loaded) << c.code;
  }
}

TEST(LoadRecord, CodeIsCheckedOnItsSevenBytesOnly) {
  // The byte after hCode is the first of vCode: "030EA10" followed by "5..." must not be read
  // as an eight-character code, nor must vCode's bytes run on into aziMax.
  AntennaRecord record = FromBytes(Filled(0));
  std::memcpy(record.hCode, "030EA10", 7);
  std::memcpy(record.vCode, "100TA00", 7);
  record.aziMax = 1.0f;
  EditorState state;
  LoadRecord(record, state);
  EXPECT_EQ(state.hCode, "030EA10");
  EXPECT_EQ(state.vCode, "100TA00");
}

TEST(LoadRecord, DirectionsOutOfRangeLoadAsZero) {
  struct Case {
    float azimuth, elevation, loadedAzimuth, loadedElevation;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (const Case c :
       {Case{360, 90, 0, 90}, Case{359.9f, -90, 359.9f, -90}, Case{-0.1f, 90.5f, 0, 0},
        Case{0, -90.5f, 0, 0}, Case{nan, nan, 0, 0}, Case{inf, -inf, 0, 0}}) {
    AntennaRecord record = FromBytes(Filled(0));
    record.aziMax = c.azimuth;
    record.eleMax = c.elevation;
    EditorState state;
    LoadRecord(record, state);
    EXPECT_EQ(state.aziMax, c.loadedAzimuth) << c.azimuth;
    EXPECT_EQ(state.eleMax, c.loadedElevation) << c.elevation;
  }
}

TEST(LoadRecord, StartPageIsTranslatedInPlace) {
  struct Case {
    std::uint8_t code;
    int page;
  };
  for (const Case c :
       {Case{0, 0}, Case{1, 2}, Case{2, 1}, Case{3, 2}, Case{4, 3}, Case{5, 0}, Case{255, 0}}) {
    AntennaRecord record = FromBytes(Filled(0));
    record.startPage = c.code;
    EditorState state;
    EXPECT_EQ(LoadRecord(record, state), c.page) << int{c.code};
    EXPECT_EQ(state.activePage, c.page);
    EXPECT_EQ(+record.startPage, c.page);
  }
}

TEST(LoadRecord, ChangesNoOtherByteOfTheRecord) {
  Bytes bytes = Filled(0xA5);
  bytes[287] = 4;
  AntennaRecord record = FromBytes(bytes);
  EditorState state;
  LoadRecord(record, state);
  Bytes expected = bytes;
  expected[287] = 3;
  EXPECT_EQ(ToBytes(record), expected);
}

TEST(CaptionPrefix, StopsAtNulOrAtTheFieldsEnd) {
  AntennaRecord record = FromBytes(Filled('x'));
  record.antennaRole = 'y';
  record.startPage = 0;
  EXPECT_EQ(CaptionPrefixOf(record), std::string(255, 'x'));  // no NUL: the whole field, no more
  record.captionPrefix[254] = '\0';
  EXPECT_EQ(CaptionPrefixOf(record), std::string(254, 'x'));
  record.captionPrefix[0] = '\0';
  EXPECT_EQ(CaptionPrefixOf(record), "");
}

TEST(Transfer, WritesTheFiveFieldsAndNothingElse) {
  const Bytes before = Filled(0x5A);
  AntennaRecord record = FromBytes(before);
  EditorState state;
  state.hCode = "030EA10";
  state.vCode = "100TA00";
  state.aziMax = 123.4f;
  state.eleMax = -7.5f;
  state.gainDbd = 9.87f;
  state.language = kCzech;
  state.antennaRole = 3;
  state.activePage = 2;
  Transfer(state, record);

  Bytes expected = before;
  std::memcpy(expected.data() + 0, "030EA10", 7);
  std::memcpy(expected.data() + 7, "100TA00", 7);
  Put(expected, 14, 123.4f);
  Put(expected, 18, -7.5f);
  Put(expected, 22, 9.87f);
  EXPECT_EQ(ToBytes(record), expected);
}

TEST(CopyConversionResult, WritesCodesAndDirectionsButNotTheGain) {
  const Bytes before = Filled(0x5A);
  AntennaRecord record = FromBytes(before);
  EditorState state;
  state.hCode = "030EA";       // a short code is padded with blanks
  state.vCode = "100TA00xyz";  // a long one is cut
  state.aziMax = 1.5f;
  state.eleMax = -2;
  state.gainDbd = 4;
  CopyConversionResult(state, record);
  Bytes expected = before;
  std::memcpy(expected.data() + 0, "030EA  ", 7);
  std::memcpy(expected.data() + 7, "100TA00", 7);
  Put(expected, 14, 1.5f);
  Put(expected, 18, -2.0f);
  EXPECT_EQ(ToBytes(record), expected);
}

}  // namespace
}  // namespace lobrix
