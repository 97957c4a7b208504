// The place database and the atlas's place browser, each on its own and as the chart
// entry's "&Place..." opens it.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "app/atlas_dialog.h"
#include "app/chart_entry_dialog.h"
#include "app/place_database_dialog.h"
#include "core/charts/place_file.h"
#include "main_window_fixture.h"
#include "support/date_time_fixture.h"

namespace korvana::app {
namespace {

class PlaceDialogsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    settings.Places = folder.Write("mine.plc", EncodePlaceFile({{"Sydney", "NSW", "AEST -10:00", "33S52", "151E13", 0},
                                                                 {"Adelaide", "SA", "ACST -9:30", "34S56", "138E36", 301},
                                                                 {"Broome", "WA", "AWST -8:00", "17S58", "122E14", 0}}));
  }
  ZoneTableFiles Tables() const { return {settings.SystemPath}; }
};

TEST_F(PlaceDialogsTest, ThePlaceDatabaseListsFindsShowsAndAddsPlaces) {
  PlaceDatabaseDialog dialog(settings, nullptr, Tables(), messages);
  auto* list = dialog.findChild<QTreeWidget*>("places");
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "Adelaide");
  EXPECT_EQ(list->topLevelItem(0)->text(2), "#2");
  EXPECT_TRUE(dialog.findChild<QLabel*>("status")->text().startsWith("Places: 3"));

  ASSERT_TRUE(dialog.FindAndSelect("bro"));
  EXPECT_EQ(dialog.findChild<QLineEdit*>("place")->text(), "Broome");
  EXPECT_EQ(dialog.findChild<QLineEdit*>("latitude")->text(), "17S58");
  ASSERT_TRUE(dialog.FindAndSelect("Adel"));
  EXPECT_EQ(dialog.findChild<QLabel*>("table")->text(), "Uses Table #301");

  dialog.findChild<QCheckBox*>("countryFirst")->click();
  EXPECT_EQ(list->topLevelItem(0)->text(0), "NSW");
  EXPECT_EQ(list->currentItem()->text(1), "Adelaide") << "the chosen place stays chosen";

  dialog.findChild<QLineEdit*>("place")->setText("Hobart");
  dialog.findChild<QLineEdit*>("country")->setText("TAS");
  ButtonByCaption(dialog, "Add as &New")->click();
  EXPECT_EQ(list->topLevelItemCount(), 4);
  EXPECT_EQ(list->currentItem()->text(1), "Hobart");
  EXPECT_EQ(ReadPlaceFile(settings.Places).back().Place, "Hobart");
  EXPECT_EQ(ReadPlaceFile(settings.Places).back().ZoneTable, 301) << "the shown table goes with the details";

  ButtonByCaption(dialog, "Clea&r")->click();
  ButtonByCaption(dialog, "Add as &New")->click();
  EXPECT_EQ(messages.messages.back().text, "Place name must not be blank.");
  dialog.accept();
  ASSERT_TRUE(dialog.Chosen().has_value());
  EXPECT_EQ(dialog.Chosen()->Place, "Hobart");
}

TEST_F(PlaceDialogsTest, TheChartEntrysPlaceButtonTakesThePlaceWithTheZoneOfItsTable) {
  settings.UseACSAtlas = false;
  ChartEntryDialog& entry = window->EntryDialog();
  const auto field = [&](const char* name) { return entry.findChild<QLineEdit*>(name); };
  field("date")->setText("1 Jan 1980");
  field("time")->setText("12:00");
  field("place")->setText("Adel");
  bool shown = false;
  QString selectedAtFirst;
  WhenShown<PlaceDatabaseDialog>(
      [&](PlaceDatabaseDialog& dialog) {
        selectedAtFirst = dialog.findChild<QLineEdit*>("place")->text();
        dialog.accept();
      },
      shown);
  entry.findChild<QPushButton*>("choosePlace")->click();
  ASSERT_TRUE(shown);
  EXPECT_EQ(selectedAtFirst, "Adelaide") << "the typed place is found in the list";
  EXPECT_EQ(field("place")->text(), "Adelaide");
  EXPECT_EQ(field("country")->text(), "SA");
  EXPECT_EQ(field("latitude")->text(), "34S56");
  EXPECT_EQ(field("zone")->text(), "ACDT -10:30") << "summer time in force on 1 January 1980";
}

