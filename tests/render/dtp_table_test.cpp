// TDTPTable: limits and their messages, padding, column geometry, font scaling, and the
// drawing of frame, separators, rules and cells into a metafile and an image.
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>
#include <map>
#include <set>

#include "render/dtp_table.h"
#include "render/glyphs.h"
#include "render/metafile.h"
#include "render/render_test_support.h"
#include "render/wmf_format.h"
#include "render/wmf_player.h"

namespace korvana {
namespace {

using testing::WhiteImage;
using testing::WmfRecords;

struct TextRecord {
  int x, y;
  std::string text;
};

struct Recorded {
  std::vector<TextRecord> texts;
  std::vector<QLine> lines;
  std::vector<QRect> rectangles;
  std::vector<int> fontHeights;
  int outlines = 0;
};

// Draws the table into a metafile and collects what the records say.
Recorded DrawToMetafile(TDTPTable& table, const QRect& rect, int width = 600, int height = 400) {
  TMetafile mf(width, height);
  {
    QPainter p(&mf);
    table.Draw(true, p, rect);
  }
  Recorded out;
  QPoint position;
  for (const auto& rec : WmfRecords(mf.Data())) {
    ByteReader r(rec.params);
    switch (rec.function) {
      case wmf::ExtTextOut: {
        int y = r.I16(), x = r.I16(), n = r.I16();
        r.U16();
        out.texts.push_back({x, y, r.Bytes(n)});
        break;
      }
      case wmf::MoveTo: {
        int y = r.I16(), x = r.I16();
        position = QPoint(x, y);
        break;
      }
      case wmf::LineTo: {
        int y = r.I16(), x = r.I16();
        out.lines.push_back(QLine(position, QPoint(x, y)));
        position = QPoint(x, y);
        break;
      }
      case wmf::Rectangle: {
        int b = r.I16(), rt = r.I16(), t = r.I16(), l = r.I16();
        out.rectangles.push_back(QRect(QPoint(l, t), QPoint(rt, b)));
        break;
      }
      case wmf::CreateFontIndirect: out.fontHeights.push_back(r.I16()); break;
      case wmf::PolyPolygon:
      case wmf::Polygon: out.outlines++; break;
      default: break;
    }
  }
  return out;
}

TEST(DTPTableLimits, EachLimitRaisesItsMessageAndKeepsTheTable) {
  struct Case {
    const char* name;
    std::function<void(TDTPTable&)> prepare;
    std::function<void(TDTPTable&)> act;
    std::string message;
  };
  auto base = [](TDTPTable& t) {
    t.AddColStructure(3, true);
    t.FontID("Default", 12, 0);
  };
  const Case cases[] = {
      {"11th structure",
       [](TDTPTable& t) {
         for (int i = 0; i < 10; ++i) t.AddColStructure(1, true);
       },
       [](TDTPTable& t) { t.AddColStructure(1, true); },
       "Error in TDTPTable.AddColStructure: Too many structures - 11"},
      {"51st column", [](TDTPTable& t) { t.AddColStructure(45, false); },
       [](TDTPTable& t) { t.AddColStructure(6, false); },
       "Error in TDTPTable.AddColStructure: Too many columns - 51"},
      {"structure of SetColDefn", base, [](TDTPTable& t) { t.SetColDefn(2, 1, 0, 0, 1); },
       "Error in TDTPTable.SetColDefn: Invalid structure ID - 2"},
      {"column of SetColDefn", base, [](TDTPTable& t) { t.SetColDefn(1, 4, 0, 0, 1); },
       "Error in TDTPTable.SetColDefn: Invalid column number - 4"},
      {"11th font",
       [](TDTPTable& t) {
         for (int i = 0; i < 10; ++i) t.FontID("Arial", 8 + i, 0);
       },
       [](TDTPTable& t) { t.FontID("Arial", 30, 0); }, "Error in TDTPTable.FontID: Too many fonts - 11"},
      {"1001st cell",
       [base](TDTPTable& t) {
         base(t);
         for (int line = 1; line <= 99; ++line) {
           for (int i = 0; i < 10; ++i) t.RepItemAdd(1, line, 0, 1, "x", i == 0 ? 1 : 2);
         }
         for (int i = 0; i < 10; ++i) t.RepItemAdd(1, 99, 0, 1, "x", 3);
       },
       [](TDTPTable& t) { t.RepItemAdd(1, 99, 0, 1, "x", 3); },
       "Error in TDTPTable.RepItemAdd: Too many cells - 1001"},
      {"structure of a cell", base, [](TDTPTable& t) { t.RepItemAdd(0, 1, 0, 1, "x", 1); },
       "Error in TDTPTable.RepItemAdd: Invalid StructID - 0"},
      {"line 100", base, [](TDTPTable& t) { t.RepItemAdd(1, 100, 0, 1, "x", 1); },
       "Error in TDTPTable.RepItemAdd: Invalid Line Number - 100"},
      {"line going back",
       [base](TDTPTable& t) {
         base(t);
         t.RepItemAdd(1, 1, 0, 1, "a", 1);
         t.RepItemAdd(1, 2, 0, 1, "b", 1);
       },
       [](TDTPTable& t) { t.RepItemAdd(1, 1, 0, 1, "c", 2); },
       "Error in TDTPTable.RepItemAdd: Invalid Line Number - 1"},
      {"column of a cell", base, [](TDTPTable& t) { t.RepItemAdd(1, 1, 0, 1, "x", 4); },
       "Error in TDTPTable.RepItemAdd: Invalid Column number - 4"},
      {"font of a cell", base, [](TDTPTable& t) { t.RepItemAdd(1, 1, 0, 2, "x", 1); },
       "Error in TDTPTable.RepItemAdd: Invalid FontID - 2"},
      {"new line not in column 1", base, [](TDTPTable& t) { t.RepItemAdd(1, 1, 0, 1, "x", 2); },
       "Error in TDTPTable.RepItemAdd: Invalid column number on a new line - 2"},
  };
  for (const Case& c : cases) {
    TDTPTable table;
    c.prepare(table);
    const int structures = table.StructureCount(), columns = table.ColumnCount(), lines = table.LineCount(),
              cells = table.CellCount(), fonts = table.FontCount();
    try {
      c.act(table);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const EDTPTableError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    }
    EXPECT_EQ(table.StructureCount(), structures) << c.name;
    EXPECT_EQ(table.ColumnCount(), columns) << c.name;
    EXPECT_EQ(table.LineCount(), lines) << c.name;
    EXPECT_EQ(table.CellCount(), cells) << c.name;
    EXPECT_EQ(table.FontCount(), fonts) << c.name;
  }
}

TEST(DTPTableBuilding, FontsCellsAndPadding) {
  TDTPTable t;
  EXPECT_EQ(t.FontID("Default", 12, 0), 1);
  EXPECT_EQ(t.FontID("ZP Symbol", 12, 0), 2);
  EXPECT_EQ(t.FontID("Default", 12, 0), 1);
  EXPECT_EQ(t.FontID("default", 12, 0), 3);  // face names compare exactly
  EXPECT_EQ(t.FontID("Default", 12, 1), 4);
  int s = t.AddColStructure(3, true);
  t.SetColDefn(s, 1, 0, DTPLeft, 0);
  t.SetColDefn(s, 2, 0, DTPRight, 0);
  t.SetColDefn(s, 3, 0, DTPCentre, 0);
  t.RepItemAdd(s, 1, 0, 1, "Left", 1);
  t.RepItemAdd(s, 1, 0, 1, "Right", 2);
  t.RepItemAdd(s, 1, 0, 1, "Mid", 3);
  t.RepItemAdd(s, 3, 0, 1, "Later", 1);
  EXPECT_EQ(t.Cell(1).text, " Left");
  EXPECT_EQ(t.Cell(2).text, "Right");
  EXPECT_EQ(t.Cell(3).text, "Mid ");
  EXPECT_EQ(t.LineCount(), 3);
  EXPECT_EQ(t.CellCount(), 4);
  t.Clear();
  EXPECT_EQ(t.LineCount() + t.CellCount() + t.FontCount() + t.StructureCount() + t.ColumnCount(), 0);
}

TEST(DTPTableGeometry, RelativeAndEqualWidths) {
  TDTPTable t;
  int one = t.AddColStructure(1, true);
  int nine = t.AddColStructure(9, false);
  const float widths[] = {5, 7, 7, 7, 7, 7, 7, 7, 8};
  for (int i = 0; i < 9; ++i) t.SetColDefn(nine, i + 1, 0, 0, widths[i]);
  int edges = t.AddColStructure(3, false);
  t.SetColDefn(edges, 1, 0, 0, 0.25f);
  t.SetColDefn(edges, 2, 0, 0, 0.5f);
  t.SetColDefn(edges, 3, 0, 0, 1.0f);

  EXPECT_EQ(t.RightEdges(one), std::vector<double>{1.0});
  std::vector<double> rel = t.RightEdges(nine);
  const int sums[] = {5, 12, 19, 26, 33, 40, 47, 54, 62};
  ASSERT_EQ(rel.size(), 9u);
  for (int i = 0; i < 9; ++i) EXPECT_DOUBLE_EQ(rel[i], sums[i] / 62.0) << i;
  EXPECT_EQ(t.RightEdges(edges), (std::vector<double>{0.25, 0.5, 1.0}));
}

// One line, one font of the given size, drawn into a rectangle of the given height.
int DrawnFontHeight(int fontSize, int rectHeight) {
  TDTPTable t;
  int s = t.AddColStructure(1, true);
  t.FontID("Default", fontSize, 0);
  t.RepItemAdd(s, 1, 0, 1, "Heading", 1);
  Recorded r = DrawToMetafile(t, QRect(0, 0, 500, rectHeight), 600, 2000);
  return r.fontHeights.empty() ? 0 : r.fontHeights.front();
}

TEST(DTPTableDrawing, FontsGrowByAQuarterOfTheExtraScale) {
  // Height 106: inner 100, line 80 px; scale 80/12 = 6.67 grows to 2.42; 29 pt = 39 px.
  EXPECT_EQ(DrawnFontHeight(12, 106), -39);
  // Height 21: inner 15, line 12 px; scale exactly 1: 12 pt = 16 px.
  EXPECT_EQ(DrawnFontHeight(12, 21), -16);
  // Height 16: inner 10, line 8 px; scale 0.67 shrinks the font to 8 pt = 11 px.
  EXPECT_EQ(DrawnFontHeight(12, 16), -11);
}

TEST(DTPTableDrawing, FrameSeparatorsRulesAndEveryCellGoIntoTheMetafile) {
  TDTPTable t;
  const int heading = t.AddColStructure(1, true);
  t.SetColDefn(heading, 1, 0, DTPCentre, 0);
  const int grid = t.AddColStructure(3, false);
  t.SetColDefn(grid, 1, DTPSingleLine, DTPLeft, 2);
  t.SetColDefn(grid, 2, DTPDoubleLine, DTPRight, 1);
  t.SetColDefn(grid, 3, DTPSingleLine, DTPCentre, 1);
  const int text = t.FontID("Default", 12, 0);
  const int glyph = t.FontID("ZP Symbol", 12, 0);
  t.RepItemAdd(heading, 1, ColorRed, text, "DIGNITIES", 1);
  t.RepItemAdd(grid, 2, 0, text, "Pt", 1);
  t.RepItemAdd(grid, 2, 0, text, "Ruler", 2);
  t.RepItemAdd(grid, 2, 0, text, "Score", 3);
  t.RepItemAdd(grid, 3, 0, glyph, "\xC2\xB6", 1);  // code 182, the Moon
  t.RepItemAdd(grid, 3, 0, text, "--", 2);
  t.RepItemAdd(grid, 3, 0, text, "+3", 3);
  t.SetLineRule(2, 2);

  const QRect rect(10, 10, 400, 100);
  Recorded r = DrawToMetafile(t, rect);

  // Double frame: the outer one and one 3 units inside it.
  ASSERT_EQ(r.rectangles.size(), 2u);
  const QRect outer = r.rectangles[0], inner = r.rectangles[1];
  EXPECT_EQ(outer.topLeft(), QPoint(10, 10));
  EXPECT_EQ(inner.topLeft(), QPoint(13, 13));
  EXPECT_EQ(outer.right() - inner.right(), 3);
  EXPECT_EQ(outer.bottom() - inner.bottom(), 3);

  // Every cell text, padded after its column's alignment; the glyph as an outline.
  std::set<std::string> texts;
  for (const auto& tr : r.texts) texts.insert(tr.text);
  for (const char* s : {"DIGNITIES ", " Pt", "Ruler", "Score ", "--", "+3 "}) {
    EXPECT_TRUE(texts.count(s)) << "missing cell text '" << s << "'";
  }
  EXPECT_GE(r.outlines, 1);

  // Vertical separators of the grid block: one after column 1, two after column 2; none
  // after the last column and none in the heading block.
  const int innerW = inner.right() - inner.left();
  const int x1 = inner.left() + static_cast<int>(std::lrint(innerW * 0.5));
  const int x2 = inner.left() + static_cast<int>(std::lrint(innerW * 0.75));
  std::map<int, int> verticals;
  for (const QLine& l : r.lines) {
    if (l.x1() == l.x2()) verticals[l.x1()]++;
  }
  EXPECT_EQ(verticals, (std::map<int, int>{{x1, 1}, {x2 - 2, 1}, {x2, 1}}));
  // Rules: one above the heading block, two above the grid block (line 2 asks for double).
  const int innerH = inner.bottom() - inner.top();
  const int gridTop = inner.top() + static_cast<int>(std::lrint(1 * double(innerH) / 3));
  std::map<int, int> horizontals;
  for (const QLine& l : r.lines) {
    if (l.y1() == l.y2()) {
      EXPECT_EQ(l.x1(), inner.left());
      EXPECT_EQ(l.x2(), inner.right());
      horizontals[l.y1()]++;
    }
  }
  EXPECT_EQ(horizontals, (std::map<int, int>{{inner.top(), 1}, {gridTop, 1}, {gridTop + 2, 1}}));
}

// Ink columns of the text drawn between two heights.
std::pair<int, int> InkSpan(const QImage& img, int x0, int x1, int y0, int y1) {
  int lo = img.width(), hi = -1;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (qGray(img.pixel(x, y)) < 128) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
    }
  }
  return {lo, hi};
}

