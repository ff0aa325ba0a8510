#include "editor/status_bar.h"

#include "model/antenna_pattern.h"
#include "render/number_format.h"

namespace lobrix {
namespace {

constexpr TextPair kHCodeLabel{" H-code: ", " H-kód: "};
constexpr TextPair kVCodeLabel{" V-code: ", " V-kód: "};
constexpr char kDegree[] = "°";

// The gain's number text, with one more blank in front of a negative value.
std::string GainNumber(double value) {
  std::string text = NumberText(value, 1);
  if (value < 0) text.insert(0, 1, ' ');
  return text;
}

}  // namespace

std::string HCodeStatusText(const EditorState& state) {
  return std::string(Pick(kHCodeLabel, state.language)) + state.hCode;
}

std::string VCodeStatusText(const EditorState& state) {
  return std::string(Pick(kVCodeLabel, state.language)) + state.vCode;
}

std::string AziMaxStatusText(float aziMax) {
  return " AziMax =" + NumberText(aziMax, 1) + kDegree;
}

std::string EleMaxStatusText(float eleMax) {
  return " EleMax = " + PlainNumberText(eleMax, 1) + kDegree;
}

std::string GainStatusText(float gainDbd) {
  // The dBi value is the single-precision gain plus 2.14 worked out in double precision,
  // then rounded once.
  return " gaMax =" + GainNumber(gainDbd) + " dBd =" + GainNumber(double{gainDbd} + 2.14) + " dBi";
}

void RefreshStatus(std::string_view command, EditorState& state, Controls& dialog, int barId) {
  const std::string_view action = command.substr(0, 3);
  if (action == "ini") {
    RefreshStatus("dia", state, dialog, barId);
    RefreshStatus("azi", state, dialog, barId);
    RefreshStatus("ele", state, dialog, barId);
  } else if (action == "dia") {
    dialog.SetPartText(barId, 0, HCodeStatusText(state));
    dialog.SetPartText(barId, 2, VCodeStatusText(state));
    state.gainDbd = ZISKANTVA(state.hCode, state.vCode);
    dialog.SetPartText(barId, 4, GainStatusText(state.gainDbd));
  } else if (action == "azi") {
    dialog.SetPartText(barId, 1, AziMaxStatusText(state.aziMax));
  } else if (action == "ele") {
    dialog.SetPartText(barId, 3, EleMaxStatusText(state.eleMax));
  }
}

}  // namespace lobrix
