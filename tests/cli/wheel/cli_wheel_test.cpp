#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

// Runs korvana with a data folder and settings file of its own, seeded from the build's
// template (sample charts and the shipped wheel designs).
class CliWheelTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

double Ink(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) {
      const QRgb p = image.pixel(x, y);
      inked += qRed(p) + qGreen(p) + qBlue(p) < 600;
    }
  }
  return inked * 4.0 / (image.width() * image.height());
}

TEST_F(CliWheelTest, DrawsOneAndTwoChartWheels) {
  const std::string one = dir / "one.png";
  CliRun r = Korvana("wheel --chart main.cht:1 --size 600x500 -o '" + one + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  QImage image(QString::fromStdString(one));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(600, 500));
  EXPECT_GT(Ink(image), 0.05);

  const std::string two = dir / "two.png";
  r = Korvana("wheel --chart main.cht:1 --chart2 main.cht:2 --design biinter.wh2 -o '" + two + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_GT(Ink(QImage(QString::fromStdString(two))), 0.03);

  const std::string wmf = dir / "one.wmf";
  r = Korvana("wheel --chart main.cht:1 --output-kind print -o '" + wmf + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_GT(dir.Read("one.wmf").size(), 1000u);

  // An SVG drawing keeps its texts as text: the Sun's glyph and degree signs are there.
  const std::string svg = dir / "one.svg";
  r = Korvana("wheel --chart main.cht:1 --size 800x800 -o '" + svg + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string drawing = dir.Read("one.svg");
  EXPECT_NE(drawing.find("<svg"), std::string::npos);
  EXPECT_NE(drawing.find("\u2609"), std::string::npos) << "the Sun's glyph";
  EXPECT_NE(drawing.find("\u00B0"), std::string::npos) << "degree texts";
  EXPECT_EQ(dir.Read("one.svg.tmp"), "") << "no work file left behind";
}

// Every kind of picture goes to any name the file system takes: here Latin-1 bytes that
// are not UTF-8.
// A chart without its birth time is drawn without angles, Part of Fortune, cusps or house
// system; the same drawing of a timed chart has them.
TEST_F(CliWheelTest, AChartWithoutItsBirthTimeHasNoAnglesOrHouses) {
  for (const int chart : {1, 15}) {
    const std::string svg = dir / ("w" + std::to_string(chart) + ".svg");
    CliRun r = Korvana("wheel --chart main.cht:" + std::to_string(chart) + " -o '" + svg + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = FileText(svg);
    const bool timed = chart == 1;
    EXPECT_EQ(text.find(">AC<") != std::string::npos, timed) << chart;
    EXPECT_EQ(text.find(">MC<") != std::string::npos, timed) << chart;
    EXPECT_EQ(text.find("Placidus") != std::string::npos, timed) << chart;
    EXPECT_EQ(text.find("time unknown") != std::string::npos, !timed) << chart;
  }
}

TEST_F(CliWheelTest, EveryKindIsWrittenUnderANameThatIsNotUtf8) {
  struct Case {
    const char* ext;
    std::string start;
  };
  const Case cases[] = {{".png", "\x89PNG"}, {".svg", "<?xml"}, {".pdf", "%PDF"}, {".wmf", "\xD7\xCD\xC6\x9A"}};
  for (const Case& c : cases) {
    const std::string name = std::string("r\xE9sum\xE9") + c.ext;
    CliRun r = Korvana("wheel --chart main.cht:1 --size 300x300 -o '" + (dir / name) + "'");
    ASSERT_EQ(r.status, 0) << c.ext << ": " << r.err;
    EXPECT_EQ(dir.Read(name).substr(0, c.start.size()), c.start) << c.ext;
  }
}

// The command line hands drawing to the program beside it; without it, it says so.
TEST_F(CliWheelTest, WithoutTheDrawingProgramBesideItTheCommandSaysSo) {
  const std::string alone = dir / "alone/korvana";
  std::filesystem::create_directories(dir / "alone");
  std::filesystem::copy_file(KORVANA_BINARY, alone);
  CliRun r = testing::RunKorvana(alone, dir, "wheel --chart main.cht:1 -o '" + (dir / "w.png") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("the drawing program " + (dir / "alone/korvana-draw") + " cannot be started"), std::string::npos)
      << r.err;
  EXPECT_EQ(testing::RunKorvana(alone, dir, "parse date 1.1.2000").status, 0) << "the rest works alone";
}

// House expansion moves the cusps where crowded points spill over them, so the picture of
// a chart with such a house changes; the switch is not kept for the next run.
TEST_F(CliWheelTest, HouseExpansionIsAskedForPerDrawing) {
  const std::string plain = dir / "plain.png", expanded = dir / "expanded.png",
                    again = dir / "again.png";
  ASSERT_EQ(Korvana("wheel --chart main.cht:3 -o '" + plain + "'").status, 0);
  ASSERT_EQ(Korvana("wheel --chart main.cht:3 --house-expansion -o '" + expanded + "'").status, 0);
  ASSERT_EQ(Korvana("wheel --chart main.cht:3 -o '" + again + "'").status, 0);
  const QImage a(QString::fromStdString(plain)), b(QString::fromStdString(expanded)),
      c(QString::fromStdString(again));
  EXPECT_NE(a, b);
  EXPECT_EQ(a, c);
}

TEST_F(CliWheelTest, AnAspectFileCutShortDrawsTheAspectsReadWhole) {
  const std::string whole = FileText(std::string(KORVANA_TEMPLATE_DIR) + "/userdata/modern.asp");
  ASSERT_GT(whole.size(), 400u);
  const std::string cut = dir.Write("cut.asp", whole.substr(0, whole.size() * 2 / 3));
  const std::string out = dir / "cut.png";
  const CliRun r = Korvana("wheel --chart main.cht:1 --aspects '" + cut + "' -o '" + out + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(QImage(QString::fromStdString(out)).isNull());
}

TEST_F(CliWheelTest, BadRequestsFailWithoutOutput) {
  struct Case { std::string args; int status; std::string error; };
  const std::string out = dir / "out.png";
  // A two-chart design under another name than the side-by-side default.
  const std::string pair = dir.Write(
      "pair.wh2", FileText(std::string(KORVANA_TEMPLATE_DIR) + "/userdata/biinter.wh2"));
  const std::string garbage = dir.Write("garbage.asp", "garbage");
  const Case cases[] = {
      {"wheel --chart main.cht:1 --aspects '" + garbage + "' -o '" + out + "'", 1, "aspect file"},
      {"wheel --chart main.cht:1 --size 10x10 -o '" + out + "'", 2, "--size"},
      {"wheel --chart main.cht:1 -o '" + dir / "out.txt" + "'", 2, ".png, .svg, .pdf or .wmf"},
      {"wheel --chart main.cht:1 --output-kind paper -o '" + out + "'", 2, "--output-kind"},
      {"wheel --chart main.cht:1 --design none.wh1 -o '" + out + "'", 1, "Wheel file does not exist"},
      {"wheel --chart nofile.cht:1 -o '" + out + "'", 1, "korvana:"},
      {"wheel --chart main.cht:1 --design '" + pair + "' -o '" + out + "'", 1, "Wheel design has wrong number of charts"},
  };
  for (const Case& c : cases) {
    CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.error), std::string::npos) << c.args << "\n" << r.err;
  }
  EXPECT_EQ(dir.Read("out.txt"), "");
  EXPECT_TRUE(dir.Read("out.png").empty()) << "no picture of a failed drawing";
}

}  // namespace
}  // namespace korvana