TEST(DTPTableDrawing, OneEqualWidthColumnCentresItsText) {
  TDTPTable t;
  int s = t.AddColStructure(1, true);
  t.SetColDefn(s, 1, 0, DTPCentre, 0);
  t.FontID("Default", 12, 0);
  t.RepItemAdd(s, 1, 0, 1, "Centred heading", 1);
  QImage img = WhiteImage(400, 100);
  QRect frame;
  {
    QPainter p(&img);
    frame = t.Draw(false, p, QRect(0, 0, 400, 60));
  }
  ASSERT_TRUE(frame.isValid());
  // Text lies inside the inner frame (between its lines), centred on the table.
  auto [lo, hi] = InkSpan(img, frame.left() + 5, frame.right() - 5, frame.top() + 5, frame.bottom() - 4);
  ASSERT_LT(lo, hi);
  EXPECT_NEAR((lo + hi) / 2.0, 200, 6);
  EXPECT_GT(lo, 100);
}

TEST(DTPTableDrawing, LeftAlignedCellsOfOneColumnFollowEachOther) {
  TDTPTable t;
  int s = t.AddColStructure(2, true);
  t.FontID("Default", 12, 0);
  t.RepItemAdd(s, 1, 0, 1, "Aa", 1);
  t.RepItemAdd(s, 1, 0, 1, "Bb", 1);
  t.RepItemAdd(s, 1, 0, 1, "Cc", 2);
  t.RepItemAdd(s, 2, 0, 1, "Dd", 1);
  Recorded r = DrawToMetafile(t, QRect(0, 0, 400, 80));
  ASSERT_EQ(r.texts.size(), 4u);
  const TextRecord &a = r.texts[0], &b = r.texts[1], &c = r.texts[2], &d = r.texts[3];
  EXPECT_EQ(a.text, " Aa");
  EXPECT_EQ(b.y, a.y);
  EXPECT_GT(b.x, a.x + 10);  // after the first text, not on top of it
  EXPECT_LT(b.x, c.x);
  // A new line starts again at the column's left edge, one line lower.
  EXPECT_EQ(d.x, a.x);
  EXPECT_GT(d.y, a.y + 10);

  // In a one-column table every line starts at the column's edge on its own line.
  TDTPTable single;
  int one = single.AddColStructure(1, true);
  single.FontID("Default", 12, 0);
  single.RepItemAdd(one, 1, 0, 1, "First", 1);
  single.RepItemAdd(one, 2, 0, 1, "Second", 1);
  Recorded lines = DrawToMetafile(single, QRect(0, 0, 400, 80));
  ASSERT_EQ(lines.texts.size(), 2u);
  EXPECT_EQ(lines.texts[1].x, lines.texts[0].x);
  EXPECT_GT(lines.texts[1].y, lines.texts[0].y + 10);
}

