// The metafile writer and player: file structure, drawing round trips against direct
// painting, and damaged files.
#include <gtest/gtest.h>

#include <QFont>
#include <QPainterPath>
#include <map>
#include <random>
#include <set>

#include "render/metafile.h"
#include "render/render_test_support.h"
#include "render/wmf_format.h"
#include "render/wmf_player.h"

namespace korvana {
namespace {

using testing::InkDifference;
using testing::TotalInk;
using testing::WhiteImage;
using testing::WmfRecords;

// Draws a scene with every kind of primitive onto any device of at least 400 x 300 units.
void DrawScene(QPainter& p) {
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(10, 10, 390, 10);
  p.setPen(QPen(QColor(200, 0, 0), 2, Qt::DashLine));
  p.drawLine(10, 290, 390, 200);
  p.setPen(QPen(Qt::blue, 2));
  p.setBrush(QColor(0, 160, 0));
  p.drawRect(30, 40, 80, 60);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(150, 40, 100, 70));
  p.setBrush(QColor(240, 200, 0));
  p.drawEllipse(QRectF(280, 40, 60, 60));
  const QPointF tri[] = {{40, 150}, {120, 150}, {80, 220}};
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(0, 0, 180));
  p.drawPolygon(tri, 3);
  const QPointF zig[] = {{150, 150}, {170, 200}, {190, 150}, {210, 200}, {230, 150}};
  p.setPen(QPen(Qt::darkMagenta, 4));
  p.drawPolyline(zig, 5);
  QPainterPath curve;
  curve.moveTo(260, 220);
  curve.cubicTo(300, 120, 340, 280, 380, 160);
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);
  p.setPen(Qt::black);
  QFont text("DejaVu Sans");
  text.setPixelSize(22);
  p.setFont(text);
  p.drawText(QPointF(20, 270), "Sun Moon");
  p.setPen(QColor(180, 0, 0));
  QFont glyph("DejaVu Sans");
  glyph.setPixelSize(40);
  p.setFont(glyph);
  p.drawText(QPointF(200, 270), QString::fromUtf8("\u2648\u2609\u263D"));
}

std::string SceneMetafile() {
  TMetafile mf(400, 300);
  QPainter p(&mf);
  DrawScene(p);
  p.end();
  return mf.Data();
}

QImage Played(const std::string& wmf, int width, int height) {
  QImage image = WhiteImage(width, height);
  QPainter p(&image);
  PlayMetafile(wmf, p, QRectF(0, 0, width, height));
  return image;
}

TEST(MetafileWriter, HeadersAndRecordsAreWellFormed) {
  const std::string data = SceneMetafile();
  ByteReader r(data);
  ASSERT_GT(data.size(), 40u);
  EXPECT_EQ(r.U32(), wmf::PlaceableKey);
  EXPECT_EQ(r.U16(), 0);
  EXPECT_EQ(r.I16(), 0);
  EXPECT_EQ(r.I16(), 0);
  EXPECT_EQ(r.I16(), 400);
  EXPECT_EQ(r.I16(), 300);
  EXPECT_EQ(r.U16(), 96);
  r.U32();
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < 20; i += 2) {
    checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(data[i]) |
                                           (static_cast<unsigned char>(data[i + 1]) << 8));
  }
  EXPECT_EQ(r.U16(), checksum);
  EXPECT_EQ(r.U16(), 1);       // memory metafile
  EXPECT_EQ(r.U16(), 9);       // header words
  EXPECT_EQ(r.U16(), 0x0300);  // version
  EXPECT_EQ(r.U32(), (data.size() - 22) / 2);
  const int objectCount = r.U16();
  const std::uint32_t maxRecord = r.U32();
  EXPECT_EQ(r.U16(), 0);

  std::vector<testing::WmfRecord> records = WmfRecords(data);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().function, wmf::Eof);
  std::size_t total = 22 + 18;
  std::map<std::uint16_t, int> counts;
  std::set<int> live;
  auto firstFree = [&] {
    int i = 0;
    while (live.count(i)) ++i;
    return i;
  };
  int highest = -1;
  for (const auto& rec : records) {
    total += rec.words * 2;
    EXPECT_LE(rec.words, maxRecord);
    counts[rec.function]++;
    ByteReader pr(rec.params);
    switch (rec.function) {
      case wmf::CreatePenIndirect:
      case wmf::CreateBrushIndirect:
      case wmf::CreateFontIndirect: {
        int slot = firstFree();
        live.insert(slot);
        highest = std::max(highest, slot);
        break;
      }
      case wmf::SelectObject:
        EXPECT_TRUE(live.count(pr.U16())) << "selects a missing object";
        break;
      case wmf::DeleteObject: {
        int slot = pr.U16();
        EXPECT_TRUE(live.count(slot));
        live.erase(slot);
        break;
      }
      case wmf::ExtTextOut: {
        pr.Skip(4);
        int n = pr.I16();
        pr.U16();
        std::string text = pr.Bytes(n);
        EXPECT_EQ(text, "Sun Moon");
        break;
      }
      default: break;
    }
  }
  EXPECT_EQ(total, data.size());
  EXPECT_EQ(objectCount, highest + 1);
  for (auto fn : {wmf::SetWindowExt, wmf::CreatePenIndirect, wmf::CreateBrushIndirect,
                  wmf::CreateFontIndirect, wmf::SetTextColor, wmf::MoveTo, wmf::LineTo, wmf::Rectangle,
                  wmf::Ellipse, wmf::Polygon, wmf::Polyline, wmf::ExtTextOut, wmf::PolyPolygon}) {
    EXPECT_GT(counts[fn], 0) << "no record " << std::hex << fn;
  }
  // The glyph text went out as outlines, the plain text as one text record.
  EXPECT_EQ(counts[wmf::ExtTextOut], 1);
}

