#include "core/reports/composer/statement_eval.h"

namespace korvana {

// Statements that steer the report rather than test the chart: sections, explanations,
// the introduction, the chart later statements read, graphics, report options and the
// text check.
bool ReportComposer::Eval::ChartsAndOptions() {
  bool& t = result.truth;
  string& title = result.title;
  const StatementCode code = st.Statement();
  switch (code) {
    case StatementCode::Section:
      t = true;
      title = "Section Header";
      return true;
    case StatementCode::Explanation:
      t = c.inputs.showExplanations;
      return true;
    case StatementCode::Introduction:
      t = true;
      return true;
    case StatementCode::Chart: {
      c.selectedChart_ = x;
      if (x >= 1) {
        std::size_t k = static_cast<std::size_t>(x - 1);
        title = (k < c.inputs.ownerNames.size() ? c.inputs.ownerNames[k] : string()) + "'" + "s Chart";
      }
      return true;
    }
    case StatementCode::Graphic:
      t = true;
      title = "Graphic - Width: " + std::to_string(x);
      return true;
    case StatementCode::Option:
      t = c.inputs.chosenOption >= 1 && c.inputs.chosenOption <= 32 &&
          ((static_cast<std::uint32_t>(X(0)) >> (c.inputs.chosenOption - 1)) & 1u) != 0;
      return true;
    case StatementCode::NoTextSinceCheckForText:
      t = c.textCounter == 0;
      return true;
    default:
      return false;
  }
}

}  // namespace korvana
