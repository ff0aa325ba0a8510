#include "editor/help_topics.h"

#include <array>

#include "editor/caption.h"

namespace lobrix {
namespace {

// The topics' lines as the message box shows them, one string a line. Many lines end in
// blanks and two single quotes stand for a quotation mark: both are part of the text.

// Horizontal page, graph view, English.
constexpr std::array<std::string_view, 27> kHorizontalGraphEnglish{
    "The page serves for setting of the Horizontal antenna diagram  ",
    "which attenuation curve is shown  by  the  Red line.",
    "The figure contains the additional following info:",
    "  -  solid blue line:   original vertical antenna diagram.",
    "  -  dotted blue line: corrected vertical antenna diagram  which",
    "     is matched  to  the Horizontal antenna diagram.",
    "The Antenna diagrams are defined in Vienna Agreement 2005,",
    "(Vilnius),  Annex 6  and  Annex 8.",
    "",
    "Program control is standard:  by mouse, Tab/Shift+Tab,",
    "accelerators,  ESC = Close,  Enter = Transfer.",
    "The ComboBoxe items may be selected:",
    "  -  by setting of predefined internal values",
    "  -  by pressing of ''Up/Down arrows'' or ''Page Up/Down'' key",
    "  -  by entering of desired value into its EditBox.",
    "All graphic windows  may be transfered  by button-click  to the",
    "Clipboard  and  from there  to  other application  (into WORD).",
    "Button  ''from Kathrein files''  makes conversion  of  antenna",
    "diagrams from  Kathrein  *.MSI  data files  to  VA-99 ant.codes.",
    "This utility uses Registry:",
    "             HKEY_CURRENT_USER\\Software\\Tarvex",
    "If the program  is compiled  into  DLL module  then  the button",
    "''Transfer''  translates selected antenna data  back into module",
    "from where  the Lobrix was previously called.",
    "",
    "Each  program Window  contains  own relevant context Help",
    "which is accessable  by  the common Icona-button.",
};

// Horizontal page, graph view, Czech.
constexpr std::array<std::string_view, 27> kHorizontalGraphCzech{
    "Stránka slouží pro nastavení Horizontálního anténního diagramu, jehož  ",
    "průběh je znázorněn Červenou čarou.",
    "Obrázek dále obsahuje následující info:",
    "  -  plná modrá čára:   originální vertikální anténní diagram.",
    "  -  tečkovaná modrá čára:  opravený vertikální anténní diagram,  který  ",
    "     je přizpůsoben  Horizontálnímu anténnímu diagramu.",
    "Anténní diagramy jsou definovány ve Vídeňské dohodě 2005,",
    "(Vilnius),  Annex 6  a  Annex 8.",
    "",
    "Ovládání programu je standartní:  myš,  Tab/Shift+Tab,  akcelerátory,",
    "ESC = Zavřít,  Enter = Přenést.",
    "Položky ComboBoxu moho být vybrány:",
    "  -  z předdefinovaných vnitřních hodnot",
    "  -  stiskem kláves šipka Nahoru/Dolu nebo ''Page Up/Down''.",
    "  -  napsáním požadované hodnoty do jeho EditBoxu",
    "Všechny obrázky  mohou být uloženy  stiskem tlačítka  do  Schránky,",
    "odkud  mohou být zkopírovány  do  jiné aplikace  (např. do WORDu).",
    "Tlačítko  ''z Kathrein souborů''  provádí konverzi  anténních diagramů",
    "z  datových souborů  Kathrein  *.MSI  na  VA-99 anténní kódy.",
    "Tato utilita používá Registry:",
    "             HKEY_CURRENT_USER\\Software\\Tarvex",
    "Pokud je program zkompilován do DLL souboru, potom tlačítko",
    "''Přenést''  posílá anténní data  zpět  do modulu,  odkud byl  Lobrix",
    "předtím volán.",
    "",
    "Každý obrázek programu obsahuje příslušnou kontextovou nápovědu,",
    "která je dosažitelná  pomocí společného  Ikona-tlačítka.",
};

// Horizontal page, table view, English.
constexpr std::array<std::string_view, 2> kHorizontalTableEnglish{
    "Tabulated values of Horizontal antenna attenuation.  ",
    "The table contents  can be  modified too.",
};

// Horizontal page, table view, Czech.
constexpr std::array<std::string_view, 2> kHorizontalTableCzech{
    "Tabelární hodnoty útlumu Horizontálního anténního diagramu.  ",
    "Obsah tabulky  může být  též modifikován.",
};

// Vertical page, polar view, English.
constexpr std::array<std::string_view, 23> kVerticalPolarEnglish{
    "The page serves for setting of the Vertical antenna diagram. Blue curve shows    ",
    "original selected  Vertical antenna diagram,  while Red curve shows  corrected",
    "Vertical antenna diagram which is matched to used Horizontal antenna diagram",
    "in order to avoid the discontinuity of both diagrams in the back direction of their",
    "radiation.  This processing  can be mentioned  as crazy  because  Vertical and",
    "Horizontal diagrams describe  the vertical and horizontal cross-sections  of the",
    "unique antenna diagram  and therefore  the back radiation  of  partial diagrams",
    "should be equal !!",
    "But real Vienna Agreement Exchange data records  don't comply with previous",
    "condition very often  and therefore  if the partial  Horizontal and Vertical ant.",
    "codes  aren't compatible  then the following processing is used:",
    "  -  If the back radiation of Horizontal diagram  is lower  than the back radiation",
    "     of Vertical diagram  then  the resulting Vertical diagram  is continuously",
    "     decreassed  in its back lobe part.",
    "  -  If the back radiation of Horizontal diagram is greater than the back radiation",
    "     of Vertical diagram  then the resulting Vertical diagram  is continuously",
    "     increassed  in its back lobe part  by adding of some forward lobe portion.",
    "The additional extension allows to create new Vertical antenna diagram contour  ",
    "shapes.",
    "",
    "''TA'' ant. code  describes Electrically tilded 3-D ant. pattern (constant elevation",
    "of max. radiation  in  all azimuths).",
    "Other ant. codes describe  Mechanically elevated 3-D antenna patterns.",
};

// Vertical page, polar view, Czech.
constexpr std::array<std::string_view, 24> kVerticalPolarCzech{
    "Stránka slouží  pro nastavení  Vertikálního  anténního diagramu.  Modrá křivka",
    "znázorňuje původní zvolený Vertikální anténní diagram, zatím co křivka červená",
    "znázorňuje opravený Vertikální anténní diagram, který je přizpůsoben použitému  ",
    "Horizontálnímu anténnímu diagramu,  z důvodu odstranění diskontinuity  obou",
    "diagramů  v zadním směru jejich vyzařování. Tato úprava může být považována",
    "za nesmyslnou,  protože Vertikální a Horizontální diagramy  popisují  vertikální a",
    "horizontální řezy jediné antény  a tudíž zpětné vyzařování jejich dílčích diagramů",
    "by mělo být stejné !!",
    "Ale skutečné Exchange data rekordy Vídeňské dohody velmi často nesplňují",
    "předcházející podmínku,  a proto,  pokud dílčí Horizontální a Vertikální kódy",
    "nejsou kompatibilní,  tak je provedena  následující úprava:",
    "  -  Pokud je zpětné vyzařování Horizontálního diagrau menší než zpětné",
    "     vyzařování Vertikálního diagramu,  tak  výsledný Vertikální diagram je",
    "     kontinuálně potlačen  v části  jeho zpětného laloku.",
    "  -  Pokud je zpětné vyzařování Horizontálního diagrau větší než zpětné",
    "     vyzařování Vertikálního diagramu,  tak  výsledný Vertikální diagram je",
    "     kontinuálně zvětšen v části jeho zpětného laloku,  přidádím části jeho",
    "     předního laloku.",
    "Dodatečné rozšíření zároveň umožňuje vytvářet nové tvary Vertikálního",
    "anténního diagramu.",
    "",
    "''TA'' ant. kód  popisuje Electricky klopené 3-D ant. diagram (konstantní elevace",
    "maxima záření  ve  všech azimutech).",
    "Ostatní ant. kódy popisují  Mechanicky naklápěné 3-D antenní diagramy.",
};

// Vertical page, X-Y graph, English.
constexpr std::array<std::string_view, 2> kVerticalXYEnglish{
    "The graph gives better angle resolution of narow antenna  ",
    "lobe  then  it is exists in polar radiation diagram.",
};

// Vertical page, X-Y graph, Czech.
constexpr std::array<std::string_view, 2> kVerticalXYCzech{
    "Graf poskytuje lepší úlové rozlišení úzkých anténních laloků,  ",
    "než se vyskytuje v polárním vyzařovacím diagramu.",
};

// Azimuth and elevation page, English.
constexpr std::array<std::string_view, 11> kDirectionsEnglish{
    "The page  serves  for  setting  of the Azimuth (AziMax)  and  of the Elevation (EleMax)  ",
    "of the maximum antenna radation,  because  basic orientation of the antenna diagram",
    "considers the maximum radiation in the angle of 0 deg.",
    "",
    "VA-2005 takes into consideration  two methods of Elevation implementation  into",
    "resulting 3-D antenna pattern:",
    "   - Electrical tilting of vertical diagram by menas of use ''TA'' ant. code",
    "   - Mechanical slooping of whole antenna system by means of all other antenna codes.",
    "",
    "AziMax  and/or  EleMax  can be selected  by entering desired value  into  EditBoxes",
    "or  by mouse-click  into  antenna diagrams.",
};

// Azimuth and elevation page, Czech.
constexpr std::array<std::string_view, 12> kDirectionsCzech{
    "Stránka slouží pro nastavení  Azimutu (AziMax) a  Elevace (EleMax)  maxima",
    "vyzařování antény,  protože základní orientace  antenního diagramu uvažuje  ",
    "maximum vyzařování  v  úhlu 0 stupňů.",
    "",
    "VA-2005 uvažuje  2 metody zahrnutí Elevace  do  výsledného 3-D anténního",
    "diagramu:",
    "  - Elektrické klopení vertikálního diagramu pomocí''TA'' ant. kódu.",
    "  - Mechanickým sklonem anténního systému  ve vertikální rovině  podél jeho",
    "     předozadní osy  pomocí  ostatních anténních kódů.",
    "",
    "AziMax  a/nebo  EleMax  mohou být zadány vložením požadované hodnoty",
    "do EditBoxů,  nebo kliknutím myši v anténních diagramech.",
};

// 3-D page, English.
constexpr std::array<std::string_view, 10> kThreeDEnglish{
    "The page serves  for 3-D visualisation  of the resulting  antenna radiation pattern.  ",
    "",
    "The left  Ant.diagram (Azi, TestEle)  shows  the radiation pattern  at  the cone",
    "surface  defined by TestElevation angle.",
    "If  TestEle = 0 deg.  then  the cone plane  coincides  with  the horizontal plane.",
    "The right  Vert.diagram  shows the vertical cross-section of the resulting antenna  ",
    "radiation pattern in TestAzimuth direction.",
    "",
    "AziTest  and/or  EleTest  can be selected  by entering desired value  into",
    "EditBoxes  or  by mouse-click  into  antenna diagrams.",
};

// 3-D page, Czech.
constexpr std::array<std::string_view, 10> kThreeDCzech{
    "Stránka slouží pro 3-D visualizaci výsledného vyzařovacího diagramu antény.  ",
    "",
    "Levý  Ant.diagram (Azi,TestEle) znázorňuje vyzařovací diagram  na kuželové  ",
    "ploše definované úhlem TestElevace.",
    "Pokud  TestEle = 0 st.,  tak  kuželová plocha přejde  na  horizontální rovinu.",
    "Pravý  Vert.diagram  znázorňuje vertikální řez výsledného vyzařovacího",
    "diagramu antény  ve směru TestAzimutu.",
    "",
    "AziTest  a/nebo  EleTest  mohou být zadány vložením požadované hodnoty",
    "do EditBoxů,  nebo kliknutím myši v anténních diagramech.",
};

constexpr std::array<std::array<HelpTopic, 2>, kHelpSubjects> kTopics{{
    {{{" Graph of Horizontal antenna diagram", kHorizontalGraphEnglish},
      {"Graf Horizontálního anténního diagramu", kHorizontalGraphCzech}}},
    {{{" Table of Horizontal antenna diagram", kHorizontalTableEnglish},
      {" Tabulka Horizontálního anténního diagramu", kHorizontalTableCzech}}},
    {{{" Polar graph of Vertical antenna diagram", kVerticalPolarEnglish},
      {"Polární graf Vertikálního anténního diagramu", kVerticalPolarCzech}}},
    {{{" X-Y graph of Vertical antenna diagram", kVerticalXYEnglish},
      {" X-Y graf Vertikálního anténního diagramu", kVerticalXYCzech}}},
    {{{" Azimuth and Elevation of antenna diagrams", kDirectionsEnglish},
      {" Azimut a Elevace anténních diagramů", kDirectionsCzech}}},
    {{{" 3-D antenna diagram", kThreeDEnglish}, {" 3-D anténní diagram", kThreeDCzech}}},
}};

}  // namespace

int HelpSubject(int activePage, int alternateView) {
  switch (activePage) {
    case 0:
      return alternateView == 0 ? kHelpHorizontalGraph : kHelpHorizontalTable;
    case 1:
      return alternateView == 0 ? kHelpVerticalPolar : kHelpVerticalXY;
    case 2:
      return kHelpDirections;
    case 3:
      return kHelpThreeD;
    default:
      return -1;
  }
}

const HelpTopic& HelpTopicFor(int subject, int language) {
  const auto& pair = kTopics.at(static_cast<std::size_t>(subject));
  return pair[language == kEnglish ? 0 : 1];
}

std::string HelpText(const HelpTopic& topic) {
  std::string text;
  for (std::size_t i = 0; i < topic.lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += topic.lines[i];
  }
  return text;
}

std::optional<HelpBox> ContextHelp(const EditorState& state) {
  const int subject = HelpSubject(state.activePage, state.alternateView);
  if (subject < 0) return std::nullopt;
  const HelpTopic& topic = HelpTopicFor(subject, state.language);
  return HelpBox{CaptionPrefixText(state) + std::string(topic.title), HelpText(topic)};
}

}  // namespace lobrix
