// The questions a report set asks before a run, asked with dialogs: the quesited house of
// a horary report and "Personal Details for Report" (each owner's name and gender).
#pragma once

#include <QDialog>
#include <vector>

#include "core/reports/driver/report_questions.h"

class QLineEdit;
class QRadioButton;

namespace korvana::app {

class PersonalDetailsDialog : public QDialog {
  Q_OBJECT
 public:
  PersonalDetailsDialog(const PersonalDetailsForm& form, QWidget* parent = nullptr);
  // The form as the user left it (names trimmed).
  PersonalDetailsForm Form() const;

 private:
  PersonalDetailsForm form_;
  std::vector<QLineEdit*> names_;
  std::vector<QRadioButton*> females_;
};

class DialogReportQuestions : public TReportQuestions {
 public:
  explicit DialogReportQuestions(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> AskQuesitedHouse(std::string_view prompt, std::string_view caption,
                                              std::string_view initial) override;
  bool AskPersonalDetails(PersonalDetailsForm& form) override;

 private:
  QWidget* parent_;
};

}  // namespace korvana::app
