// "Chart Search": the search runs a file at a time while the dialog shows its progress,
// and stops when cancelled.
#include "app/chart_search_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "core/config/program_settings.h"
#include "support/generated_chart_files.h"
#include "support/temp_folder.h"

namespace korvana::app {
namespace {

using testing::TempFolder;

struct SearchView {
  explicit SearchView(ChartSearchDialog& dialog)
      : progress(dialog.findChild<QProgressBar*>("progress")),
        status(dialog.findChild<QLabel*>("status")),
        list(dialog.findChild<QTreeWidget*>("matches")),
        cancel(dialog.findChild<QPushButton*>("cancel")) {}
  QProgressBar* progress;
  QLabel* status;
  QTreeWidget* list;
  QPushButton* cancel;
};

// A hundred files of a thousand charts: the progress bar moves file by file, and a
// click on "Cancel" between two files stops the search there.
TEST(ChartSearchDialog, ProgressMovesAndCancelStopsTheSearchEarly) {
  TempFolder folder;
  testing::WriteChartFiles(folder, "charts/", 100, 1000);
  ProgramSettings settings;
  ChartSearchDialog dialog({folder / "charts/"}, "*7*", settings);
  const SearchView view(dialog);
  std::vector<int> progress;
  QObject::connect(&dialog, &ChartSearchDialog::Stepped, [&] {
    progress.push_back(view.progress->value());
    EXPECT_EQ(view.progress->maximum(), 100);
    if (progress.size() == 5) QTimer::singleShot(0, view.cancel, &QPushButton::click);
  });
  dialog.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Search().Finished(); }, 60000));
  QTest::qWait(10);
  EXPECT_TRUE(dialog.Search().Stopped());
  EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(dialog.Search().FilesSearched(), 5u) << "the click was handled before the next file";
  const std::size_t found = dialog.Search().Matches().size();
  EXPECT_GT(found, 0u);
  EXPECT_EQ(static_cast<std::size_t>(view.list->topLevelItemCount()), found);
  EXPECT_EQ(view.status->text().toStdString(), "Cancelled - Matching Charts Found: " + std::to_string(found));
  EXPECT_EQ(view.progress->value(), 0) << "the bar returns to its start";
  EXPECT_TRUE(dialog.isVisible()) << "cancelling a running search keeps the results shown";
}

TEST(ChartSearchDialog, AFinishedSearchSelectsTheChosenChart) {
  TempFolder folder;
  testing::WriteChartFiles(folder, "a/", 2, 12);
  testing::WriteChartFiles(folder, "b/", 1, 12);
  ProgramSettings settings;
  ChartSearchDialog dialog({folder / "a/", folder / "b/"}, "*1 1?", settings);
  const SearchView view(dialog);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.status->text().startsWith("Finished"); }, 10000));
  EXPECT_EQ(view.status->text(), "Finished - Matching Charts Found: 6") << "Chart1 10..12 in a/file1.cht and b/file1.cht";
  auto* select = dialog.findChild<QPushButton*>("select");
  EXPECT_FALSE(select->isEnabled()) << "nothing selected yet";
  QTreeWidgetItem* last = view.list->topLevelItem(view.list->topLevelItemCount() - 1);
  view.list->setCurrentItem(last);
  EXPECT_TRUE(select->isEnabled());
  select->click();
  ASSERT_TRUE(dialog.Chosen().has_value());
  EXPECT_EQ(dialog.Chosen()->Folder, folder / "b/");
  EXPECT_EQ(dialog.Chosen()->FileName, "file1.cht");
  EXPECT_EQ(dialog.Chosen()->ChartName, "Chart1 12");
  EXPECT_EQ(dialog.Chosen()->Index, 12);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace korvana::app
