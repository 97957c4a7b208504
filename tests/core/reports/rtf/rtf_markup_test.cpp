// The report markup pipeline: header, styled paragraphs, tokens, tables, lists, bars,
// names and gender choices, page breaks and the 8-bit encoding of the document.
#include <gtest/gtest.h>

#include "core/reports/language/language.h"
#include "core/reports/rtf/rtf_emitter.h"

namespace korvana {
namespace {

// The eleven styles as the program ships them.
RtfLayout ShippedLayout() {
  struct Row {
    int size;
    Color colour;
    std::uint8_t style;
    std::uint8_t align;
  };
  const Row rows[TextStyleCount] = {
      {26, 0, StyleBold, 2},       {10, 2105123, 0, 2},        {20, 8421504, StyleBold, 2},
      {12, 255, StyleItalic, 0},   {11, 2105123, 0, 3},        {10, 2105123, 0, 0},
      {16, 8421504, 0, 2},         {16, 8421504, StyleBold, 2}, {13, 8421504, StyleBold, 2},
      {10, 2105123, StyleBold, 2}, {10, 0, StyleBold, 0}};
  RtfLayout layout;
  for (int i = 0; i < TextStyleCount; ++i) {
    layout.styles[i].fontName = "Arial";
    layout.styles[i].fontSize = rows[i].size;
    layout.styles[i].fontColor = rows[i].colour;
    layout.styles[i].fontStyle = rows[i].style;
    layout.styles[i].alignment = rows[i].align;
  }
  layout.pageWidth = 12018;
  layout.marginLeft = 720;
  layout.marginRight = 720;  // text width 10578
  return layout;
}

class RtfMarkup : public ::testing::Test {
 protected:
  RtfLayout layout = ShippedLayout();
};

TEST_F(RtfMarkup, DocumentHeaderListsOneFontAndOneColourPerStyle) {
  layout.styles[5].fontName = "Liberation Serif   ";
  std::string h = DocumentHeader(layout, 11);
  EXPECT_EQ(h.rfind("{\\rtf1\\ansi\\deff0\\deftab360{\\fonttbl{\\f0\\fswiss Arial;}"
                    "{\\f1\\fswiss\\fprq2 Univers;}{\\f2\\froman\\fcharset2 Symbol;}{\\f3\\fnil Arial;}",
                    0),
            0u);
  EXPECT_NE(h.find("{\\f8\\fnil Liberation Serif;}"), std::string::npos);
  EXPECT_NE(h.find("{\\f13\\fnil Arial;}}\r\n{\\colortbl\\red0\\green0\\blue0;"
                   "\\red35\\green31\\blue32;\\red128\\green128\\blue128;\\red255\\green0\\blue0;"),
            std::string::npos);
  const std::string tail = "\\red0\\green0\\blue0;}\r\n\\paperw12018\\paperh16951\\margl720\\margr720\\margt720\\margb720"
                           "\r\n{\\footer \\pard\\plain\\qc\\f0\\fs18 Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}"
                           "\r\n\\deflang2057\\pard\\plain\\f0\\fs22 ";
  EXPECT_TRUE(h.ends_with(tail)) << h;
  EXPECT_EQ(DocumentEnd(), "\r\n\\par \\pard }");
}

TEST_F(RtfMarkup, StyledParagraphs) {
  struct Case {
    const char* name;
    int style;
    bool keepOpen;
    int spacing;
    std::string expected;
  };
  const Case cases[] = {
      {"body justified", 4, false, 0, "\\pard\\qj \\f7\\fs22\\cf4 text\r\n\\par "},
      {"title keeps with next, italic", 3, false, 0,
       "\\pard\\keepn\\ql \\f6\\fs24\\cf3 {\\i text}\r\n\\par "},
      {"section header bold centred", 2, true, 0, "\\pard\\keepn\\qc \\f5\\fs40\\cf2 {\\b text}"},
      {"page header left", 5, true, 0, "\\pard\\ql \\f8\\fs20\\cf5 text"},
      {"exact spacing", 4, true, -120, "\\pard\\qj \\f7\\fs22\\cf4 \\sl-264\\slmult0 text"},
      {"exact spacing truncated", 4, true, -133, "\\pard\\qj \\f7\\fs22\\cf4 \\sl-292\\slmult0 text"},
      {"positive spacing ignored", 4, true, 150, "\\pard\\qj \\f7\\fs22\\cf4 text"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StyledParagraph(layout, "text", c.style, c.keepOpen, c.spacing), c.expected) << c.name;
  }
}

TEST_F(RtfMarkup, StyleEmphasisWrapsBoldInnermost) {
  layout.styles[4].fontStyle = StyleBold | StyleItalic;
  layout.styles[4].alignment = 1;
  EXPECT_EQ(StyledParagraph(layout, "x", 4, true, 0), "\\pard\\qr \\f7\\fs22\\cf4 {\\i {\\b x}}");
  layout.styles[4].fontStyle = StyleBold | StyleItalic | StyleUnderline;
  EXPECT_EQ(StyledParagraph(layout, "x", 4, true, 0),
            "\\pard\\qr \\f7\\fs22\\cf4 {\\ul {\\i {\\b x}}}");
  EXPECT_THROW(StyledParagraph(layout, "x", 11, true, 0), std::invalid_argument);
  EXPECT_THROW(StyledParagraph(layout, "x", -1, true, 0), std::invalid_argument);
}

TEST_F(RtfMarkup, Tokens) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      // An opening token left without its partner stays as it is.
      {"<BOLDON>Sun<BOLDOFF> and <BOLDON>Moon", "{\\b Sun} and <BOLDON>Moon"},
      {"<BOLDON>a<ITALICON>b<ITALICOFF><UNDERLINEON>c<UNDERLINEOFF><BOLDOFF>",
       "{\\b a{\\i b}{\\ul c}}"},
      {"<BOLDON>a<BOLDON>b<BOLDOFF>c<BOLDOFF>", "{\\b a{\\b b}c}"},
      // A closing token ahead of every opening one is not paired (it would unbalance the
      // document's braces).
      {"x<BOLDOFF>y<BOLDON>z", "x<BOLDOFF>y<BOLDON>z"},
      {"<BOLDOFF>a<BOLDON>b<BOLDOFF>", "<BOLDOFF>a{\\b b}"},
      {"a<PAGE>b<PAGE>", "a\r\n\\par \\page\r\nb\r\n\\par \\page\r\n"},
      {"<CENTER>a<CENTER>b<CENTRE>", "\\qc a<CENTER>b<CENTRE>"},
      {"<CENTRE>a<CENTRE>", "\\qc a<CENTRE>"},
      {"<ITALICOFF>", "<ITALICOFF>"},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    ConvertTokens(layout, s);
    EXPECT_EQ(s, c.out) << c.in;
  }
}

