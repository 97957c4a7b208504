// Readability of the shipped wheel designs drawn for the sample charts (a crowded chart,
// far-northern houses and a chart before the era among them): no text of the wheel
// overlaps another, every shown point has its glyph with its own degree and minute, and
// every aspect glyph sits in the gap of its line.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <map>
#include <string>

#include "core/analysis/aspect_file.h"
#include "core/astro/cast_chart.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_settings.h"
#include "core/config/start_up.h"
#include "core/reports/reportset/report_set.h"
#include "core/reports/pdf/pdf_front_page.h"
#include "core/reports/pdf/pdf_report.h"
#include "render/report_wheel.h"
#include "render/wheel_drawing.h"
#include "core/wheels/wheel_design.h"
#include "core/wheels/wheel_spreading.h"
#include "render/glyphs.h"
#include "render/wheel_renderer.h"
#include "support/paint_recorder.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {

constexpr int SampleCharts = 16;
constexpr int Side = 768;   // the report picture's wheel: a 1024 x 768 canvas

std::string UserData() { return std::string(KORVANA_TEMPLATE_DIR) + "/userdata/"; }

ProgramSettings Settings() {
  ProgramSettings s;
  BuildGlyphTables(s);
  BuildSignColors(s);
  s.WheelPointSelection = InitialWheelPointSelection();
  s.ChartPath = s.UserPath = UserData();
  s.EphemPath = UserData();
  return s;
}

struct Polar {
  double radius;
  double longitude;   // of the wheel, with the rotation taken off again
};

// Radius and longitude of a device point on a wheel centred at `centre`.
Polar ToPolar(QPointF p, QPointF centre, double rotation) {
  const double dx = centre.x() - p.x(), dy = p.y() - centre.y();
  double lon = std::atan2(dy, dx) * 180.0 / M_PI + rotation;
  lon = std::fmod(lon + 720.0, 360.0);
  return {std::hypot(dx, dy), lon};
}

double AngleGap(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360.0 - d);
}

// Ink boxes that share more than a hairline (half a pixel in from every side).
bool Overlap(const QPolygonF& a, const QPolygonF& b) {
  const QRectF ra = a.boundingRect().adjusted(0.5, 0.5, -0.5, -0.5);
  const QRectF rb = b.boundingRect().adjusted(0.5, 0.5, -0.5, -0.5);
  if (!ra.intersects(rb)) return false;
  // Turned texts have turned boxes: test the polygons themselves.
  return a.intersects(b) && QPolygonF(ra).intersects(QPolygonF(rb));
}

class WheelReadability : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    settings = Settings();
    auto d = LoadWheelDesign(UserData() + GetParam(), messages);
    ASSERT_TRUE(d) << messages.Only();
    design = *d;
    ASSERT_TRUE(LoadAspectFile(UserData() + "modern.asp", aspects, messages));
    for (int n = 1; n <= SampleCharts; ++n) {
      StoredChart stored = ReadChartReference("main.cht:" + std::to_string(n), settings);
      CastOptions options = CastOptionsFrom(settings);
      options.HouseSystem = stored.houseSystem;
      charts.push_back(CastChart(stored.chart, options));
      names.push_back(stored.chart.Name);
    }
  }

  // Draws the design for chart n (and chart n + 1 as the second of a two-chart design).
  testing::PaintRecording Draw(int n) {
    testing::PaintRecorder device(Side, Side);
    WheelRenderInput input;
    input.charts = {WheelChart{.chart = &charts[n]}};
    if (design.chartCount > 1) input.charts.push_back(WheelChart{.chart = &charts[(n + 1) % SampleCharts]});
    for (int id = 1; id <= LastPoint; ++id) {
      input.selection[id] = settings.WheelPointSelection[id];
    }
    input.aspects = &aspects;
    input.outputKind = WheelPrinter;
    QPainter painter(&device);
    EXPECT_TRUE(RenderWheel(painter, QRect(0, 0, Side, Side), design, input, settings, messages));
    painter.end();
    return device.recording;
  }

  double CircleRadius(int index) const {
    return std::nearbyint(Side / 2 * design.Circle(index)->radius);
  }

  ProgramSettings settings;
  WheelDesign design;
  AspectSet aspects;
  std::vector<CalculatedChart> charts;
  std::vector<std::string> names;
  testing::RecordingMessages messages;
};