TEST(MetafileWriter, WindowExtentIsTheSizeAndCoordinatesAreClamped) {
  TMetafile mf(1000, 800);
  QPainter p(&mf);
  p.drawLine(QPointF(-100000, 5), QPointF(100000, 5));
  p.end();
  std::vector<testing::WmfRecord> records = WmfRecords(mf.Data());
  bool sawExt = false, sawLine = false;
  for (const auto& rec : records) {
    ByteReader r(rec.params);
    if (rec.function == wmf::SetWindowExt) {
      EXPECT_EQ(r.I16(), 800);
      EXPECT_EQ(r.I16(), 1000);
      sawExt = true;
    }
    if (rec.function == wmf::MoveTo) {
      EXPECT_EQ(r.I16(), 5);
      EXPECT_EQ(r.I16(), -32768);
    }
    if (rec.function == wmf::LineTo) {
      EXPECT_EQ(r.I16(), 5);
      EXPECT_EQ(r.I16(), 32767);
      sawLine = true;
    }
  }
  EXPECT_TRUE(sawExt);
  EXPECT_TRUE(sawLine);
}

TEST(MetafileRoundTrip, PlayedSceneMatchesDirectPainting) {
  QImage direct = WhiteImage(400, 300);
  {
    QPainter p(&direct);
    p.setRenderHint(QPainter::Antialiasing);
    DrawScene(p);
  }
  const std::string wmf = SceneMetafile();
  QImage played = Played(wmf, 400, 300);
  EXPECT_GT(TotalInk(played), 0.05);
  EXPECT_LT(InkDifference(direct, played, 8, 6), 0.06);

  // Played at twice the size onto a larger picture it still matches.
  QImage direct2 = WhiteImage(800, 600);
  {
    QPainter p(&direct2);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    DrawScene(p);
  }
  EXPECT_LT(InkDifference(direct2, Played(wmf, 800, 600), 8, 6), 0.06);

  // Drawn through a scaled painter into a smaller metafile: sizes, pens and text scale.
  TMetafile half(200, 150);
  {
    QPainter p(&half);
    p.scale(0.5, 0.5);
    DrawScene(p);
  }
  QImage directHalf = WhiteImage(200, 150);
  {
    QPainter p(&directHalf);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(0.5, 0.5);
    DrawScene(p);
  }
  EXPECT_LT(InkDifference(directHalf, Played(half.Data(), 200, 150), 8, 6), 0.08);
}

