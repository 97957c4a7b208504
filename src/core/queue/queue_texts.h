// The texts the main window shows about the print queue, and what its answers mean.
#pragma once

#include <string>

#include "core/util/messages.h"

namespace korvana {

inline constexpr const char* AddToQueueFailedMessage = "Error: Unable to add report to queue.";

// The status bar's panel: "Reports in Queue: " + count.
std::string ReportsInQueueText(int count);

// "Clear Queue": asked (OK/Cancel) only when the queue holds reports.
std::string ClearQueueQuestion(int count);

// Asked (Yes/No/Cancel) when the program closes with reports in the queue.
std::string ExitQueueQuestion(int count);

// What closing does after the exit question.
enum class ExitQueueChoice { KeepAndExit, ClearAndExit, Stay };
ExitQueueChoice ExitQueueChoiceOf(Answer answer);

}  // namespace korvana