TEST_P(WheelReadability, NoTextOverlapsAnotherOutsideTheAspectArea) {
  const double aspect_radius = CircleRadius(design.aspects.circle[0]);
  const QPointF centre(Side / 2, Side / 2);
  for (int n = 0; n < SampleCharts; ++n) {
    const testing::PaintRecording device = Draw(n);
    std::vector<const testing::RecordedText*> outside;
    for (const auto& t : device.texts) {
      if (QLineF(t.Centre(), centre).length() > aspect_radius) outside.push_back(&t);
    }
    ASSERT_GT(outside.size(), 40u) << names[n];
    int overlaps = 0;
    for (std::size_t i = 0; i < outside.size(); ++i) {
      for (std::size_t j = i + 1; j < outside.size(); ++j) {
        if (Overlap(outside[i]->ink, outside[j]->ink)) {
          ++overlaps;
          ADD_FAILURE() << names[n] << ": \"" << outside[i]->text.toStdString() << "\" at "
                        << outside[i]->Centre().x() << "," << outside[i]->Centre().y()
                        << " overlaps \"" << outside[j]->text.toStdString() << "\" at "
                        << outside[j]->Centre().x() << "," << outside[j]->Centre().y();
        }
      }
    }
    EXPECT_EQ(overlaps, 0) << names[n];
    // Nor a filled mark such as the arrowheads of the Ascendant and the Midheaven.
    for (const auto& shape : device.shapes) {
      if (shape.brush.style() == Qt::NoBrush || shape.path.elementCount() > 6) continue;
      for (const auto* t : outside) {
        EXPECT_FALSE(shape.path.intersects(t->ink.boundingRect().adjusted(0.5, 0.5, -0.5, -0.5)))
            << names[n] << ": \"" << t->text.toStdString() << "\" (" << t->ink.boundingRect().left() << ".." << t->ink.boundingRect().right() << ") lies on a filled mark at "
            << shape.path.boundingRect().center().x() << "," << shape.path.boundingRect().center().y();
      }
    }
  }
}

TEST_P(WheelReadability, EveryShownPointHasItsGlyphDegreeAndMinute) {
  const QPointF centre(Side / 2, Side / 2);
  std::map<QString, int> point_of_glyph;
  for (int id = 1; id <= LastPoint; ++id) {
    const QString glyph = GlyphText(settings.PointGlyph[id]);
    ASSERT_EQ(point_of_glyph.count(glyph), 0u) << "glyphs tell points apart";
    point_of_glyph[glyph] = id;
  }
  for (int n = 0; n < SampleCharts; ++n) {
    const testing::PaintRecording device = Draw(n);
    for (int ring = 0; ring < design.chartCount; ++ring) {
      const PointRingStyle& style = design.pointRings[ring];
      const CalculatedChart& chart = charts[(n + ring) % SampleCharts];
      const double r_in = CircleRadius(style.band.inner), r_out = CircleRadius(style.band.outer);
      const double rotation = WheelRotation(design, &charts[n]);
      std::array<double, WheelPointCount + 1> lon{};
      for (int id = 1; id <= LastPoint; ++id) lon[id] = chart.Longitude(id);
      const PointList shown =
          BuildPointList(lon, SelectionForChart(settings.WheelPointSelection, chart.Chart.TimeUnknown), false, false);
      // The ring's texts by kind.
      std::map<int, Polar> glyph_at;
      std::vector<std::pair<Polar, QString>> numbers;
      for (const auto& t : device.texts) {
        const Polar p = ToPolar(t.Centre(), centre, rotation);
        if (p.radius < r_in || p.radius > r_out) continue;
        if (auto it = point_of_glyph.find(t.text); it != point_of_glyph.end()) {
          EXPECT_EQ(glyph_at.count(it->second), 0u) << names[n] << " point " << it->second;
          glyph_at[it->second] = p;
        } else if (t.text.endsWith(QChar(0x00B0)) || t.text.endsWith('\'')) {
          numbers.push_back({p, t.text});
        }
      }
      EXPECT_EQ(static_cast<int>(glyph_at.size()), shown.Count()) << names[n] << " ring " << ring;
      for (int id : shown.order) {
        ASSERT_EQ(glyph_at.count(id), 1u) << names[n] << " point " << id;
        const double x = std::fmod(lon[id] + 360.0, 360.0);
        const QString degree = QString::asprintf("%02d", static_cast<int>(x) % 30) + QChar(0x00B0);
        const QString minute =
            QString::asprintf("%02d'", static_cast<int>((x - std::floor(x)) * 60.0));
        bool has_degree = false, has_minute = false;
        for (const auto& [p, text] : numbers) {
          if (AngleGap(p.longitude, glyph_at[id].longitude) > 1.5) continue;
          has_degree = has_degree || text == degree;
          has_minute = has_minute || text == minute;
        }
        EXPECT_TRUE(has_degree) << names[n] << " point " << id << " " << degree.toStdString();
        EXPECT_TRUE(has_minute) << names[n] << " point " << id << " " << minute.toStdString();
      }
    }
  }
}