TEST_F(RtfMarkup, TopicTitleBecomesAnInlineAstrologicalTitle) {
  std::string s = "<PSTOPICTITLE>Sun in Aries|Text<PSTOPICTITLE>Again|";
  ConvertTokens(layout, s);
  EXPECT_EQ(s, "{\\pard\\keepn\\ql \\f6\\fs24\\cf3 {\\i Sun in Aries}}|Text<PSTOPICTITLE>Again|");

  s = "<PSTOPICTITLE>Moon\r\nText";
  ConvertTokens(layout, s);
  EXPECT_EQ(s, "{\\pard\\keepn\\ql \\f6\\fs24\\cf3 {\\i Moon}}\r\nText");

  s = "Before <PSTOPICTITLE>no separator";
  ConvertTokens(layout, s);
  EXPECT_EQ(s, "Before no separator");
}

TEST_F(RtfMarkup, TableOfThirtyCharactersIsCentredAtHalfTheTextWidth) {
  std::string s = "a<TABLEON>aaaaaaaaaa\tbbbbbbbbbbbbbbbbbbbb<ENDROW>x\ty<ENDROW><TABLEOFF>b";
  ConvertTables(layout, s);
  // K = 10578 x 30 / 60 = 5289; L = 5289 x 30 / 60 = 2644.5, rounded to even.
  const std::string row = "\r\n\\trowd\\trleft2644\\cellx4407\\cellx7933";
  EXPECT_EQ(s, "a\r\n\\par " + row + "\\intbl\\ql aaaaaaaaaa\\cell \\intbl\\ql bbbbbbbbbbbbbbbbbbbb\\cell \\row" +
                   row + "\\intbl\\ql x\\cell \\intbl\\ql y\\cell \\row\\pard\\deftab360|b");
}

