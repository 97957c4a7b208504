// "Options" from the main window: what is saved reaches the next chart, the wheel, the
// settings file and the report set's file; "Cancel" keeps nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "app/chart_entry_dialog.h"
#include "app/desktop_fixture.h"
#include "app/main_window.h"
#include "app/options_dialog.h"
#include "app/wheel_view.h"
#include "core/charts/chart_reference.h"
#include "core/config/start_up.h"
#include "core/points/point_id.h"
#include "core/util/ini_file.h"
#include "support/paint_recorder.h"

namespace korvana::app {
namespace {

class OptionsDialogTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  }
  // The colours the wheel now on screen draws its texts in.
  std::vector<QColor> WheelTextColours() {
    auto* view = qobject_cast<WheelView*>(window->centralWidget());
    testing::PaintRecorder device(600, 600);
    {
      QPainter painter(&device);
      view->PaintWheel(painter, QRect(0, 0, 600, 600), 0);
    }
    std::vector<QColor> colours;
    for (const auto& text : device.recording.texts) colours.push_back(text.colour);
    return colours;
  }
  static bool Has(const std::vector<QColor>& colours, const QColor& c) {
    return std::find(colours.begin(), colours.end(), c) != colours.end();
  }

};

constexpr int Koch = 2;  // house system code 2 (list row 1)
const QColor Scarlet(201, 13, 17);

TEST_F(OptionsDialogTest, SavedHousesAndColoursReachTheNextChartTheWheelAndTheFiles) {
  ASSERT_NE(settings.Houses, Koch);
  ASSERT_TRUE(window->PlaceCharts({ReadChartReference("main.cht:1", settings)}));
  ASSERT_FALSE(Has(WheelTextColours(), Scarlet));
  ASSERT_TRUE(settings.WheelPointSelection[PointSaturn]);

  WithDialog<OptionsDialog>("actOptionsGeneral", [](OptionsDialog& dialog) {
    dialog.findChild<QListWidget*>("houses")->setCurrentRow(Koch - 1);
    dialog.SetPointColor(PointMars, MakeColor(Scarlet.red(), Scarlet.green(), Scarlet.blue()));
    auto* points = dialog.findChild<QListWidget*>("points");
    points->setCurrentRow(PointSaturn - 1);
    emit points->itemDoubleClicked(points->currentItem());
    EXPECT_EQ(points->currentItem()->text(), "(Saturn)");
    dialog.findChild<QPushButton*>("save")->click();
  });
  ASSERT_TRUE(messages.messages.empty()) << messages.messages[0].text;
  EXPECT_EQ(settings.Houses, Koch);
  EXPECT_TRUE(Has(WheelTextColours(), Scarlet)) << "the wheel redrawn with Mars's colour";
  EXPECT_FALSE(settings.WheelPointSelection[PointSaturn]);

  WithDialog<ChartEntryDialog>("actChartNew", [](ChartEntryDialog& dialog) { dialog.accept(); });
  EXPECT_EQ(window->Pair().slot[0].chart.houseSystem, Koch) << "a new chart takes the new house system";

  // The report set's file and the colour file at once; the settings file at exit.
  EXPECT_EQ(IniFile(settings.ProjectFile).ReadString("Report", "Points", "").substr(PointSaturn - 1, 1), "0");
  EXPECT_EQ(ReadPointColorFile(settings.PointColors)[PointMars], MakeColor(Scarlet.red(), Scarlet.green(), Scarlet.blue()));
  messages.answers = {Answer::No};
  ASSERT_TRUE(window->close());
  EXPECT_EQ(IniFile(folder / "registry.ini").ReadInteger("Calculations", "Houses", 0), Koch);
}

TEST_F(OptionsDialogTest, CancelKeepsNothing) {
  const ProgramSettings before = settings;
  WithDialog<OptionsDialog>("actOptionsGeneral", [](OptionsDialog& dialog) {
    dialog.findChild<QListWidget*>("houses")->setCurrentRow(Koch - 1);
    dialog.SetPointColor(PointMars, MakeColor(1, 2, 3));
    auto* points = dialog.findChild<QListWidget*>("points");
    points->setCurrentRow(PointMars - 1);
    emit points->itemDoubleClicked(points->currentItem());
    dialog.reject();
  });
  EXPECT_EQ(settings.Houses, before.Houses);
  EXPECT_EQ(settings.PointColor, before.PointColor);
  EXPECT_EQ(settings.WheelPointSelection, before.WheelPointSelection);
  EXPECT_TRUE(window->ReportSet().pointSelection[PointMars]);
}

TEST_F(OptionsDialogTest, TheVernalPointIsEditableOnlyForUserDefinedAndStyleFiveKeepsItsAlignment) {
  WithDialog<OptionsDialog>("actOptionsGeneral", [](OptionsDialog& dialog) {
    auto* zodiacs = dialog.findChild<QListWidget*>("zodiacs");
    auto* vernal = dialog.findChild<QLineEdit*>("vernalPoint");
    zodiacs->setCurrentRow(2);
    EXPECT_FALSE(vernal->isEnabled());
    zodiacs->setCurrentRow(9);
    EXPECT_TRUE(vernal->isEnabled());
    auto* styles = dialog.findChild<QListWidget*>("styles");
    styles->setCurrentRow(PageHeaders);
    EXPECT_FALSE(dialog.findChild<QAbstractButton*>("Centre")->isEnabled());
    styles->setCurrentRow(BodyText);
    auto* centre = dialog.findChild<QAbstractButton*>("Centre");
    ASSERT_TRUE(centre->isEnabled());
    centre->click();
    EXPECT_EQ(dialog.Form().values.styles[BodyText].alignment, static_cast<std::uint8_t>(TextAlignment::Centre));
  });
}

}  // namespace
}  // namespace korvana::app