TEST_P(WheelReadability, AspectGlyphsSitInTheGapsOfTheirLines) {
  const double aspect_radius = CircleRadius(design.aspects.circle[0]);
  const QPointF centre(Side / 2, Side / 2);
  for (int n = 0; n < SampleCharts; ++n) {
    const testing::PaintRecording device = Draw(n);
    int glyphs = 0;
    for (const auto& t : device.texts) {
      if (QLineF(t.Centre(), centre).length() >= aspect_radius) continue;
      ++glyphs;
      const QRectF box = t.ink.boundingRect();
      // The two halves of the glyph's line: drawn one after the other, their inner ends
      // on either side of the glyph and clear of it.
      bool found = false;
      for (std::size_t i = 0; i + 1 < device.lines.size() && !found; ++i) {
        const QLineF& a = device.lines[i].line;
        const QLineF& b = device.lines[i + 1].line;
        const QPointF middle = (a.p2() + b.p1()) / 2;
        if (!box.adjusted(-1, -1, 1, 1).contains(middle)) continue;
        const bool clear = !box.contains(a.p2()) && !box.contains(b.p1());
        const bool straight = std::fabs(QLineF(a.p1(), b.p2()).angleTo(a)) < 0.5 ||
                              std::fabs(QLineF(a.p1(), b.p2()).angleTo(a) - 360.0) < 0.5;
        found = clear && straight;
      }
      EXPECT_TRUE(found) << names[n] << ": aspect glyph \"" << t.text.toStdString() << "\" at "
                         << box.center().x() << "," << box.center().y();
    }
    EXPECT_GT(glyphs, 0) << names[n];
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedDesigns, WheelReadability,
                         ::testing::Values("uni5.wh1", "uniex1.wh1", "biinter.wh2"));

// The chart page's picture as reports print it: the shipped report sets' wheels (their own
// point selections, the Ascendant and Midheaven among them) with the chart details block,
// on the RTF canvas (a 1024 pixel screen, 1.3 times as high) and on the set's PDF canvas
// for A4. No text overlaps another or the arrowheads, the details block included.
class ReportPictureReadability : public ::testing::TestWithParam<const char*> {};

TEST_P(ReportPictureReadability, NoTextOverlapsAnotherOnTheChartPage) {
  ProgramSettings settings = Settings();
  const std::string base = std::string(KORVANA_TEMPLATE_DIR) + "/";
  settings.SystemPath = settings.CompilePath = base;
  settings.SourcePath = base + "source/";
  settings.WheelPath = UserData();
  settings.DefWheel = UserData() + "uni5.wh1";
  testing::RecordingMessages messages;
  TKVReport report;
  ASSERT_TRUE(LoadReportSet(base + GetParam(), report, settings, messages)) << messages.Only();
  AspectSet aspects;
  ASSERT_TRUE(LoadAspectFile(report.aspectFile, aspects, messages));
  struct Canvas {
    const char* name;
    QSize size;
    WheelCanvas canvas;
  };
  // The PDF canvas of the report set on an A4 page (the moiety-mode set's is lower, its
  // wheel at the right).
  const PdfPageSetup page = PdfPageFor(settings, {});
  ReportRun setRun;
  setRun.report = &report;
  setRun.settings = &settings;
  setRun.aspects = &aspects;
  const double W = page.WidthPixels() - page.marginLeft - page.marginRight;
  const double U = page.HeightPixels() - page.marginTop - page.marginBottom - page.header;
  const WheelCanvas pdf = PdfWheelCanvas(setRun, W, U);
  const Canvas canvases[] = {{"RTF", QSize(1024, 1331), RtfWheelCanvas}, {"PDF", QSize(pdf.width, pdf.height), pdf}};
  for (int n = 1; n <= SampleCharts; ++n) {
    const StoredChart stored = ReadChartReference("main.cht:" + std::to_string(n), settings);
    CastOptions options = CastOptionsFrom(settings);
    options.HouseSystem = stored.houseSystem;
    ReportRun run;
    run.charts = {CastChart(stored.chart, options)};
    run.report = &report;
    run.settings = &settings;
    run.aspects = &aspects;
    run.messages = &messages;
    for (const Canvas& c : canvases) {
      testing::PaintRecorder device(c.size.width(), c.size.height());
      {
        QPainter painter(&device);
        ASSERT_TRUE(PaintReportWheel(run, painter, QRect(QPoint(0, 0), c.size), c.canvas));
      }
      const testing::PaintRecording& rec = device.recording;
      // The aspect glyphs inside the aspect circle sit on their lines: left out.
      const QRect area = WheelArea(QRect(QPoint(0, 0), c.size), c.canvas.outputKind, c.canvas.horizontal, c.canvas.vertical);
      const QPointF centre = QRectF(area).center();
      const double radius = area.width() / 2.0;
      std::vector<const testing::RecordedText*> texts;
      for (const auto& t : rec.texts)
        if (QLineF(t.Centre(), centre).length() > radius * 0.5) texts.push_back(&t);
      ASSERT_GT(texts.size(), 40u);
      // The details block stays outside the wheel's outer circle.
      const QRect details = WheelDetailsRect(QRect(QPoint(0, 0), c.size), c.canvas.outputKind);
      int detailTexts = 0;
      for (const auto* t : texts) {
        const QRectF box = t->ink.boundingRect();
        if (!QRectF(details).contains(box.center()) || QLineF(box.center(), centre).length() < radius) continue;
        ++detailTexts;
        const QPointF nearest(std::clamp(centre.x(), box.left(), box.right()), std::clamp(centre.y(), box.top(), box.bottom()));
        EXPECT_GT(QLineF(nearest, centre).length(), radius)
            << GetParam() << " " << c.name << " chart " << n << ": details \"" << t->text.toStdString()
            << "\" reaches into the wheel";
      }
      EXPECT_GE(detailTexts, 5) << GetParam() << " " << c.name << " chart " << n;
      for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j)
          EXPECT_FALSE(Overlap(texts[i]->ink, texts[j]->ink))
              << GetParam() << " " << c.name << " chart " << n << ": \"" << texts[i]->text.toStdString() << "\" overlaps \""
              << texts[j]->text.toStdString() << "\" at " << texts[j]->Centre().x() << "," << texts[j]->Centre().y();
      for (const auto& shape : rec.shapes) {
        if (shape.brush.style() == Qt::NoBrush || shape.path.elementCount() > 6) continue;
        for (const auto* t : texts)
          EXPECT_FALSE(shape.path.intersects(t->ink.boundingRect().adjusted(0.5, 0.5, -0.5, -0.5)))
              << GetParam() << " " << c.name << " chart " << n << ": \"" << t->text.toStdString() << "\" lies on a filled mark";
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedSets, ReportPictureReadability, ::testing::Values("modern.swp", "traditional.swp"));

}  // namespace
}  // namespace korvana
