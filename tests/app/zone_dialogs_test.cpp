// The zone dialogs: the zone list behind the chart entry's "&Zone...", the list of zone
// history tables and the table editor, over the program's own data folder.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "app/chart_entry_dialog.h"
#include "app/zone_list_dialog.h"
#include "app/zone_table_edit_dialog.h"
#include "app/zone_tables_dialog.h"
#include "main_window_fixture.h"

namespace korvana::app {
namespace {

QStringList FirstColumn(QTreeWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(0);
  return texts;
}

TEST(ZoneListDialog, ShowsTheZonesInEachOrderAndKeepsTheChoice) {
  const ZoneList zones({{"NZT", "New Zealand Time", -12}, {"EST", "Eastern Time", 5}, {"IST", "Indian Time", -5.5}});
  ZoneListDialog dialog(zones, "IST", nullptr);
  auto* list = dialog.findChild<QTreeWidget*>("zones");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(FirstColumn(list), (QStringList{"Eastern Time", "Indian Time", "New Zealand Time"}));
  ASSERT_TRUE(dialog.Chosen().has_value());
  EXPECT_EQ(dialog.Chosen()->abbrev, "IST");
  struct Case {
    const char* button;
    QStringList first;
    const char* third;
  };
  const Case cases[] = {{"&Zone Time", {"-12:00", "-05:30", "+05:00"}, "Indian Time"},
                        {"&Mnemonic", {"EST", "IST", "NZT"}, "Indian Time"},
                        {"&Full Name", {"Eastern Time", "Indian Time", "New Zealand Time"}, "-05:30"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
      if (radio->text() == c.button) radio->click();
    EXPECT_EQ(FirstColumn(list), c.first);
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(2), c.third) << "the chosen zone stays chosen";
  }
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Chosen()->abbrev, "IST");
}

class ZoneButtonTest : public MainWindowTest {};

TEST_F(ZoneButtonTest, TheChartEntrysZoneButtonPutsTheChosenZoneIntoTheField) {
  ChartEntryDialog& entry = window->EntryDialog();
  entry.findChild<QLineEdit*>("zone")->setText("EST");
  bool shown = false;
  QString selectedAtFirst;
  WhenShown<ZoneListDialog>(
      [&](ZoneListDialog& dialog) {
        selectedAtFirst = QString::fromStdString(dialog.Chosen() ? dialog.Chosen()->abbrev : "");
        auto* list = dialog.findChild<QTreeWidget*>("zones");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
          if (list->topLevelItem(i)->text(1) == "IST") list->setCurrentItem(list->topLevelItem(i));
        dialog.accept();
      },
      shown);
  entry.findChild<QPushButton*>("chooseZone")->click();
  ASSERT_TRUE(shown);
  EXPECT_EQ(selectedAtFirst, "EST") << "the typed zone is selected at first";
  EXPECT_EQ(entry.findChild<QLineEdit*>("zone")->text(), "IST -5:30");
}

class ZoneTablesTest : public MainWindowTest {
 protected:
  ZoneTableFiles Files() const { return {settings.SystemPath}; }
};

TEST_F(ZoneTablesTest, ListsTheTablesAndAddsEditsAndDeletesOne) {
  ZoneTablesDialog tables(Files(), {}, 0, "TimeZone Table for Somewhere", messages);
  auto* list = tables.findChild<QListWidget*>("tables");
  ASSERT_NE(list, nullptr);
  ASSERT_GT(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "! No Table ! - #0");
  EXPECT_EQ(tables.Chosen(), 0) << "no table at first";
  const int count = list->count();

  // A new table with two entries, saved.
  ZoneTableEditDialog editor(Files(), ZoneTableEditor({}, ReadZoneCodes(Files(), ZoneTableEditor::MaxCodes)), messages);
  const auto edit = [&](const char* name) { return editor.findChild<QLineEdit*>(name); };
  edit("name")->setText("Test Table");
  ButtonByCaption(editor, "&Add Entry")->click();
  ButtonByCaption(editor, "&Add Entry")->click();
  auto* entries = editor.findChild<QListWidget*>("entries");
  ASSERT_EQ(entries->count(), 2);
  EXPECT_TRUE(entries->item(1)->text().startsWith("15 Mar 1900")) << entries->item(1)->text().toStdString();
  // The shown entry is changed from its fields when another is chosen.
  edit("date")->setText("1 Jan 1950");
  edit("zone")->setText("nowhere");
  entries->setCurrentRow(0);
  EXPECT_EQ(entries->currentRow(), 1) << "a zone not in the list keeps the entry shown";
  EXPECT_EQ(messages.messages.back().text, ZoneNotRecognisedMessage);
  edit("zone")->setText(QString::fromStdString(ReadZoneCodes(Files()).front().abbrev));
  entries->setCurrentRow(0);
  EXPECT_TRUE(entries->item(1)->text().startsWith("1 Jan 1950"));
  messages.answers = {Answer::Yes};  // the name changed: a new table
  ButtonByCaption(editor, "&Save")->click();
  ASSERT_TRUE(editor.SavedAs().has_value());
  const std::int32_t saved = *editor.SavedAs();
  EXPECT_EQ(LoadTable(Files(), saved, 10).entries.size(), 2u);
  EXPECT_EQ(LoadTable(Files(), saved, 10).header.Name, "Test Table");

  ZoneTablesDialog again(Files(), {}, saved, "", messages);
  auto* list2 = again.findChild<QListWidget*>("tables");
  EXPECT_EQ(list2->count(), count + 1);
  EXPECT_EQ(again.Chosen(), saved) << "the given table is selected";
  EXPECT_EQ(list2->currentItem()->text().toStdString(), "Test Table - #" + std::to_string(saved));
  messages.answers = {Answer::Yes};
  ButtonByCaption(again, "&Delete...")->click();
  EXPECT_EQ(list2->count(), count);
  EXPECT_THROW(LoadTable(Files(), saved, 10), ETZError);
}

}  // namespace
}  // namespace korvana::app
