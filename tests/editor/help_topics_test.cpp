// The context help: which topic each page and view shows, and the exact texts and captions.
#include "editor/help_topics.h"

#include <gtest/gtest.h>

#include <string>

namespace lobrix {
namespace {

std::size_t LineCount(const std::string& text) {
  std::size_t lines = 1;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  return lines;
}

EditorState On(int page, int view, int language, std::string prefix = "") {
  EditorState state;
  state.activePage = page;
  state.alternateView = view;
  state.language = language;
  state.captionPrefix = std::move(prefix);
  return state;
}

TEST(ContextHelp, TopicPerPageAndViewWithItsLineCount) {
  struct Case {
    int page, view;
    const char* english;
    std::size_t englishLines;
    const char* czech;
    std::size_t czechLines;
  };
  for (const Case c : {
           Case{0, 0, " Graph of Horizontal antenna diagram", 27,
                "Graf Horizontálního anténního diagramu", 27},
           Case{0, 1, " Table of Horizontal antenna diagram", 2,
                " Tabulka Horizontálního anténního diagramu", 2},
           Case{1, 0, " Polar graph of Vertical antenna diagram", 23,
                "Polární graf Vertikálního anténního diagramu", 24},
           Case{1, 1, " X-Y graph of Vertical antenna diagram", 2,
                " X-Y graf Vertikálního anténního diagramu", 2},
           Case{2, 0, " Azimuth and Elevation of antenna diagrams", 11,
                " Azimut a Elevace anténních diagramů", 12},
           Case{2, 1, " Azimuth and Elevation of antenna diagrams", 11,
                " Azimut a Elevace anténních diagramů", 12},
           Case{3, 0, " 3-D antenna diagram", 10, " 3-D anténní diagram", 10},
           Case{3, 1, " 3-D antenna diagram", 10, " 3-D anténní diagram", 10},
       }) {
    const auto english = ContextHelp(On(c.page, c.view, kEnglish));
    const auto czech = ContextHelp(On(c.page, c.view, kCzech));
    ASSERT_TRUE(english && czech);
    // Without a caller the caption is the title alone.
    EXPECT_EQ(english->caption, c.english);
    EXPECT_EQ(czech->caption, c.czech);
    EXPECT_EQ(LineCount(english->text), c.englishLines) << c.english;
    EXPECT_EQ(LineCount(czech->text), c.czechLines) << c.czech;
  }
  EXPECT_FALSE(ContextHelp(On(4, 0, kEnglish)));
  EXPECT_FALSE(ContextHelp(On(-1, 0, kCzech)));
}

TEST(ContextHelp, ExactLinesJoinedWithCrLf) {
  const std::string horizontal = ContextHelp(On(0, 0, kEnglish))->text;
  EXPECT_EQ(horizontal.substr(0, 119),
            "The page serves for setting of the Horizontal antenna diagram  \r\n"
            "which attenuation curve is shown  by  the  Red line.\r\n");
  EXPECT_NE(horizontal.find("\r\n(Vilnius),  Annex 6  and  Annex 8.\r\n\r\nProgram control"),
            std::string::npos);
  EXPECT_NE(
      horizontal.find("\r\n  -  by pressing of ''Up/Down arrows'' or ''Page Up/Down'' key\r\n"),
      std::string::npos);
  EXPECT_NE(horizontal.find("\r\n             HKEY_CURRENT_USER\\Software\\Tarvex\r\n"),
            std::string::npos);
  EXPECT_EQ(horizontal.substr(horizontal.size() - 49),
            "which is accessable  by  the common Icona-button.");

  EXPECT_EQ(ContextHelp(On(0, 1, kCzech))->text,
            "Tabelární hodnoty útlumu Horizontálního anténního diagramu.  \r\n"
            "Obsah tabulky  může být  též modifikován.");
  const std::string polar = ContextHelp(On(1, 0, kCzech))->text;
  EXPECT_NE(polar.find("\r\n     kontinuálně zvětšen v části jeho zpětného laloku,  přidádím části "
                       "jeho\r\n     předního laloku.\r\n"),
            std::string::npos);
  const std::string threeD = ContextHelp(On(3, 0, kEnglish))->text;
  EXPECT_NE(threeD.find("pattern.  \r\n\r\nThe left  Ant.diagram (Azi, TestEle)"),
            std::string::npos);
  // No line break after the last line.
  EXPECT_EQ(threeD.substr(threeD.size() - 56),
            "\r\nEditBoxes  or  by mouse-click  into  antenna diagrams.");
}

TEST(ContextHelp, CaptionIsThePrefixThenTheTitle) {
  EXPECT_EQ(ContextHelp(On(1, 0, kCzech, "Vys\xEDla\xE8"))->caption,
            "VysílačPolární graf Vertikálního anténního diagramu");
  EXPECT_EQ(ContextHelp(On(2, 0, kEnglish, "Tx:"))->caption,
            "Tx: Azimuth and Elevation of antenna diagrams");
  // Any language byte but 0 is Czech.
  EXPECT_EQ(ContextHelp(On(3, 0, 7))->caption, " 3-D anténní diagram");
}

}  // namespace
}  // namespace lobrix
