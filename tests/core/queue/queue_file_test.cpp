#include "core/queue/queue_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/queue/queue_add.h"
#include "core/reports/job/preset_questions.h"
#include "queue_test_fixture.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::QueueChart;
using testing::QueueSet;

class QueueFile : public ::testing::Test {
 protected:
  std::string Add(const std::string& name, const std::string& setFile = "/r/Natal.swp") {
    EXPECT_TRUE(queue.Add(MakeQueueEntry({QueueChart(name)}, QueueSet(setFile, "Natal"), 1)));
    return name;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const QueueEntry& e : queue.ReadAll().entries) names.push_back(EntryDisplayName(e));
    return names;
  }
  std::uintmax_t Size() const { return std::filesystem::file_size(queue.File()); }

  testing::TempFolder folder;
  PrintQueue queue{folder / QueueFileName};
};

TEST_F(QueueFile, AddsReadsRewritesAndClears) {
  EXPECT_EQ(queue.Count(), 0);
  EXPECT_TRUE(queue.ReadAll().entries.empty());
  Add("Ann");
  Add("Bob");
  EXPECT_EQ(queue.Count(), 2);
  EXPECT_EQ(Size(), 2 * QueueRecordSize);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Bob"}));

  QueueEntry second = *queue.Read(2);
  second.status = QueueStatus::Printed;
  ASSERT_TRUE(queue.Write(2, second));
  EXPECT_EQ(queue.Read(2)->status, QueueStatus::Printed);
  EXPECT_EQ(queue.Read(1)->status, QueueStatus::Queued);

  // Records outside the file are neither read nor written.
  EXPECT_FALSE(queue.Read(0));
  EXPECT_FALSE(queue.Read(3));
  EXPECT_FALSE(queue.Write(3, second));
  EXPECT_EQ(queue.Count(), 2);

  EXPECT_TRUE(queue.Clear());
  EXPECT_FALSE(std::filesystem::exists(queue.File()));
  EXPECT_EQ(queue.Count(), 0);
}

TEST_F(QueueFile, TruncatedFileCountsWholeRecordsAndNextAdditionFollowsThem) {
  Add("Ann");
  Add("Bob");
  std::filesystem::resize_file(queue.File(), QueueRecordSize + 100);  // another program cut it

  const QueueContents contents = queue.ReadAll();
  EXPECT_EQ(contents.entries.size(), 1u);
  EXPECT_EQ(contents.droppedBytes, 100u);
  EXPECT_EQ(queue.Count(), 1);
  EXPECT_FALSE(queue.Read(2));

  Add("Cid");
  EXPECT_EQ(Size(), 2 * QueueRecordSize) << "the cut-off bytes are replaced, not kept";
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Cid"}));
  EXPECT_EQ(queue.ReadAll().droppedBytes, 0u);
}

TEST_F(QueueFile, AFileShorterThanOneRecordIsAnEmptyQueue) {
  folder.Write(QueueFileName, std::string(500, 'x'));
  EXPECT_EQ(queue.Count(), 0);
  EXPECT_EQ(queue.ReadAll().droppedBytes, 500u);
  Add("Ann");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann"}));
}

TEST_F(QueueFile, AQueuePathThatIsNoFileFailsWithoutWriting) {
  std::filesystem::create_directory(queue.File());
  EXPECT_EQ(queue.Count(), 0);
  EXPECT_FALSE(queue.ReadAll().readable);
  EXPECT_FALSE(queue.Add(MakeQueueEntry({QueueChart("Bob")}, QueueSet("/r/n.swp", "N"), 1)));
  EXPECT_FALSE(queue.Write(1, MakeQueueEntry({QueueChart("Bob")}, QueueSet("/r/n.swp", "N"), 1)));
  EXPECT_TRUE(std::filesystem::is_empty(queue.File()));
}

// Answers the quesited house and declines or accepts the personal details.
struct Answers : PresetReportQuestions {
  bool accept = true;
  bool female = false;
  bool AskPersonalDetails(PersonalDetailsForm& form) override {
    for (PersonalDetailsEntry& e : form.entries) e.female = female;
    return accept;
  }
};

TEST_F(QueueFile, AddingAsksTheSetsQuestionsAndKeepsTheAnswers) {
  TKVReport horary = QueueSet("/r/Horary.swp", "Horary");
  horary.askQuesitedHouse = true;
  horary.askChartGender = true;
  Answers answers;
  answers.quesited = "7";
  answers.female = true;
  ASSERT_EQ(AddToQueue(queue, {QueueChart("Ann")}, horary, answers).outcome, QueueAddOutcome::Added);
  const QueueEntry entry = *queue.Read(1);
  EXPECT_EQ(entry.quesitedHouse, 7);
  ProgramSettings settings;
  EXPECT_EQ(FirstChartOf(entry, settings).chart.EventKind, EventFemale);

  // A cancelled question queues nothing and is no failure.
  answers.accept = false;
  EXPECT_EQ(AddToQueue(queue, {QueueChart("Bob")}, horary, answers).outcome, QueueAddOutcome::Declined);
  answers.accept = true;
  answers.quesited = "x";
  EXPECT_EQ(AddToQueue(queue, {QueueChart("Bob")}, horary, answers).outcome, QueueAddOutcome::Declined);
  EXPECT_EQ(queue.Count(), 1);

  // A set path too long for the record fails and says why.
  const QueueAddResult tooLong = AddToQueue(queue, {QueueChart("Bob")}, QueueSet("/" + std::string(300, 'p'), "N"), answers);
  EXPECT_EQ(tooLong.outcome, QueueAddOutcome::Failed);
  EXPECT_NE(tooLong.detail.find("too long"), std::string::npos);
  EXPECT_EQ(queue.Count(), 1);
}

}  // namespace
}  // namespace korvana
