#include "editor/page_layouts.h"

#include <string_view>

namespace lobrix {
namespace {

// The labels of the direction pages, beside and between their two fields.
constexpr int kAzimuthLabel = 50;
constexpr int kClickHintLabel = 51;
constexpr int kElevationLabel = 52;

constexpr TextPair kHorizontalCodeTip{"Setting of Horiz. ant. code", "Nastavení Horiz. ant. kódu"};
constexpr TextPair kMechanicalTip{"Setting of Vert. ant.code - Mechanical elevat.",
                                  "Nastavení Vert. ant.kódu - Mechanická elevace"};
constexpr TextPair kElectricalTip{"Setting of Vert. ant.code - Eletrical tilting",
                                  "Nastavení Vert. ant.kódu - Elektické klopení"};
constexpr TextPair kParameterTip{"Setting of parametters of Ant. code",
                                 "Nastavení parametrů Ant. kódu"};
constexpr TextPair kScaleTip{"Selection of dB/Lin attenuation scale", "Volba měřítka dB/Lin"};
constexpr TextPair kLinScale{"&Lin scale", "&Lin meřítko"};
constexpr TextPair kClickHint{" Left mouse button click in Fig.",
                              "Stisk levého tlačítka myši v Obr."};

// Buttons 101 to 112 stand in one row, 28 units apart.
constexpr ControlRow CodeButton(int id, std::string_view picture, TextPair tooltip) {
  return {.id = id,
          .kind = ControlKind::kPictureButton,
          .styles = kStyleTabStop,
          .rect = {3 + 28 * (id - 101), 3, 28, 20},
          .tooltip = tooltip,
          .picture = picture};
}

// The three parameter fields of the code pages; the height is the dropped list's.
constexpr ControlRow kCodeFields[] = {
    {.id = kNumberField,
     .kind = ControlKind::kComboDropDown,
     .styles = kStyleTabStop | kStyleVScroll,
     .rect = {20, 145, 32, 115},
     .tooltip = kParameterTip},
    {.id = kTypeField,
     .kind = ControlKind::kComboDropDownList,
     .styles = kStyleTabStop | kStyleVScroll,
     .rect = {56, 145, 31, 115},
     .tooltip = kParameterTip},
    {.id = kSecondField,
     .kind = ControlKind::kComboDropDown,
     .styles = kStyleTabStop | kStyleVScroll,
     .rect = {91, 145, 28, 115},
     .tooltip = kParameterTip},
};

constexpr ControlRow kCodeArea{.id = kGraphicArea,
                               .kind = ControlKind::kGraphicArea,
                               .styles = kStyleSunken,
                               .rect = {137, 25, 202, 184}};

constexpr ControlRow kHorizontalRows[] = {
    CodeButton(101, "H_ND", kHorizontalCodeTip),
    CodeButton(102, "H_EA", kHorizontalCodeTip),
    CodeButton(103, "H_EB", kHorizontalCodeTip),
    CodeButton(104, "H_EC", kHorizontalCodeTip),
    CodeButton(105, "H_DE", kHorizontalCodeTip),
    CodeButton(106, "H_LA", kHorizontalCodeTip),
    CodeButton(107, "H_CA", kHorizontalCodeTip),
    CodeButton(108, "H_CB", kHorizontalCodeTip),
    CodeButton(109, "H_CC", kHorizontalCodeTip),
    CodeButton(110, "H_KA", kHorizontalCodeTip),
    CodeButton(111, "H_V", kHorizontalCodeTip),
    CodeButton(112, "H_W", kHorizontalCodeTip),
    {.id = 113,
     .kind = ControlKind::kPictureButton,
     .styles = kStyleTabStop,
     .rect = {31, 24, 28, 20},
     .tooltip = kHorizontalCodeTip,
     .picture = "H_TA"},
    kCodeFields[0],
    kCodeFields[1],
    kCodeFields[2],
    kCodeArea,
    {.id = kScaleButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {21, 183, 48, 13},
     .text = kLinScale,
     .tooltip = kScaleTip},
    // The view button gets its text when the page is drawn.
    {.id = kViewButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {78, 183, 41, 13},
     .tooltip = {"Selection of Grapic/Tab view", "Volba Obrázku/Tabulky"}},
};

constexpr ControlRow kVerticalRows[] = {
    CodeButton(101, "H_ND", kMechanicalTip),
    CodeButton(102, "VC_EA", kMechanicalTip),
    CodeButton(103, "VC_EB", kMechanicalTip),
    CodeButton(104, "VC_EC", kMechanicalTip),
    CodeButton(105, "VC_DE", kMechanicalTip),
    CodeButton(106, "VC_LA", kMechanicalTip),
    CodeButton(107, "VC_CA", kMechanicalTip),
    CodeButton(108, "VC_CB", kMechanicalTip),
    CodeButton(109, "VC_CC", kMechanicalTip),
    CodeButton(110, "VC_KA", kMechanicalTip),
    CodeButton(111, "VC_V", kMechanicalTip),
    CodeButton(112, "VC_W", kMechanicalTip),
    {.id = 113,
     .kind = ControlKind::kPictureButton,
     .styles = kStyleTabStop,
     .rect = {31, 24, 28, 20},
     .tooltip = kElectricalTip,
     .picture = "V_TA"},
    {.id = 114,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {60, 24, 27, 20},
     .text = {"PA-PZ ", "PA-PZ "}},
    kCodeFields[0],
    kCodeFields[1],
    kCodeFields[2],
    kCodeArea,
    {.id = kScaleButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {20, 183, 48, 13},
     .text = kLinScale,
     .tooltip = kScaleTip},
    {.id = kViewButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {73, 183, 46, 13},
     .tooltip = {"Selection of Polar/Rect. diagram", "Volba Polar./Pravoůhlého diag."}},
};

// Pages 2 and 3: the graphic area over one row of labels and fields (y 195, 11 high). The
// blanks in a label leave room for the field lying over them, so the degree sign stands right
// after the field.
constexpr ControlRow kDirectionArea{.id = kGraphicArea,
                                    .kind = ControlKind::kGraphicArea,
                                    .styles = kStyleSunken,
                                    .rect = {6, 7, 330, 180}};

constexpr ControlRow kDirectionRows[] = {
    kDirectionArea,
    {.id = kAzimuthLabel,
     .kind = ControlKind::kLabel,
     .rect = {16, 195, 86, 11},
     .text = {"Azimuth Max  =                °", "  Azimut Max  =                °"}},
    {.id = kAzimuthField,
     .kind = ControlKind::kEdit,
     .styles = kStyleTabStop,
     .rect = {68, 195, 26, 11},
     .text = {"0", "0"},
     .tooltip = {"Setting Azimuth of max. radiation", "Nastavení Azimutu max. vyzařování"}},
    {.id = kClickHintLabel,
     .kind = ControlKind::kLabel,
     .rect = {118, 195, 108, 11},
     .text = kClickHint},
    {.id = kElevationLabel,
     .kind = ControlKind::kLabel,
     .rect = {241, 195, 92, 11},
     .text = {"Elevation Max  =                °", "  Elevace Max  =                °"}},
    {.id = kElevationField,
     .kind = ControlKind::kEdit,
     .styles = kStyleTabStop,
     .rect = {298, 195, 26, 11},
     .text = {"0", "0"},
     .tooltip = {"Setting Elevation/Tilt of max. radiation",
                 "Nastavení Elevace/Klopení max. vyzařování"}},
};

constexpr ControlRow kThreeDRows[] = {
    kDirectionArea,
    {.id = kAzimuthLabel,
     .kind = ControlKind::kLabel,
     .rect = {13, 195, 90, 11},
     .text = {"test Azimuth  =                °", "  test Azimut  =                °"}},
    {.id = kAzimuthField,
     .kind = ControlKind::kEdit,
     .styles = kStyleTabStop,
     .rect = {64, 195, 26, 11},
     .text = {"0", "0"},
     .tooltip = {"Setting of Test azimuth for Right diagram",
                 "Nastavení Test azimutu pro Pravý diagram"}},
    {.id = kClickHintLabel,
     .kind = ControlKind::kLabel,
     .rect = {116, 195, 108, 11},
     .text = kClickHint},
    {.id = kElevationLabel,
     .kind = ControlKind::kLabel,
     .rect = {240, 195, 90, 11},
     .text = {"test Elevation  =                °", "  test Elevace  =                °"}},
    {.id = kElevationField,
     .kind = ControlKind::kEdit,
     .styles = kStyleTabStop,
     .rect = {295, 195, 26, 11},
     .text = {"0", "0"},
     .tooltip = {"Setting of Test elevation cone for Left diagram",
                 "Nastavení Test elevačního kuželu pro Levý diagram"}},
};

}  // namespace

std::span<const ControlRow> PageRows(int page) {
  switch (page) {
    case 0:
      return kHorizontalRows;
    case 1:
      return kVerticalRows;
    case 2:
      return kDirectionRows;
    case 3:
      return kThreeDRows;
    default:
      return {};
  }
}

}  // namespace lobrix