TEST(DTPTableDrawing, DrawingTwiceGivesTheSamePictureAndEmptyTablesDrawNothing) {
  TDTPTable t;
  int s = t.AddColStructure(2, false);
  t.SetColDefn(s, 1, DTPSingleLine, DTPLeft, 3);
  t.SetColDefn(s, 2, 0, DTPRight, 1);
  t.FontID("Default", 10, 0);
  t.RepItemAdd(s, 1, ColorRed, 1, "One", 1);
  t.RepItemAdd(s, 1, 0, 1, "1", 2);
  Recorded first = DrawToMetafile(t, QRect(0, 0, 300, 50));
  Recorded second = DrawToMetafile(t, QRect(0, 0, 300, 50));
  ASSERT_EQ(first.lines.size(), second.lines.size());
  for (std::size_t i = 0; i < first.lines.size(); ++i) EXPECT_EQ(first.lines[i], second.lines[i]);

  TDTPTable empty;
  QImage img = WhiteImage(100, 100);
  QPainter p(&img);
  EXPECT_FALSE(empty.Draw(true, p, QRect(0, 0, 100, 100)).isValid());
  p.end();
  EXPECT_EQ(testing::TotalInk(img), 0.0);
}

TEST(Glyphs, CodesMapToSymbols) {
  EXPECT_EQ(GlyphText(182), QString::fromUtf8("\u263D"));  // Moon
  EXPECT_EQ(GlyphText(184), QString::fromUtf8("\u2609"));  // Sun
  EXPECT_EQ(GlyphText(217), QString::fromUtf8("\u26B8"));  // Lilith
  EXPECT_EQ(GlyphText(220), QString::fromUtf8("\u2648"));  // Aries
  EXPECT_EQ(GlyphText(221), QString::fromUtf8("\u2649"));  // Taurus
  EXPECT_EQ(GlyphText(130), QString::fromUtf8("\u264A"));  // Gemini
  EXPECT_EQ(GlyphText(139), QString::fromUtf8("\u2653"));  // Pisces
  EXPECT_EQ(GlyphText(140), QString::fromUtf8("\u211E"));  // retrograde
  EXPECT_EQ(GlyphText(141), QString::fromUtf8("\u260C"));  // conjunction
  EXPECT_EQ(GlyphText('A'), QString("A"));
  // Glyph face text: codes as Windows-1252 characters or as code points of the same number.
  EXPECT_EQ(GlyphFaceText("\xC2\xB6 \xE2\x80\x9A +3"), QString::fromUtf8("\u263D \u264A +3"));
  EXPECT_EQ(GlyphFaceText("\xC2\x82"), QString::fromUtf8("\u264A"));
  EXPECT_TRUE(IsGlyphFace("zp symbol"));
  EXPECT_FALSE(IsGlyphFace("Arial"));
  EXPECT_EQ(ResolveFontFamily("Default"), QString("Arial"));
  EXPECT_EQ(ResolveFontFamily("ZP Sans Serif"), QString(GlyphFontFamily));
}

}  // namespace
}  // namespace korvana
