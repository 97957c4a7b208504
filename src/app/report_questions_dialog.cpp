#include "app/report_questions_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/desktop_messages.h"

namespace korvana::app {

PersonalDetailsDialog::PersonalDetailsDialog(const PersonalDetailsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(ShownText(PersonalDetailsCaption));
  auto* layout = new QVBoxLayout(this);
  for (std::size_t i = 0; i < form_.entries.size(); ++i) {
    const PersonalDetailsEntry& entry = form_.entries[i];
    auto* group = new QGroupBox(ShownText(" " + entry.chartName + " "), this);
    auto* row = new QHBoxLayout(group);
    auto* name = new QLineEdit(ShownText(entry.givenName), group);
    name->setObjectName(QStringLiteral("name%1").arg(i + 1));
    auto* male = new QRadioButton(tr("Male"), group);
    auto* female = new QRadioButton(tr("Female"), group);
    (entry.female ? female : male)->setChecked(true);
    row->addWidget(name, 1);
    row->addWidget(male);
    row->addWidget(female);
    layout->addWidget(group);
    names_.push_back(name);
    females_.push_back(female);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PersonalDetailsForm PersonalDetailsDialog::Form() const {
  PersonalDetailsForm form = form_;
  for (std::size_t i = 0; i < form.entries.size(); ++i) {
    form.entries[i].givenName = names_[i]->text().trimmed().toStdString();
    form.entries[i].female = females_[i]->isChecked();
  }
  return form;
}

std::optional<std::string> DialogReportQuestions::AskQuesitedHouse(std::string_view prompt, std::string_view caption,
                                                                   std::string_view initial) {
  bool ok = false;
  const QString answer = QInputDialog::getText(parent_, ShownText(caption), ShownText(prompt), QLineEdit::Normal,
                                               ShownText(initial), &ok);
  if (!ok) return std::nullopt;
  return answer.toStdString();
}

bool DialogReportQuestions::AskPersonalDetails(PersonalDetailsForm& form) {
  PersonalDetailsDialog dialog(form, parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  form = dialog.Form();
  return true;
}

}  // namespace korvana::app