TEST_F(RtfMarkup, TableOfSixtyCharactersSpansTheTextWidth) {
  std::string s = "<TABLEON>" + std::string(25, 'a') + "\t" + std::string(35, 'b') + "<TABLEOFF>";
  ConvertTables(layout, s);
  // 25 x 10578 / 60 = 4407.5 rounds to the even 4408.
  EXPECT_NE(s.find("\\trowd\\trleft0000\\cellx4408\\cellx10578\\intbl"), std::string::npos) << s;

  s = "<TABLEON>" + std::string(70, 'a') + "<TABLEOFF>";
  ConvertTables(layout, s);
  EXPECT_NE(s.find("\\trowd\\trleft0000\\cellx10578\\intbl"), std::string::npos) << s;
}

TEST_F(RtfMarkup, TableRowsCellsAndDroppedRows) {
  // A row of one blank cell is dropped, empty cells vanish, line breaks end rows, the
  // longest cell of a column sets its weight and characters count, not bytes.
  std::string s = "<TABLEON>ab\t\tcd<ENDROW> <ENDROW>\r\nabcdef\tc<ENDROW>é\t\tx\ty<TABLEOFF>";
  ConvertTables(layout, s);
  // Weights 6, 2, 1: W = 9, K = round(10578 x 9 / 60) = 1587, L = round(1587 x 51 / 18) = 4496.
  const std::string row = "\r\n\\trowd\\trleft4496\\cellx5554\\cellx5907\\cellx6083";
  EXPECT_EQ(s, "\r\n\\par " + row + "\\intbl\\ql ab\\cell \\intbl\\ql cd\\cell \\row" + row +
                   "\\intbl\\ql abcdef\\cell \\intbl\\ql c\\cell \\row" + row +
                   "\\intbl\\ql é\\cell \\intbl\\ql x\\cell \\intbl\\ql y\\cell \\row\\pard\\deftab360|");
}

TEST_F(RtfMarkup, TablesEdgeCases) {
  std::string two = "<TABLEON>a<TABLEOFF>-<TABLEON>b<TABLEOFF>";
  ConvertTables(layout, two);
  EXPECT_EQ(two.find("<TABLE"), std::string::npos) << two;
  EXPECT_NE(two.find("\\intbl\\ql a\\cell"), std::string::npos);
  EXPECT_NE(two.find("\\intbl\\ql b\\cell"), std::string::npos);

  std::string empty = "<TABLEON> <ENDROW><TABLEOFF>";
  ConvertTables(layout, empty);
  EXPECT_EQ(empty, "\r\n\\par \\pard\\deftab360|");

  std::string unclosed = "<TABLEON>a\tb";
  ConvertTables(layout, unclosed);
  EXPECT_EQ(unclosed, "<TABLEON>a\tb");

  std::string reversed = "<TABLEOFF>a<TABLEON>b";
  ConvertTables(layout, reversed);
  EXPECT_EQ(reversed, "<TABLEOFF>a<TABLEON>b");

  // At most 20 cells a row.
  std::string wide = "<TABLEON>";
  for (int i = 0; i < 25; ++i) wide += "c" + std::to_string(i) + "\t";
  wide += "<TABLEOFF>";
  ConvertTables(layout, wide);
  EXPECT_NE(wide.find("c19\\cell"), std::string::npos);
  EXPECT_EQ(wide.find("c20"), std::string::npos);
}

