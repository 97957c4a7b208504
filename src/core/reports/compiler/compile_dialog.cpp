#include "core/reports/compiler/compile_dialog.h"

#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {

void CompileDialogModel::Show() {
  sourceField_ = ToLowerAscii(report_.sourceFile);
  destField_ = ToLowerAscii(report_.compiledFile);
}

void CompileDialogModel::SourceBrowsed(const std::string& chosen) {
  sourceField_ = chosen;
  report_.sourceFile = chosen;
}

void CompileDialogModel::DestBrowsed(const std::string& chosen) {
  destField_ = chosen;
  report_.compiledFile = chosen;
}

std::optional<CompileDialogModel::EditRequest> CompileDialogModel::EditText(Messages& messages) {
  report_.sourceFile = sourceField_;
  std::optional<std::string> file = FindPathNoCase(sourceField_);
  if (!file || FolderExists(*file)) {
    messages.Warning("The file " + sourceField_ + " was not found.");
    return std::nullopt;
  }
  return EditRequest{*file, FolderOf(*file)};
}

CompileResult CompileDialogModel::Compile(Messages& messages) {
  CompileInputs inputs;
  inputs.options = report_.options;
  inputs.starNames = report_.starNames;
  CompileResult result = CompileReportText(sourceField_, destField_, messageList_, messages, inputs);
  // Later runs read the file under the spelling it has on disk.
  report_.compiledFile = result.written ? result.compiledFile : destField_;
  return result;
}

}  // namespace korvana