TEST(MetafileRoundTrip, TransformedDrawingAndGlyphsLandWhereTheyWereDrawn) {
  auto draw = [](QPainter& p) {
    p.translate(200, 150);
    p.rotate(30);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::red);
    p.drawRect(-60, -30, 120, 60);
    p.drawEllipse(QRectF(-20, -20, 40, 40));
    QFont f("DejaVu Sans");
    f.setPixelSize(30);
    p.setFont(f);
    p.drawText(QPointF(-50, 70), "Text");
  };
  QImage direct = WhiteImage(400, 300);
  {
    QPainter p(&direct);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
  }
  TMetafile mf(400, 300);
  {
    QPainter p(&mf);
    draw(p);
  }
  std::string wmf = mf.Data();
  for (const auto& rec : WmfRecords(wmf)) EXPECT_NE(rec.function, wmf::ExtTextOut);
  EXPECT_LT(InkDifference(direct, Played(wmf, 400, 300), 8, 6), 0.06);
}

TEST(MetafileRoundTrip, ArcsPiesAndChordsBecomeRecords) {
  auto draw = [](QPainter& p) {
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor(0, 120, 255));
    PaintArc(p, QRectF(20, 20, 160, 100), 30, 200);
    PaintPie(p, QRectF(200, 20, 180, 180), -45, 90);
    PaintChord(p, QRectF(20, 150, 160, 120), 10, -140);
    PaintPie(p, QRectF(220, 200, 80, 80), 90, 360);
  };
  QImage direct = WhiteImage(400, 300);
  {
    QPainter p(&direct);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
  }
  TMetafile mf(400, 300);
  {
    QPainter p(&mf);
    draw(p);
  }
  std::map<std::uint16_t, int> counts;
  for (const auto& rec : WmfRecords(mf.Data())) counts[rec.function]++;
  EXPECT_EQ(counts[wmf::Arc], 1);
  EXPECT_EQ(counts[wmf::Pie], 2);
  EXPECT_EQ(counts[wmf::Chord], 1);
  EXPECT_LT(InkDifference(direct, Played(mf.Data(), 400, 300), 8, 6), 0.05);
}

TEST(MetafileRoundTrip, ImagesAreKept) {
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::white);
  {
    QPainter p(&picture);
    p.fillRect(0, 0, 20, 20, Qt::black);
  }
  TMetafile mf(200, 100);
  {
    QPainter p(&mf);
    p.drawImage(QRectF(100, 50, 80, 40), picture);
  }
  QImage played = Played(mf.Data(), 200, 100);
  EXPECT_EQ(QColor(played.pixel(110, 60)), QColor(Qt::black));
  EXPECT_EQ(QColor(played.pixel(170, 80)), QColor(Qt::white));
  EXPECT_EQ(QColor(played.pixel(50, 20)), QColor(Qt::white));
}

TEST(MetafileRoundTrip, ClippingKeepsDrawingInsideAndEndsCleanly) {
  TMetafile mf(200, 100);
  {
    QPainter p(&mf);
    QFont f("DejaVu Sans");
    f.setPixelSize(30);
    p.setFont(f);
    p.setClipRect(QRect(50, 25, 100, 50));
    p.fillRect(QRect(0, 0, 200, 100), Qt::black);
    p.setPen(Qt::red);
    p.drawText(QPointF(60, 60), "In");
    p.setClipping(false);
    p.drawText(QPointF(5, 95), "Out");
    p.setPen(QPen(Qt::blue, 4));
    p.drawLine(0, 5, 200, 5);
  }
  QImage played = Played(mf.Data(), 200, 100);
  EXPECT_EQ(QColor(played.pixel(100, 30)), QColor(Qt::black));
  EXPECT_EQ(QColor(played.pixel(20, 50)), QColor(Qt::white));
  EXPECT_EQ(QColor(played.pixel(180, 50)), QColor(Qt::white));
  EXPECT_EQ(QColor(played.pixel(100, 5)).blue(), 255);
  // The text after the clip ended is still red.
  int red = 0, other = 0;
  for (int y = 70; y < 100; ++y) {
    for (int x = 0; x < 60; ++x) {
      QColor c(played.pixel(x, y));
      if (c == Qt::white) continue;
      (c.red() > 150 && c.green() < 100 ? red : other)++;
    }
  }
  EXPECT_GT(red, 30);
  EXPECT_LT(other, red);
}

