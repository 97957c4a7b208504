// The "Text Compiler" dialog: the report text and the compiled file, each with "Browse...",
// "Edit Text..." (the text in the user's editor), "Compile" and the run's message list,
// errors in red. What the fields and buttons do is the core's CompileDialogModel.
#pragma once

#include <QDialog>

#include "core/reports/compiler/compile_dialog.h"

class QLineEdit;
class QListWidget;

namespace korvana::app {

class CompileDialog : public QDialog {
  Q_OBJECT
 public:
  CompileDialog(TKVReport& report, Messages& messages, QWidget* parent = nullptr);

  // Compiles the fields' files, as the "Compile" button does.
  CompileResult Compile();

 private:
  void ShowMessages();

  CompileDialogModel model_;
  Messages& messages_;
  QLineEdit* source_ = nullptr;
  QLineEdit* dest_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace korvana::app