TEST_F(PlaceDialogsTest, ALookupThatFindsNothingOpensThePlaceDatabase) {
  settings.UseACSAtlas = false;
  ChartEntryDialog& entry = window->EntryDialog();
  entry.findChild<QLineEdit*>("place")->setText("Nowhere");
  entry.findChild<QLineEdit*>("country")->setText("SA");
  bool shown = false;
  WhenShown<PlaceDatabaseDialog>([&](PlaceDatabaseDialog& dialog) { dialog.reject(); }, shown);
  entry.LookUp();
  EXPECT_TRUE(shown);
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.front().text, "The place name Nowhere was not found in any place file.");
  EXPECT_EQ(entry.findChild<QLineEdit*>("place")->text(), "Nowhere") << "cancelled: the typed place stays";
}

TEST_F(PlaceDialogsTest, TheAtlasBrowserStartsOnTheTypedPlaceAndShowsItsClockChanges) {
  const Atlas atlas(settings.SystemPath + std::string(Atlas::FileName));
  AtlasDialog dialog(atlas, "adelaide", "SA", testing::Rec(1980, 1, 1, 12, 0), settings, messages);
  auto* countries = dialog.findChild<QListWidget*>("countries");
  ASSERT_NE(countries->currentItem(), nullptr);
  EXPECT_EQ(countries->currentItem()->text(), "Australia") << "SA browses Australia";
  auto* places = dialog.findChild<QListWidget*>("places");
  ASSERT_NE(places->currentItem(), nullptr);
  EXPECT_TRUE(places->currentItem()->text().startsWith("Adelaide")) << places->currentItem()->text().toStdString();
  const QString details = dialog.findChild<QLabel*>("details")->text();
  EXPECT_TRUE(details.contains("Australia/Adelaide")) << details.toStdString();
  EXPECT_TRUE(details.contains("ACDT -10:30")) << details.toStdString();
  auto* changes = dialog.findChild<QTreeWidget*>("changes");
  ASSERT_GT(changes->topLevelItemCount(), 10);
  EXPECT_EQ(changes->topLevelItem(0)->text(3), "Standard") << "the adoption of standard time comes first";

  auto* states = dialog.findChild<QComboBox*>("states");
  ASSERT_GT(states->count(), 1);
  const int before = places->count();
  dialog.ChooseState("");
  EXPECT_EQ(places->count(), before);
  EXPECT_TRUE(dialog.ChooseCountry("DE"));
  EXPECT_EQ(countries->currentItem()->text(), "Germany");
  ASSERT_TRUE(dialog.ChoosePlace("Ulm"));
  dialog.accept();
  ASSERT_TRUE(dialog.Chosen().has_value());
  EXPECT_EQ(dialog.Chosen()->name, "Ulm");
  EXPECT_EQ(dialog.Chosen()->zone, "Europe/Berlin");
}

TEST_F(PlaceDialogsTest, TheChartEntrysPlaceButtonWithTheAtlasFillsTheChosenPlace) {
  settings.UseACSAtlas = true;
  ChartEntryDialog& entry = window->EntryDialog();
  const auto field = [&](const char* name) { return entry.findChild<QLineEdit*>(name); };
  field("date")->setText("14 Mar 1879");
  field("time")->setText("11:30");
  field("place")->setText("Ulm");
  field("country")->setText("Germany");
  bool shown = false;
  WhenShown<AtlasDialog>([&](AtlasDialog& dialog) { dialog.accept(); }, shown);
  entry.findChild<QPushButton*>("choosePlace")->click();
  ASSERT_TRUE(shown);
  EXPECT_EQ(field("place")->text(), "Ulm");
  EXPECT_EQ(field("zone")->text(), "LMT -0:39:58");
}

}  // namespace
}  // namespace korvana::app
