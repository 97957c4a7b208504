#include "core/reports/compiler/compile_dialog.h"

#include <gtest/gtest.h>

#include "core/reports/reportset/compiled_record.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

class CompileDialogModelTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  TKVReport report;
  CompileDialogModel dialog{report};
};

TEST_F(CompileDialogModelTest, ShowsTheCurrentFilesInLowerCase) {
  report.sourceFile = "/Data/Source/Modern.TXT";
  report.compiledFile = "/Data/Compiled/Modern.BIN";
  dialog.Show();
  EXPECT_EQ(dialog.SourceField(), "/data/source/modern.txt");
  EXPECT_EQ(dialog.DestField(), "/data/compiled/modern.bin");
  EXPECT_EQ(report.sourceFile, "/Data/Source/Modern.TXT");  // showing changes nothing
}

TEST_F(CompileDialogModelTest, BrowsingChangesTheCurrentFiles) {
  dialog.SourceBrowsed("/a/Other.txt");
  dialog.DestBrowsed("/b/Other.bin");
  EXPECT_EQ(dialog.SourceField(), "/a/Other.txt");
  EXPECT_EQ(report.sourceFile, "/a/Other.txt");
  EXPECT_EQ(dialog.DestField(), "/b/Other.bin");
  EXPECT_EQ(report.compiledFile, "/b/Other.bin");
}

TEST_F(CompileDialogModelTest, EditTextFindsTheSourceInAnyCaseOrWarns) {
  std::string real = folder.Write("Src/Modern.TXT", "*Sun\n");
  dialog.SetSourceField(folder.Path() + "src/modern.txt");
  auto request = dialog.EditText(messages);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->file, real);
  EXPECT_EQ(request->folder, folder.Path() + "Src/");
  EXPECT_EQ(report.sourceFile, folder.Path() + "src/modern.txt");
  EXPECT_TRUE(messages.Empty());

  dialog.SetSourceField(folder / "missing.txt");
  EXPECT_FALSE(dialog.EditText(messages).has_value());
  EXPECT_EQ(messages.Only(), "The file " + folder / "missing.txt" + " was not found.");
  EXPECT_EQ(messages.messages[0].kind, MessageKind::Warning);
}

TEST_F(CompileDialogModelTest, CompileUsesTheFieldsAndTheReportOptions) {
  folder.Write("Modern.txt", "*Option love\n*Section 1\nTitle\n");
  std::string existing = folder.Write("Modern.bin", "old");
  report.sourceFile = folder / "Modern.txt";
  report.compiledFile = folder / "Modern.bin";
  report.options = {"work=Work", "love=Love"};
  dialog.Show();
  CompileResult result = dialog.Compile(messages);
  EXPECT_TRUE(result.written);
  EXPECT_EQ(dialog.MessageList().back(), "*** Finished ***");
  EXPECT_EQ(report.compiledFile, existing);  // the spelling on disk
  auto records = ReadCompiledRecords(folder.Read("Modern.bin"), false);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].record.params[0], 2);

  dialog.SetSourceField(folder / "none.txt");
  dialog.SetDestField(folder / "new.bin");
  EXPECT_FALSE(dialog.Compile(messages).written);
  EXPECT_EQ(report.compiledFile, folder / "new.bin");
  EXPECT_TRUE(IsErrorMessageLine(dialog.MessageList()[1]));
}

}  // namespace
}  // namespace korvana