TEST_F(RtfMarkup, ListsAndBars) {
  std::string s = "<LIST><BULLET>one<BULLET>two<ENDLIST>after|<BULLET>";
  ConvertLists(layout, s);
  const std::string start =
      "\\pard\\li360\\fi-360{\\*\\pn\\pnlvlblt\\pnf2\\pnindent360{\\pntxtb\\'b7}}\\plain\\f0\\fs22";
  const std::string bullet = "{\\pntext\\f2\\'b7\\tab}";
  EXPECT_EQ(s, start + bullet + "one\r\n\\par " + bullet + "two\r\n\\par \\pard after|<BULLET>");
  ConvertBars(s);
  EXPECT_EQ(s.find('|'), std::string::npos);
  EXPECT_NE(s.find("after\r\n\\par <BULLET>"), std::string::npos);

  std::string two = "<LIST><BULLET>a<ENDLIST><LIST><BULLET>b<BULLET>c<ENDLIST>";
  ConvertLists(layout, two);
  EXPECT_EQ(two, start + bullet + "a\r\n\\par \\pard " + start + bullet + "b\r\n\\par " + bullet +
                     "c\r\n\\par \\pard ");
}

TEST_F(RtfMarkup, NamesAndGenderChoices) {
  struct Case {
    const char* name;
    ReportOwners owners;
    std::string in, out;
  };
  const ReportOwners female{{"Ann"}, {2, 0}, false, false};
  const ReportOwners male{{"Bob"}, {1, 0}, false, false};
  const ReportOwners unspecified{{"Cy"}, {0, 2}, false, false};
  const ReportOwners pair{{"Ann", "Bob"}, {2, 1}, false, true};
  const ReportOwners swapped{{"Ann", "Bob"}, {2, 1}, true, true};
  const Case cases[] = {
      {"female chart", female, "[he/she] is %1", "she is Ann"},
      {"male chart", male, "[he/she] is %1", "he is Bob"},
      // A chart of unspecified gender never gets a silent "he": neutral words, and the name
      // where the pronoun is the subject of its verb.
      {"unspecified takes the neutral word", unspecified, "[his/her] [him/her] [himself/herself]",
       "their them themselves"},
      {"unspecified keeps the capital", unspecified, "[His/Her] way. [Him/Her] too.", "Their way. Them too."},
      {"unspecified subject is the name", unspecified, "[He/She] is; [he/she] has", "Cy is; Cy has"},
      {"unspecified nouns", unspecified, "a [son/daughter], a [man/woman]", "a child, a person"},
      {"unspecified other words take the first part", unspecified, "[a/b]", "a"},
      {"chart 2 in a one-chart report stays", female, "[he/she/2] [he/she/1]", "[he/she/2] she"},
      {"other part counts stay", female, "[a] [a/b/c/d] [a/b/x]", "[a] [a/b/c/d] [a/b/x]"},
      {"two charts", pair, "%1 [he/she/1], %2 [he/she/2], [x/y]", "Ann she, Bob he, y"},
      {"swapped", swapped, "%1 [he/she/1], %2 [he/she/2]", "Bob he, Ann she"},
      {"chart 3 stays", pair, "[a/b/3]", "[a/b/3]"},
      {"nested brackets", female, "[[he/she]]", "[she]"},
      {"percent signs", female, "100% of %3 %", "100% of %3 %"},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    SubstituteNames(s, c.owners);
    EXPECT_EQ(s, c.out) << c.name;
  }
  // A name that itself holds a placeholder is not substituted again.
  std::string s = "%1 and %2";
  SubstituteNames(s, ReportOwners{{"%2x", "B"}, {0, 0}, false, true});
  EXPECT_EQ(s, "%2x and B");
}

