// "Dynamic Options" from the main window on a set with a dynamic section: the period, the
// selections and the orbs reach the report set's file on "&Save".
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/desktop_fixture.h"
#include "app/dynamic_options_dialog.h"
#include "app/main_window.h"
#include "core/util/ini_file.h"

namespace korvana::app {
namespace {

constexpr const char* TransitSet =
    "[Report]\r\nCaption=Transits\r\nTitle=Transits\r\nBinaryFile=modern.bin\r\nAspectFile=modern.asp\r\n"
    "AlmFile=modern.alm\r\nOptionsFile=modern.opt\r\nPoints=101011111111000000011110010000000000\r\n"
    "Language=EN\r\nIncludesDynRep=1\r\nDynFile1=transits.txt\r\n"
    "DynPointsAvailable1=001000111100000000000000000000000000\r\n"
    "DynPointsSelected1=111111111111111111111111111111111111\r\n"
    "RadixPointsAvailable1=101011111111000000011110000000000000\r\n"
    "RadixPointsSelected1=111111111111111111111111111111111111\r\n"
    "DynAspectsAvailable1=1111111\r\nDynAspectsSelected1=11111111111111111111111111\r\n"
    "DynOrbEnter1=1.0\r\nDynOrbLeave1=1.0\r\n"
    "[Dynamic]\r\nDuration=1\r\nDurationUnit=0\r\nUseCurrentDateAsBase=0\r\nYear=2024\r\nMonth=3\r\nDay=1\r\n";

using DynamicOptionsTest = DesktopTest;

TEST_F(DynamicOptionsTest, SavedPeriodSelectionsAndOrbsReachTheSetFile) {
  ASSERT_FALSE(window->Action("actOptionsDynamic")->isVisible()) << "no set with dynamic reports yet";
  const std::string set = folder.Write("home/transits.swp", TransitSet);
  ASSERT_TRUE(window->UseReportSet(set));
  ASSERT_TRUE(window->Action("actOptionsDynamic")->isVisible());
  WithDialog<DynamicOptionsDialog>("actOptionsDynamic", [](DynamicOptionsDialog& dialog) {
    const auto edit = [&](const char* name) { return dialog.findChild<QLineEdit*>(name); };
    EXPECT_EQ(edit("txtDate")->text(), "1 Mar 2024");
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("chkDynGoTo")->isEnabled()) << "a specified date: no go-to";
    auto* transiting = dialog.findChild<QListWidget*>("lstDynTran");
    ASSERT_EQ(transiting->count(), 5);  // the Sun, Mars, Jupiter, Saturn, Uranus
    EXPECT_EQ(transiting->item(1)->text(), "Mars");
    transiting->setCurrentRow(1);
    emit transiting->itemDoubleClicked(transiting->currentItem());
    EXPECT_EQ(transiting->item(1)->text(), "(Mars)");
    edit("txtDuration")->setText("2");
    emit edit("txtDuration")->textEdited("2");
    edit("edtDynOrbEnter")->setText("5");
    emit edit("edtDynOrbEnter")->editingFinished();
    EXPECT_EQ(edit("edtDynOrbEnter")->text(), QString::fromUtf8("3°00'"));
    dialog.findChild<QCheckBox*>("chkTimeLines")->setChecked(false);
    dialog.findChild<QPushButton*>("save")->click();
  });
  EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
  const IniFile written(set);
  EXPECT_EQ(written.ReadString("Report", "DynPointsSelected1", ""), "111111011111111111111111111111111111");
  EXPECT_EQ(written.ReadString("Report", "DynOrbEnter1", ""), "3.0");
  EXPECT_EQ(written.ReadInteger("Dynamic", "Duration", 0), 2);
  EXPECT_EQ(written.ReadInteger("Dynamic", "Year", 0), 2024);
  EXPECT_FALSE(settings.ShowTimeLineDiagrams);
}

}  // namespace
}  // namespace korvana::app
