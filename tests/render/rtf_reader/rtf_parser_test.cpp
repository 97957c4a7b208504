// The RTF parser on small documents: text and its escapes, groups and destinations,
// formatting, tables, pictures, and damaged or hostile input.
#include <gtest/gtest.h>

#include <string>

#include "render/rtf_reader/rtf_parser.h"
#include "render/rtf_reader/rtf_text_of.h"

namespace korvana::rtf {
namespace {

const Paragraph& FirstParagraph(const RtfDocument& doc) { return std::get<Paragraph>(doc.blocks.at(0)); }
const rtf::Run& RunAt(const Paragraph& p, std::size_t i) { return std::get<rtf::Run>(p.content.at(i)); }

struct TextCase {
  const char* name;
  std::string rtf;
  std::string text;
};

TEST(RtfParser, ReadsTextEscapesAndDestinations) {
  const TextCase cases[] = {
      {"plain paragraphs", "{\\rtf1 one\\par two\\par}", "one\ntwo\n"},
      {"line ends in the source are not text", "{\\rtf1 one\r\ntwo\\par}", "onetwo\n"},
      {"a control word's space delimiter is eaten", "{\\rtf1\\b bold\\b0  space\\par}", "bold space\n"},
      {"hexadecimal Windows-1252 escapes", "{\\rtf1 caf\\'e9 \\'80 \\'93q\\'94\\par}", "café € “q”\n"},
      {"escaped braces and backslash", "{\\rtf1 \\{a\\}\\\\b\\par}", "{a}\\b\n"},
      {"unicode escape with its fallback", "{\\rtf1 \\u8364?x\\par}", "€x\n"},
      {"negative unicode numbers", "{\\rtf1 \\u-4064?\\par}", "\xEF\x80\xA0\n"},
      {"two fallback characters", "{\\rtf1\\uc2 \\u8364\\'80\\'80x\\par}", "€x\n"},
      {"no fallback", "{\\rtf1\\uc0 \\u8364 x\\par}", "€x\n"},
      {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?\\par}", "\xF0\x9F\x98\x80\n"},
      {"fallback count is kept per group", "{\\rtf1{\\uc2 a}\\u8364?b\\par}", "a€b\n"},
      {"special characters", "{\\rtf1 a\\tab b\\emdash c\\~d\\line e\\par}", "a\tb—c\xC2\xA0" "d\xE2\x80\xA8" "e\n"},
      {"tables and info are no text", "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\info{\\title T}}x\\par}", "x\n"},
      {"headers and footers are skipped", "{\\rtf1{\\header h}{\\footer Page {\\field{\\*\\fldinst PAGE}}}x\\par}", "x\n"},
      {"unknown ignorable destinations are skipped", "{\\rtf1{\\*\\generator Writer;}{\\*\\foo {nested} text}x\\par}", "x\n"},
      {"a field's result is text, its instruction not", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}\\par}", "shown\n"},
      {"list marker text is skipped", "{\\rtf1{\\listtext \\'b7\\tab}item\\par}", "item\n"},
      {"binary data outside a picture is skipped", "{\\rtf1{\\*\\foo \\bin4 }}{x}ok\\par}", "ok\n"},
      {"a last paragraph without \\par is kept", "{\\rtf1 a\\par b}", "a\nb\n"},
      {"control characters are dropped", std::string("{\\rtf1 a\x01") + '\0' + "b\\par}", "ab\n"},
      {"leading blanks before the document", "\r\n {\\rtf1 x\\par}", "x\n"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(TextOf(ParseRtf(c.rtf)), c.text) << c.name;
}

TEST(RtfParser, RefusesWhatIsNoRtfOrTooLarge) {
  EXPECT_THROW(ParseRtf("plain text"), ERtfReadError);
  EXPECT_THROW(ParseRtf(""), ERtfReadError);
  EXPECT_THROW(ParseRtf("{\\rtx1 }"), ERtfReadError);
  RtfLimits small;
  small.maxBytes = 10;
  EXPECT_THROW(ParseRtf("{\\rtf1 a long document}", small), ERtfReadError);
}

TEST(RtfParser, GroupsScopeCharacterFormatting) {
  const RtfDocument doc = ParseRtf(
      "{\\rtf1\\deff1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
      "{\\colortbl\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
      "\\fs20 a{\\b\\i\\ul\\f0\\fs36\\cf1 b}{\\strike\\super c}\\plain d\\par}");
  EXPECT_EQ(doc.fonts.at(0), "Times New Roman");
  EXPECT_EQ(doc.fonts.at(1), "Arial");
  EXPECT_EQ(doc.defaultFont, 1);
  // A colour table without the leading empty entry: \cf0 is red.
  ASSERT_EQ(doc.colours.size(), 2u);
  EXPECT_FALSE(doc.colours[0].automatic);
  EXPECT_EQ(doc.colours[0].red, 255);
  EXPECT_EQ(doc.colours[1].blue, 255);
  const Paragraph& p = FirstParagraph(doc);
  ASSERT_EQ(p.content.size(), 4u);
  EXPECT_EQ(RunAt(p, 0).text, "a");
  EXPECT_EQ(RunAt(p, 0).format.halfPoints, 20);
  EXPECT_FALSE(RunAt(p, 0).format.bold);
  const CharFormat& b = RunAt(p, 1).format;
  EXPECT_TRUE(b.bold && b.italic && b.underline);
  EXPECT_EQ(b.font, 0);
  EXPECT_EQ(b.halfPoints, 36);
  EXPECT_EQ(b.colour, 1);
  const CharFormat& c = RunAt(p, 2).format;
  EXPECT_TRUE(c.strike);
  EXPECT_EQ(c.verticalAlign, 1);
  EXPECT_FALSE(c.bold);
  EXPECT_EQ(c.halfPoints, 20);
  EXPECT_EQ(RunAt(p, 3).format, CharFormat{});
}

TEST(RtfParser, ParagraphFormattingPageBreaksAndStyles) {
  const RtfDocument doc = ParseRtf(
      "{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\qc\\sb240\\b\\fs40 Heading;}}"
      "\\pard\\qr\\li720\\ri360\\fi-360\\sa120\\sl-300\\slmult0\\keepn right\\par"
      "\\pard\\plain\\s1 title\\par"
      "\\pard before\\par \\page after\\par"
      "\\pard\\pagebb own\\par}");
  ASSERT_EQ(doc.blocks.size(), 5u);
  const ParaFormat& right = std::get<Paragraph>(doc.blocks[0]).format;
  EXPECT_EQ(right.alignment, Alignment::Right);
  EXPECT_EQ(right.leftIndent, 720);
  EXPECT_EQ(right.rightIndent, 360);
  EXPECT_EQ(right.firstIndent, -360);
  EXPECT_EQ(right.spaceAfter, 120);
  EXPECT_EQ(right.lineSpacing, -300);
  EXPECT_TRUE(right.keepWithNext);
  const Paragraph& title = std::get<Paragraph>(doc.blocks[1]);
  EXPECT_EQ(title.format.alignment, Alignment::Centre);
  EXPECT_EQ(title.format.spaceBefore, 240);
  EXPECT_TRUE(RunAt(title, 0).format.bold);
  EXPECT_EQ(RunAt(title, 0).format.halfPoints, 40);
  EXPECT_FALSE(std::get<Paragraph>(doc.blocks[2]).format.pageBreakBefore);
  EXPECT_TRUE(std::get<Paragraph>(doc.blocks[3]).format.pageBreakBefore);
  EXPECT_TRUE(std::get<Paragraph>(doc.blocks[4]).format.pageBreakBefore);
  EXPECT_EQ(TextOf(doc), "right\ntitle\nbefore\nafter\nown\n");
}

TEST(RtfParser, ReadsOldAndNewStyleListItems) {
  const RtfDocument doc = ParseRtf(
      "{\\rtf1\\pard\\li360\\fi-360{\\*\\pn\\pnlvlblt\\pnf2{\\pntxtb\\'b7}}one\\par"
      "{\\pntext 2.\\tab}\\pard{\\*\\pn\\pnlvlbody\\pndec}two\\par"
      "\\pard\\ls1\\ilvl1{\\listtext \\'b7\\tab}three\\par\\pard plain\\par}");
  ASSERT_EQ(doc.blocks.size(), 4u);
  const ParaFormat& one = std::get<Paragraph>(doc.blocks[0]).format;
  EXPECT_TRUE(one.bullet);
  EXPECT_FALSE(one.numbered);
  EXPECT_TRUE(std::get<Paragraph>(doc.blocks[1]).format.numbered);
  EXPECT_TRUE(std::get<Paragraph>(doc.blocks[2]).format.bullet);
  EXPECT_EQ(std::get<Paragraph>(doc.blocks[2]).format.listLevel, 1);
  EXPECT_FALSE(std::get<Paragraph>(doc.blocks[3]).format.bullet);
  EXPECT_EQ(TextOf(doc), "one\ntwo\nthree\nplain\n");
}

TEST(RtfParser, ReadsTablesRowByRow) {
  const RtfDocument doc = ParseRtf(
      "{\\rtf1 before\\par"
      "\\trowd\\trleft108\\clbrdrt\\brdrs\\cellx2000\\cellx5000"
      "\\intbl\\ql a1\\cell\\intbl b1\\par more\\cell\\row"
      "\\trowd\\cellx2000\\cellx5000\\intbl a2\\cell b2\\cell\\row"
      "\\pard after\\par}");
  ASSERT_EQ(doc.blocks.size(), 3u);
  const Table& table = std::get<Table>(doc.blocks[1]);
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0].left, 108);
  EXPECT_TRUE(table.rows[0].borders);
  EXPECT_FALSE(table.rows[1].borders);
  EXPECT_EQ(table.rows[0].cells[0].rightEdge, 2000);
  EXPECT_EQ(table.rows[0].cells[1].rightEdge, 5000);
  EXPECT_EQ(TextOf(doc), "before\na1 | b1/more\na2 | b2\nafter\n");
}

TEST(RtfParser, ToleratesDamagedTables) {
  const TextCase cases[] = {
      {"a row without \\row at the end", "{\\rtf1\\trowd\\cellx100\\cellx200\\intbl a\\cell b\\cell}", "a | b\n"},
      {"a cell without \\cell before \\row", "{\\rtf1\\trowd\\cellx100\\intbl a\\row\\pard after\\par}", "a\nafter\n"},
      {"cells without a row definition", "{\\rtf1\\intbl a\\cell b\\cell\\row}", "a | b\n"},
      {"a nested table stays in its cell",
       "{\\rtf1\\trowd\\cellx900\\intbl x\\par\\itap2 n1\\nestcell n2\\nestcell{\\*\\nesttableprops\\trowd\\cellx5\\nestrow}"
       "\\itap1 \\cell\\row}",
       "x/n1/n2/\n"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(TextOf(ParseRtf(c.rtf)), c.text) << c.name;

  std::string wide = "{\\rtf1\\trowd";
  for (int i = 1; i <= 10; ++i) wide += "\\cellx" + std::to_string(i * 100);
  for (int i = 1; i <= 10; ++i) wide += "\\intbl c" + std::to_string(i) + "\\cell";
  wide += "\\row}";
  RtfLimits limits;
  limits.maxColumns = 3;
  EXPECT_EQ(TextOf(ParseRtf(wide, limits)), "c1 | c2 | c3/c4/c5/c6/c7/c8/c9/c10\n");
}

TEST(RtfParser, ReadsPicturesInHexAndBinary) {
  const std::string binary{'\x01', '}', '{', '\\', '\0', '\xFF'};
  const RtfDocument doc = ParseRtf(
      "{\\rtf1 a{\\pict\\pngblip\\picw10\\pich20\\picwgoal150\\pichgoal300\\picscalex50{\\*\\blipuid 0123}89 50\r\n4e47}b"
      "{\\pict\\wmetafile8\\picwgoal1440\\pichgoal720\\bin6 " + binary + "}"
      "{\\*\\shppict{\\pict\\jpegblip ffd8}}{\\nonshppict{\\pict\\wmetafile8 0100}}\\par}");
  const Paragraph& p = FirstParagraph(doc);
  ASSERT_EQ(p.content.size(), 5u);
  const Picture& png = std::get<Picture>(p.content[1]);
  EXPECT_EQ(png.kind, PictureKind::Png);
  EXPECT_EQ(png.data, "\x89PNG");
  EXPECT_EQ(png.width, 10);
  EXPECT_EQ(png.height, 20);
  EXPECT_EQ(png.goalWidth, 150);
  EXPECT_EQ(png.goalHeight, 300);
  EXPECT_EQ(png.scaleX, 50);
  EXPECT_EQ(RunAt(p, 2).text, "b");
  const Picture& wmf = std::get<Picture>(p.content[3]);
  EXPECT_EQ(wmf.kind, PictureKind::Wmf);
  EXPECT_EQ(wmf.mapMode, 8);
  EXPECT_EQ(wmf.data, binary);
  const Picture& jpeg = std::get<Picture>(p.content[4]);
  EXPECT_EQ(jpeg.kind, PictureKind::Jpeg);
  EXPECT_EQ(jpeg.data, "\xFF\xD8");
}

TEST(RtfParser, HostileInputGivesWhatCouldBeRead) {
  const std::string deep = "{\\rtf1 a" + std::string(200000, '{') + "b\\par" + std::string(200000, '}') + "c\\par}";
  const TextCase cases[] = {
      {"groups nested past the limit are skipped whole", deep, "ac\n"},
      {"missing closing braces", "{\\rtf1 a{\\b b{\\i c\\par", "abc\n"},
      {"extra closing braces end the document", "{\\rtf1 a\\par}}}} b\\par", "a\n"},
      {"cut short inside an escape", "{\\rtf1 a\\'4", "a\n"},
      {"cut short inside a control word", "{\\rtf1 a\\fs", "a\n"},
      {"a binary length past the end", "{\\rtf1 a{\\pict\\bin999999999 xyz", "a\n"},
      {"a negative binary length", "{\\rtf1 a{\\pict\\pngblip\\bin-5 00}b\\par}", "a[pict]b\n"},
      {"a picture that is never closed", "{\\rtf1 a{\\pict\\pngblip 0102", "a\n"},
      {"overlong numbers are clamped", "{\\rtf1\\fs99999999999999999999 a\\li-99999999999999 b\\par}", "ab\n"},
      {"an overlong control word", "{\\rtf1\\" + std::string(5000, 'x') + " a\\par}", "a\n"},
      {"a unicode escape out of range", "{\\rtf1\\u99999999?a\\par}", "a\n"},
      {"a lone low surrogate", "{\\rtf1\\u-8704?a\\par}", "a\n"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(TextOf(ParseRtf(c.rtf)), c.text) << c.name;
  const RtfDocument clamped = ParseRtf("{\\rtf1\\fs99999999999 a\\li-99999999999 b\\par}");
  EXPECT_EQ(RunAt(FirstParagraph(clamped), 0).format.halfPoints, 2000);
  EXPECT_GE(FirstParagraph(clamped).format.leftIndent, -31680 * 2);
}

}  // namespace
}  // namespace korvana::rtf