// A chart without a gender reads in each report language's neutral words, never in a
// silent masculine.
TEST(RtfMarkupTest, NeutralWordsFollowTheReportLanguage) {
  struct Case {
    int language;
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {lang::LanguageNorwegian, "[Han/Hun] vet at [hans/hennes] [sønn/datter] ser [ham/henne].",
       "Hen vet at hens barn ser hen."},
      {lang::LanguageNorwegian, "[seg/seg] [x/y]", "seg x"},
      {lang::LanguageSpanish, "[Él/Ella] es [vivo/viva]; [él/ella] se ve [testarudo/testaruda].",
       "Cy es vivo/a; Cy se ve testarudo/a."},
      {lang::LanguageSpanish, "[lo/la] ve [trabajador/trabajadora] con [sí mismo/sí misma]",
       "lo/la ve trabajador/a con sí mismo/a"},
      // Endings too long to shorten, words of their own and phrases keep both forms.
      {lang::LanguageSpanish, "[actor/actriz] [del/de la] [un/un]", "actor/actriz del/de la un"},
      {lang::LanguageFrench, "[Il/Elle] est [seul/seule], [né/née] pour [lui/elle].", "Cy est seul(e), né(e) pour Cy."},
      {lang::LanguageFrench, "[le/la] [heureux/heureuse]", "le/la heureux/heureuse"},
      {lang::LanguageEnglish, "[He/She] and [his/her] [son/daughter]", "Cy and their child"},
      // A number that names no language is English.
      {7, "[he/she] [him/her]", "Cy them"},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    ReportOwners owners{{"Cy"}, {0, 0}, false, false};
    owners.language = c.language;
    SubstituteNames(s, owners);
    EXPECT_EQ(s, c.out) << c.language << ": " << c.in;
    // A chart with a gender keeps the author's own word in every language.
    std::string female = c.in;
    owners.eventKinds = {2, 0};
    SubstituteNames(female, owners);
    EXPECT_EQ(female.find('/'), std::string::npos) << female;
  }
}

// Names and places are plain text: whatever they hold stays text in the report.
TEST(RtfMarkupTest, PlainTextCannotBecomeMarkup) {
  struct Case { const char* text; const char* literal; };
  const Case cases[] = {
      {"Anna Smith", "Anna Smith"},
      {"Diana, Princess of Wales", "Diana, Princess of Wales"},
      {"Evil}{\\par\\b X\\", "Evil\\}\\{\\\\par\\\\b X\\\\"},
      {"A|B <BOLDON>[he/she]", "A\\'7cB \\'3cBOLDON>\\'5bhe/she\\'5d"},
      {"Tab\there\x01\x7f", "Tabhere"},
      {"Troms\xC3\xB8", "Troms\xC3\xB8"},
  };
  for (const Case& c : cases) EXPECT_EQ(RtfLiteral(c.text), c.literal) << c.text;

  // Through the paragraph pipeline a hostile name neither opens groups nor ends the
  // paragraph nor picks a gender word.
  RtfLayout layout;
  std::string s = "About %1: [he/she] is|here";
  SubstituteNames(s, ReportOwners{{"Evil}{\\par\\b X\\|[a/b]"}, {2, 0}, false, false});
  ConvertTokens(layout, s);
  ConvertBars(s);
  EXPECT_EQ(s.find("}{"), std::string::npos) << s;
  EXPECT_NE(s.find("Evil\\}\\{\\\\par\\\\b X\\\\\\'7c\\'5ba/b\\'5d: she is"), std::string::npos) << s;
}

TEST(RtfFileTest, PageBreakRemovesTrailingEmptyParagraphs) {
  RtfFile f;
  WriteText(f, "text\r\n\\par \r\n\\par \r\n\\par ");
  PageBreak(f);
  EXPECT_EQ(f.Data(), "text\r\n\\par \\page\r\n");
  PageBreak(f);
  EXPECT_EQ(f.Data(), "text\r\n\\par \\page\r\n\r\n\\par \\page\r\n");

  RtfFile empty;
  PageBreak(empty);
  EXPECT_EQ(empty.Data(), "\r\n\\par \\page\r\n");
}

TEST(RtfFileTest, TextIsWrittenInTheEightBitCodePage) {
  RtfFile f;
  WriteText(f, "Cortesía de Mann/Kvinne æøå Féminin € \\'b7");
  EXPECT_EQ(f.Data(), "Cortes\xED" "a de Mann/Kvinne \xE6\xF8\xE5 F\xE9minin \x80 \\'b7");
  // Characters the code page lacks: Aries glyph and a character beyond the basic plane.
  EXPECT_EQ(EncodeRtfText("\u2648 \u03A9 \U0001F600"), "\\u9800? \\u937? \\u-10179?\\u-8704?");
  // Text that is already 8-bit passes unchanged.
  EXPECT_EQ(EncodeRtfText("caf\xE9"), "caf\xE9");
}

}  // namespace
}  // namespace korvana
