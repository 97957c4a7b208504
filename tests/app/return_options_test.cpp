// The return and composite options from the main window: a return set's natal chart, its
// return cast through "Return Options" and the report written for both.
#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <regex>

#include "app/composite_options_dialog.h"
#include "app/desktop_fixture.h"
#include "app/main_window.h"
#include "app/return_options_dialog.h"
#include "core/charts/chart_reference.h"
#include "core/util/files.h"

namespace korvana::app {
namespace {

// The shipped modern report's text and tables under the flags of a solar or composite set.
std::string TestSet(const char* caption, const char* flags) {
  return std::string("[Report]\r\nCaption=") + caption + "\r\nTitle=" + caption +
         "\r\nBinaryFile=modern.bin\r\nSourceFile=modern.txt\r\nAspectFile=modern.asp\r\nAlmFile=modern.alm\r\n"
         "OptionsFile=modern.opt\r\nParaTitles=0\r\nPoints=101011111111000000011110010000000000\r\n"
         "GetQuesitedHouse=0\r\nGetChartGender=0\r\nFrontPageStyle=1\r\nLanguage=EN\r\n" +
         flags;
}

class ReturnOptionsTest : public DesktopTest {
 protected:
  StoredChart SampleChart(int n) { return ReadChartReference("main.cht:" + std::to_string(n), settings); }
};

TEST_F(ReturnOptionsTest, ASolarReturnCastForARelocatedPlaceIsWrittenAsAReport) {
  const std::string set = folder.Write("home/solar.swp", TestSet("Solar Return Report", "IncludesSolRetRep=1\r\n"));
  ASSERT_TRUE(window->UseReportSet(set));
  EXPECT_TRUE(window->Action("actOptionsSolReturn")->isVisible());
  EXPECT_FALSE(window->Action("actOptionsComposite")->isVisible());
  ASSERT_TRUE(window->PlaceCharts({SampleChart(1)}));
  EXPECT_FALSE(Enabled("actReportView")) << "no return cast yet";

  settings.UseACSAtlas = true;
  WithDialog<ReturnOptionsDialog>("actOptionsSolReturn", [](ReturnOptionsDialog& dialog) {
    const auto field = [&](const char* name) { return dialog.findChild<QLineEdit*>(name); };
    EXPECT_TRUE(field("place")->isReadOnly()) << "the natal place is not typed";
    field("date")->setText("20 Jul 2020");
    dialog.findChild<QRadioButton*>("relocated")->setChecked(true);
    dialog.findChild<QRadioButton*>("natal")->setChecked(true);
    EXPECT_EQ(field("zone")->text(), "CEST -2:00") << "Ulm's clock on the typed date, not the birth's";
    EXPECT_EQ(dialog.findChild<QComboBox*>("which")->currentText(), "Nearest");
    field("date")->setText("20 Mar 2020");
    dialog.findChild<QRadioButton*>("relocated")->setChecked(true);
    EXPECT_FALSE(field("place")->isReadOnly());
    field("place")->setText("Zurich");
    field("country")->setText("Switzerland");
    dialog.LookUp();
    EXPECT_EQ(field("zone")->text(), "CET -1:00");
    dialog.accept();
  });
  ASSERT_TRUE(messages.messages.empty()) << messages.messages[0].text;
  ASSERT_TRUE(window->Pair().returnInPair);
  const ChartRecord& cast = window->Pair().slot[1].chart.chart;
  EXPECT_EQ(cast.ChartType, 4);
  EXPECT_EQ(cast.ChartSubType, 5);
  EXPECT_EQ(cast.Moment.Year, 2020);
  EXPECT_EQ(cast.Moment.Month, 3);
  EXPECT_EQ(cast.Moment.Day, 13) << "the Sun returned on 13 March 2020";
  EXPECT_TRUE(Enabled("actReportView"));

  const auto report = window->GenerateReport();
  ASSERT_TRUE(report.has_value()) << (messages.messages.empty() ? "" : messages.messages[0].text);
  const std::string rtf = ReadFileBytes(*report).value_or("");
  const std::regex line("Solar Return:   13 Mar 2020 [2-5]:[0-9][0-9](:[0-9][0-9])? pm CET -1:00 Z.rich, Switzerland");
  EXPECT_TRUE(std::regex_search(rtf, line)) << rtf.substr(std::min(rtf.size(), rtf.find("Solar Return:")), 120);
  EXPECT_NE(rtf.find("Albert Einstein"), std::string::npos);
}

TEST_F(ReturnOptionsTest, ACancelledOrFailedReturnLeavesThePairAsItWas) {
  const std::string set = folder.Write("home/solar.swp", TestSet("Solar Return Report", "IncludesSolRetRep=1\r\n"));
  ASSERT_TRUE(window->UseReportSet(set));
  ASSERT_TRUE(window->PlaceCharts({SampleChart(1)}));
  WithDialog<ReturnOptionsDialog>("actOptionsSolReturn", [](ReturnOptionsDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(window->Pair().returnInPair);
  WithDialog<ReturnOptionsDialog>("actOptionsSolReturn", [this](ReturnOptionsDialog& dialog) {
    dialog.findChild<QLineEdit*>("date")->setText("not a date");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << "a date that does not parse keeps the dialog open";
    EXPECT_FALSE(messages.messages.empty());
  });
  EXPECT_FALSE(window->Pair().returnInPair);
  EXPECT_TRUE(window->Pair().SameChart());
}

TEST_F(ReturnOptionsTest, AnotherSetGetsTheNatalChartBackInPlaceOfTheReturn) {
  const std::string set = folder.Write("home/solar.swp", TestSet("Solar Return Report", "IncludesSolRetRep=1\r\n"));
  ASSERT_TRUE(window->UseReportSet(set));
  ASSERT_TRUE(window->PlaceCharts({SampleChart(1)}));
  WithDialog<ReturnOptionsDialog>("actOptionsSolReturn", [](ReturnOptionsDialog& dialog) {
    dialog.findChild<QLineEdit*>("date")->setText("20 Mar 2020");
    dialog.findChild<QComboBox*>("which")->setCurrentIndex(2);  // "Next"
    dialog.accept();
  });
  ASSERT_TRUE(window->Pair().returnInPair);
  EXPECT_EQ(window->Pair().slot[1].chart.chart.Moment.Year, 2021) << "the 2020 return (13 March) came before";
  ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  EXPECT_FALSE(window->Pair().returnInPair);
  EXPECT_TRUE(window->Pair().SameChart()) << "the natal chart in both slots again";
  EXPECT_EQ(window->Pair().slot[0].chart.chart.Name, SampleChart(1).chart.Name);
}

TEST_F(ReturnOptionsTest, CompositeOptionsWriteTheMethodAndAnchorSettings) {
  const std::string set = folder.Write("home/composite.swp", TestSet("Composite Report", "Composite=1\r\n"));
  ASSERT_TRUE(window->UseReportSet(set));
  EXPECT_TRUE(window->Action("actOptionsComposite")->isVisible());
  EXPECT_FALSE(window->Action("actOptionsSolReturn")->isVisible());
  settings.CompositeChartMethod = 2;
  settings.CompositeMPBaseHouse = 0;
  WithDialog<CompositeOptionsDialog>("actOptionsComposite", [](CompositeOptionsDialog& dialog) {
    const auto buttons = dialog.findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 5);
    EXPECT_TRUE(buttons[0]->isChecked());
    buttons[1]->setChecked(true);  // "Davison Relationship"
    buttons[4]->setChecked(true);  // "Anchor on 10th House"
    dialog.accept();
  });
  EXPECT_EQ(settings.CompositeChartMethod, 15);
  EXPECT_EQ(settings.CompositeMPBaseHouse, 10);
}

}  // namespace
}  // namespace korvana::app
