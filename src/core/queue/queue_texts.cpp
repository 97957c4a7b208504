#include "core/queue/queue_texts.h"

namespace korvana {

std::string ReportsInQueueText(int count) { return "Reports in Queue: " + std::to_string(count); }

std::string ClearQueueQuestion(int count) {
  return ReportsInQueueText(count) + "\r\n\r\nAre you sure you wish to clear them?";
}

std::string ExitQueueQuestion(int count) {
  return "The report queue contains " + std::to_string(count) + " unprinted reports.\r\n\r\n" +
         "Do you wish to retain the queue for you next session?\r\n\r\n" +
         "Choose YES to retain the queue and exit.\r\n" + "Choose NO to clear the queue and exit.\r\n" +
         "Choose CANCEL to return to the program.";
}

ExitQueueChoice ExitQueueChoiceOf(Answer answer) {
  switch (answer) {
    case Answer::Yes:
    case Answer::Ok: return ExitQueueChoice::KeepAndExit;
    case Answer::No: return ExitQueueChoice::ClearAndExit;
    case Answer::Cancel: break;
  }
  return ExitQueueChoice::Stay;
}

}  // namespace korvana
