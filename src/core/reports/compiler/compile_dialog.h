// What the "Text Compiler" dialog does, without the window: its two file fields, the
// current source and compiled files they are taken from and given back to, the edit
// request and the compilation with its message list. The GUI binds its controls to this.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/reports/compiler/compiler.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/messages.h"

namespace korvana {

class CompileDialogModel {
 public:
  // The report definition holds the current source and compiled files (set when a report
  // set is loaded) and the options and star names the compilation uses.
  explicit CompileDialogModel(TKVReport& report) : report_(report) {}

  // On showing: the fields hold the current source and compiled files in lower case.
  void Show();

  const std::string& SourceField() const { return sourceField_; }
  const std::string& DestField() const { return destField_; }
  void SetSourceField(std::string text) { sourceField_ = std::move(text); }
  void SetDestField(std::string text) { destField_ = std::move(text); }

  // "&Browse...": the chosen file goes into the field and becomes the current file.
  void SourceBrowsed(const std::string& chosen);
  void DestBrowsed(const std::string& chosen);

  // "&Edit Text...": the source field becomes the current source file. When the file
  // exists (in any letter case) the file to open and its folder are returned; otherwise
  // "The file " + name + " was not found." is shown as a warning.
  struct EditRequest {
    std::string file;
    std::string folder;
  };
  std::optional<EditRequest> EditText(Messages& messages);

  // "&Compile": compiles the source field into the dest field, which becomes the current
  // compiled file. The message list is replaced by the run's messages.
  CompileResult Compile(Messages& messages);

  const std::vector<std::string>& MessageList() const { return messageList_; }

 private:
  TKVReport& report_;
  std::string sourceField_;
  std::string destField_;
  std::vector<std::string> messageList_;
};

}  // namespace korvana
