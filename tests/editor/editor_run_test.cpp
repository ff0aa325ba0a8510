// The editing run around the dialog: what reaches the record, when the folder is written, and
// the calls it refuses.
#include "editor/editor_run.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "platform/fake/fake_settings.h"

namespace lobrix {
namespace {

AntennaRecord CallersRecord() {
  AntennaRecord record;
  std::memset(&record, 0, sizeof record);
  std::memcpy(record.hCode, "030EA10", 7);
  std::memcpy(record.vCode, "100TA00", 7);
  record.aziMax = 90;
  record.eleMax = 5;
  record.gain = -1;
  record.ownerWindow = 0x1234;
  record.language = 7;  // any value but 0 is Czech
  std::memcpy(record.captionPrefix, "Tx 1:", 5);
  record.antennaRole = 1;
  record.startPage = 0;
  return record;
}

bool SameBytes(const AntennaRecord& a, const AntennaRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A dialog that answers from a script and notes what it saw at each opening.
struct ScriptedDialog {
  std::vector<int> results;
  std::vector<EditorState> seen;
  std::function<void(EditorState&)> edit;  // what the user does before the dialog ends

  int operator()(EditorState& state) {
    seen.push_back(state);
    if (edit) edit(state);
    const int result = results.at(seen.size() - 1);
    return result;
  }
};

struct Caller {
  FakeSettings settings;
  ScriptedDialog dialog;
  std::vector<int> conversionResults;
  int conversions = 0;

  EditorRunHooks Hooks() {
    EditorRunHooks hooks;
    hooks.settings = &settings;
    hooks.currentDirectory = [] { return std::string("C:\\work"); };
    hooks.mainDialog = [this](EditorState& s) { return dialog(s); };
    hooks.conversionWindow = [this](EditorState& s) {
      s.hCode = "045EB10";
      s.vCode = "000ND00";
      s.aziMax = 12.5f;
      s.eleMax = -3;
      return conversionResults.at(static_cast<std::size_t>(conversions++));
    };
    return hooks;
  }
};

TEST(RunEditor, TakesOverTheCallersTextsAndLanguage) {
  Caller run;
  run.dialog.results = {0};
  AntennaRecord record = CallersRecord();
  EditorState state;
  EXPECT_EQ(RunEditor(&record, state, run.Hooks()), 0);
  const EditorState& seen = run.dialog.seen.at(0);
  EXPECT_EQ(seen.captionPrefix, "Tx 1:");
  EXPECT_EQ(seen.ownerWindow, reinterpret_cast<void*>(std::uintptr_t{0x1234}));
  EXPECT_EQ(seen.language, kCzech);
  EXPECT_EQ(seen.versionDate, "  2010-02-15");
  EXPECT_EQ(seen.kathreinFolder, "C:\\work");  // nothing remembered: the current folder
  EXPECT_EQ(seen.hCode, "030EA10");
  EXPECT_EQ(seen.aziMax, 90);
}

TEST(RunEditor, CloseLeavesTheRecordAsLoaded) {
  Caller run;
  run.dialog.results = {0};
  run.dialog.edit = [](EditorState& s) {
    s.hCode = "045EB10";
    s.aziMax = 1;
    s.gainDbd = 3;
  };
  AntennaRecord record = CallersRecord();
  record.startPage = 4;
  AntennaRecord expected = record;
  expected.startPage = 3;  // the translated start page is all the load writes
  EditorState state;
  EXPECT_EQ(RunEditor(&record, state, run.Hooks()), 0);
  EXPECT_TRUE(SameBytes(record, expected));
}

TEST(RunEditor, TransferWritesTheEditedAntenna) {
  Caller run;
  run.dialog.results = {1};
  run.dialog.edit = [](EditorState& s) {
    s.hCode = "045EB10";
    s.aziMax = 1;
    s.gainDbd = 3;
  };
  AntennaRecord record = CallersRecord();
  EditorState state;
  EXPECT_EQ(RunEditor(&record, state, run.Hooks()), 1);
  EXPECT_EQ(std::string(record.hCode, 7), "045EB10");
  EXPECT_EQ(+record.aziMax, 1);
  EXPECT_EQ(+record.gain, 3);
}

TEST(RunEditor, ConversionResultsAreCopiedBeforeEachReopening) {
  Caller run;
  // Conversion asked twice: the first run produced codes, the second was closed; then the
  // user closes the dialog.
  run.dialog.results = {kDialogConversion, kDialogConversion, 0};
  run.conversionResults = {1, 0};
  AntennaRecord record = CallersRecord();
  record.startPage = 2;  // opens the vertical page, leaves 1
  EditorState state;
  EXPECT_EQ(RunEditor(&record, state, run.Hooks()), 0);
  ASSERT_EQ(run.dialog.seen.size(), 3u);
  EXPECT_EQ(run.dialog.seen[0].activePage, 1);
  // After a conversion that produced codes the dialog reopens on the 3-D page, with them.
  EXPECT_EQ(run.dialog.seen[1].activePage, 3);
  EXPECT_EQ(run.dialog.seen[1].hCode, "045EB10");
  EXPECT_EQ(run.dialog.seen[1].aziMax, 12.5f);
  // After one that did not, the page byte (3) is read as a start-page code again: page 2.
  EXPECT_EQ(run.dialog.seen[2].activePage, 2);
  // Closed at the end, yet the record holds what the conversions copied, but no gain.
  EXPECT_EQ(std::string(record.hCode, 7), "045EB10");
  EXPECT_EQ(std::string(record.vCode, 7), "000ND00");
  EXPECT_EQ(+record.aziMax, 12.5f);
  EXPECT_EQ(+record.eleMax, -3);
  EXPECT_EQ(+record.gain, -1);
  EXPECT_EQ(+record.startPage, 2);
}

TEST(RunEditor, FolderIsWrittenOnlyWhenItChanged) {
  Caller run;
  run.settings.values[{"Software\\Tarvex", "Kathrein"}] = "D:\\msi";
  run.dialog.results = {0, 0};
  AntennaRecord record = CallersRecord();
  EditorState state;
  RunEditor(&record, state, run.Hooks());
  EXPECT_EQ(run.dialog.seen.at(0).kathreinFolder, "D:\\msi");
  EXPECT_EQ(run.settings.writes, 0);

  run.dialog.edit = [](EditorState& s) { s.kathreinFolder = "D:\\MSI"; };  // case counts
  RunEditor(&record, state, run.Hooks());
  EXPECT_EQ(run.settings.writes, 1);
  EXPECT_EQ((run.settings.values[{"Software\\Tarvex", "Kathrein"}]), "D:\\MSI");
}

TEST(RunEditor, DialogThatCannotOpenReadsAsClosed) {
  Caller run;
  run.dialog.results = {-1};
  AntennaRecord record = CallersRecord();
  EditorState state;
  EXPECT_EQ(RunEditor(&record, state, run.Hooks()), 0);
  EXPECT_EQ(run.dialog.seen.size(), 1u);
}

TEST(RunEditor, NullRecordTouchesNothing) {
  Caller run;
  run.dialog.results = {1};
  EditorState state;
  state.captionPrefix = "kept";
  EXPECT_EQ(RunEditor(nullptr, state, run.Hooks()), 0);
  EXPECT_TRUE(run.dialog.seen.empty());
  EXPECT_EQ(state.captionPrefix, "kept");
  EXPECT_FALSE(state.runOpen);
}

TEST(RunEditor, SecondCallWhileARunIsOpenReturnsZeroAtOnce) {
  Caller run;
  AntennaRecord outer = CallersRecord();
  AntennaRecord inner = CallersRecord();
  std::memcpy(inner.captionPrefix, "Rx 2:", 5);
  inner.startPage = 4;
  const AntennaRecord innerBefore = inner;
  EditorState state;
  int innerResult = -5;
  int openings = 0;
  EditorRunHooks hooks = run.Hooks();
  hooks.mainDialog = [&](EditorState& s) {
    if (++openings == 1) innerResult = RunEditor(&inner, s, hooks);
    return 1;
  };
  EXPECT_EQ(RunEditor(&outer, state, hooks), 1);
  EXPECT_EQ(innerResult, 0);
  EXPECT_EQ(openings, 1);
  EXPECT_TRUE(SameBytes(inner, innerBefore));
  EXPECT_EQ(state.captionPrefix, "Tx 1:");  // the open run's state was not taken over
  EXPECT_FALSE(state.runOpen);              // and the flag is down again afterwards
}

}  // namespace
}  // namespace lobrix
