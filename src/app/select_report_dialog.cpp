#include "app/select_report_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::app {

SelectReportDialog::SelectReportDialog(const std::string& systemPath, const std::string& current, QWidget* parent)
    : QDialog(parent), systemPath_(systemPath), sets_(ListReportSets(systemPath)) {
  setWindowTitle(tr("Select Report"));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  list_ = new QListWidget(this);
  list_->setObjectName("reportSets");
  list_->setMinimumWidth(220);
  for (const ReportSetEntry& set : sets_) list_->addItem(ShownText(set.selectCaption));
  row->addWidget(list_);
  auto* preview = new QVBoxLayout;
  picture_ = new QLabel(this);
  picture_->setFixedSize(240, 180);
  picture_->setAlignment(Qt::AlignCenter);
  description_ = new QLabel(this);
  description_->setWordWrap(true);
  description_->setMinimumWidth(240);
  description_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  preview->addWidget(picture_);
  preview->addWidget(description_, 1);
  row->addLayout(preview);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::currentRowChanged, this, &SelectReportDialog::ShowPreview);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  const std::string currentName = ToLowerAscii(NameOf(current));
  for (std::size_t i = 0; i < sets_.size(); ++i)
    if (sets_[i].fileName == currentName) list_->setCurrentRow(static_cast<int>(i));
  if (list_->currentRow() < 0 && !sets_.empty()) list_->setCurrentRow(0);
}

std::string SelectReportDialog::Chosen() const {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(sets_.size())) return {};
  return systemPath_ + sets_[static_cast<std::size_t>(row)].fileName;
}

void SelectReportDialog::ShowPreview(int row) {
  if (row < 0 || row >= static_cast<int>(sets_.size())) return;
  const ReportSetPreview preview = PreviewReportSet(systemPath_, sets_[static_cast<std::size_t>(row)].fileName);
  description_->setText(ShownText(preview.description));
  const QPixmap splash(QString::fromStdString(preview.splashPath));
  if (splash.isNull()) {
    picture_->setText(ShownText(preview.splashMissing));
  } else {
    picture_->setPixmap(splash.scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  }
}

}  // namespace korvana::app
