// The dignity table: its cells for a hand-made chart, the read failure, and drawing.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/analysis/classical_fixtures.h"
#include "core/util/codepage.h"
#include "core/util/text.h"
#include "render/dignity_table.h"
#include "render/render_test_support.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

std::string GlyphOf(int point) {
  std::string s;
  AppendUtf8(s, static_cast<char32_t>(181 + point));
  return s;
}

// The texts of one table line, in cell order (padding removed).
std::vector<std::string> LineTexts(const TDTPTable& t, int firstCell, int count) {
  std::vector<std::string> out;
  for (int i = firstCell; i < firstCell + count; ++i) out.push_back(std::string(Trim(t.Cell(i).text)));
  return out;
}

class DignityTableTest : public ::testing::Test {
 protected:
  korvana::testing::TempFolder folder;
  DignityTableInputs inputs;
  CalculatedChart chart = korvana::testing::BareChart(0.0);

  void SetUp() override {
    AlmutenScheme s = korvana::testing::OwnPlaceScheme(0);
    s.title = "Essential Dignities";
    inputs.schemePath = folder / "report.alm";
    ASSERT_TRUE(WriteAlmutenScheme(inputs.schemePath, 1, s));
    inputs.tables = &korvana::testing::ShippedTables();
    for (int p = 1; p <= LastPoint; ++p) inputs.pointColors[static_cast<std::size_t>(p)] = static_cast<Color>(p * 1000);
    korvana::testing::Place(chart, PointSun, 65.0);  // night; 5 Gemini
    korvana::testing::Place(chart, PointMars, 15.0);  // 15 Aries: domicile only
    korvana::testing::Place(chart, PointMoon, 215.0);  // 5 Scorpio: fall
  }
};

TEST_F(DignityTableTest, HeadingTitlesAndOneLinePerComputedPlanet) {
  TDTPTable t = BuildDignityTable(chart, inputs);
  ASSERT_EQ(t.LineCount(), 2 + 3);  // Moon, Sun, Mars in table order
  EXPECT_EQ(Trim(t.Cell(1).text), "ESSENTIAL DIGNITIES");
  EXPECT_EQ(LineTexts(t, 2, 9),
            (std::vector<std::string>{"Pt", "Ruler", "Exalt", "Trip", "Term", "Face", "Detri", "Fall", "Score"}));
  // The Moon at 5 Scorpio by night: Mars, --, Mars (Dorothean water by night), Mars
  // (term 0-7), Mars (face), Venus, Moon with its fall marker; -4 and peregrine -5.
  int c = 11;
  EXPECT_EQ(LineTexts(t, c, 11),
            (std::vector<std::string>{GlyphOf(PointMoon), GlyphOf(PointMars), "--", GlyphOf(PointMars), GlyphOf(PointMars),
                                      GlyphOf(PointMars), GlyphOf(PointVenus), GlyphOf(PointMoon), "-", "-9", "p"}));
  EXPECT_EQ(t.Cell(c).colour, static_cast<Color>(PointMoon * 1000));
  EXPECT_EQ(t.Cell(c + 1).colour, static_cast<Color>(PointMars * 1000));
  EXPECT_EQ(t.Cell(c + 8).column, 15);  // the fall marker follows the fall holder
  EXPECT_EQ(t.Cell(c + 10).column, 17);
  // Mars in Aries: the domicile with '+', no peregrine mark.
  c = 11 + 11 + 10;  // after the Moon's line and the Sun's (peregrine, -5 p)
  EXPECT_EQ(Trim(t.Cell(c).text), GlyphOf(PointMars));
  EXPECT_EQ(Trim(t.Cell(c + 1).text), GlyphOf(PointMars));
  EXPECT_EQ(Trim(t.Cell(c + 2).text), "+");
  EXPECT_EQ(t.Cell(c + 2).column, 3);
  EXPECT_EQ(Trim(t.Cell(t.CellCount()).text), "+5");
}

TEST_F(DignityTableTest, UnreadableSchemeShowsTheFailureHeading) {
  inputs.schemePath = folder / "missing.alm";
  TDTPTable t = BuildDignityTable(chart, inputs);
  EXPECT_EQ(t.LineCount(), 2);
  EXPECT_EQ(Trim(t.Cell(1).text), "Dignity Read Failure");
  EXPECT_EQ(t.CellCount(), 10);
}

TEST_F(DignityTableTest, DrawsIntoTheRectangle) {
  QImage image = korvana::testing::WhiteImage(620, 400);
  QRect frame;
  {
    QPainter p(&image);
    frame = DrawDignityTable(chart, p, QRect(10, 10, 600, 380), inputs);
  }
  EXPECT_EQ(frame.left(), 10);
  EXPECT_EQ(frame.top(), 10);
  EXPECT_LE(frame.bottom(), 390);
  EXPECT_GT(frame.height(), 50);
  int inked = 0;
  for (int y = frame.top(); y < frame.bottom(); ++y)
    for (int x = frame.left(); x < frame.right(); ++x) inked += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(inked, 500);
}

}  // namespace
}  // namespace korvana
