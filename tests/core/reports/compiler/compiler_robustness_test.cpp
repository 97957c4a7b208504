// Generated sources of every line kind, and garbage: the compiler never crashes, and what
// it writes is always a sound compiled file whose links the safe reader accepts.
#include <gtest/gtest.h>

#include <random>

#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/compiler/compiler.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TEST(CompilerRobustnessTest, GeneratedSourcesCompileToSoundFiles) {
  const char* const lines[] = {
      "*Section 1", "*Section 2", "*Section 0", "*Sun in Aries", "+Moon 7th", "++Mars not Retrograde",
      "+++Venus Trine Jupiter", "*Asteroid 7", "Eros rules here", "*Eros Conjunct Sun", "", "", "\\par",
      "; comment", "{\\rtf1}", "plain text line", "  indented text", "#include part.txt", "#", "+Complexional",
  };
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  folder.Write("part.txt", "*Saturn Leo\nfrom the part\n\n");
  std::mt19937 random(20261210);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(lines) - 1);
  int written = 0;
  for (int round = 0; round < 60; ++round) {
    std::string source = "*Asteroid 7\nEros rules here\n*Sun\n";  // Eros is a point from here on
    int count = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) source += std::string(lines[pick(random)]) + (random() % 7 ? "\n" : "\r\n");
    folder.Write("report.txt", source);
    std::vector<std::string> list;
    CompileResult result = CompileReportText(folder / "report.txt", folder / "report.bin", list, messages);
    ASSERT_FALSE(result.errors) << source;
    ASSERT_TRUE(result.written);
    ++written;
    CompiledReportReader reader(folder.Read("report.bin"), false);
    EXPECT_FALSE(reader.Damaged()) << (reader.Damaged() ? reader.Problems()[0] : "") << "\n" << source;
    EXPECT_EQ(reader.Records().size(), result.records);
    CompiledReportReader index(folder.Read("report.ind"), true);
    EXPECT_FALSE(index.Damaged());
    for (const PlacedRecord& entry : index.Records()) {
      const PlacedRecord* section = reader.At(static_cast<std::size_t>(entry.record.link));
      ASSERT_NE(section, nullptr);
      EXPECT_TRUE(section->record.IsSection());
      EXPECT_EQ(section->record.text, entry.record.text);
    }
  }
  EXPECT_EQ(written, 60);
}

TEST(CompilerRobustnessTest, GarbageSourcesEndInMessages) {
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  std::mt19937 random(7);
  folder.Write("report.bin", "previous");
  for (int round = 0; round < 40; ++round) {
    std::string source(1 + random() % 4000, '\0');
    for (char& c : source) c = static_cast<char>(random() % 256);
    if (round % 2) source.erase(std::remove(source.begin(), source.end(), '\0'), source.end());
    source.insert(0, "*Sun\n");
    folder.Write("report.txt", source);
    std::vector<std::string> list;
    CompileResult result = CompileReportText(folder / "report.txt", folder / "report.bin", list, messages);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.back(), "*** Finished ***");
    if (result.written) {
      CompiledReportReader reader(folder.Read("report.bin"), false);
      EXPECT_FALSE(reader.Damaged());
    } else {
      EXPECT_TRUE(result.errors);
    }
  }
}

}  // namespace
}  // namespace korvana