TEST(MetafilePlayer, DamagedFilesAreRefused) {
  const std::string good = SceneMetafile();
  ASSERT_NO_THROW(ReadMetafileInfo(good));
  MetafileInfo info = ReadMetafileInfo(good);
  EXPECT_TRUE(info.placeable);
  EXPECT_EQ(info.bounds, QRect(0, 0, 400, 300));

  std::vector<std::pair<const char*, std::string>> bad;
  bad.push_back({"empty", ""});
  bad.push_back({"short placeable header", good.substr(0, 30)});
  bad.push_back({"text", std::string("This is not a metafile, only some words of text.")});
  std::string zeroSize = good;
  zeroSize[40] = zeroSize[41] = zeroSize[42] = zeroSize[43] = 0;
  bad.push_back({"record size 0", zeroSize});
  std::string hugeSize = good;
  hugeSize[40] = hugeSize[41] = hugeSize[42] = '\x7F';
  bad.push_back({"record past the end", hugeSize});
  std::string badVersion = good;
  badVersion[26] = 5;
  bad.push_back({"unknown header", badVersion});
  for (const auto& [name, data] : bad) {
    EXPECT_THROW(ReadMetafileInfo(data), EMetafileError) << name;
    QImage image = WhiteImage(50, 50);
    QPainter p(&image);
    EXPECT_THROW(PlayMetafile(data, p, QRectF(0, 0, 50, 50)), EMetafileError) << name;
    p.end();
    EXPECT_EQ(TotalInk(image), 0.0) << name << ": drew before refusing";
  }
  // Every cut-short copy lacks its end record or more, and is refused.
  for (std::size_t n = 0; n < good.size(); n += 7) {
    EXPECT_THROW(ReadMetafileInfo(std::string_view(good).substr(0, n)), EMetafileError) << n;
  }
}

TEST(MetafilePlayer, RandomDamageIsRefusedOrPlayedButNeverCrashes) {
  const std::string good = SceneMetafile();
  std::mt19937 random(12345);
  int refused = 0;
  for (int round = 0; round < 300; ++round) {
    std::string damaged = good;
    const int flips = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < flips; ++i) {
      damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
    }
    QImage image = WhiteImage(80, 60);
    QPainter p(&image);
    try {
      PlayMetafile(damaged, p, QRectF(0, 0, 80, 60));
    } catch (const EMetafileError&) {
      ++refused;
    }
  }
  // Some damage hits the headers or record sizes and is refused; the rest plays.
  EXPECT_GT(refused, 0);
  EXPECT_LT(refused, 300);
}

TEST(MetafilePlayer, OddRecordParametersAreSkippedWithoutHarm) {
  // A plain (not placeable) metafile whose drawing records carry too few parameters.
  ByteWriter w;
  w.U16(1);
  w.U16(9);
  w.U16(0x0300);
  w.U32(0);
  w.U16(1);
  w.U32(0);
  w.U16(0);
  auto rec = [&](std::uint16_t fn, std::initializer_list<std::int16_t> params) {
    w.U32(static_cast<std::uint32_t>(3 + params.size()));
    w.U16(fn);
    for (auto v : params) w.I16(v);
  };
  rec(wmf::SetWindowExt, {100, 100});
  rec(wmf::Polygon, {50});          // 50 points announced, none present
  rec(wmf::PolyPolygon, {2, 3});    // counts cut short
  rec(wmf::ExtTextOut, {10, 10, 200});
  rec(wmf::SelectObject, {40});     // no such object
  rec(wmf::DeleteObject, {-1});
  rec(wmf::Ellipse, {60, 60});
  rec(wmf::Rectangle, {90, 90, 10, 10});
  rec(0, {});
  MetafileInfo info = ReadMetafileInfo(w.Data());
  EXPECT_FALSE(info.placeable);
  EXPECT_EQ(info.bounds, QRect(0, 0, 100, 100));
  QImage image = WhiteImage(100, 100);
  QPainter p(&image);
  PlayMetafile(w.Data(), p, QRectF(0, 0, 100, 100));
  p.end();
  // The one complete rectangle is drawn with the default black pen and white brush.
  EXPECT_LT(qGray(image.pixel(10, 50)), 160);
  EXPECT_LT(qGray(image.pixel(50, 10)), 160);
  EXPECT_LT(TotalInk(image), 0.1);
}

}  // namespace
}  // namespace korvana
