#include "app/compile_dialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "core/util/files.h"

namespace korvana::app {

CompileDialog::CompileDialog(TKVReport& report, Messages& messages, QWidget* parent)
    : QDialog(parent), model_(report), messages_(messages) {
  setWindowTitle(tr("Text Compiler"));
  resize(640, 460);
  model_.Show();
  auto* layout = new QVBoxLayout(this);
  auto* fields = new QGridLayout;
  source_ = new QLineEdit(ShownText(model_.SourceField()), this);
  dest_ = new QLineEdit(ShownText(model_.DestField()), this);
  auto* browseSource = new QPushButton(tr("&Browse..."), this);
  auto* browseDest = new QPushButton(tr("B&rowse..."), this);
  fields->addWidget(new QLabel(tr("Report text:"), this), 0, 0);
  fields->addWidget(source_, 0, 1);
  fields->addWidget(browseSource, 0, 2);
  fields->addWidget(new QLabel(tr("Compiled file:"), this), 1, 0);
  fields->addWidget(dest_, 1, 1);
  fields->addWidget(browseDest, 1, 2);
  layout->addLayout(fields);
  list_ = new QListWidget(this);
  layout->addWidget(list_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  auto* edit = buttons->addButton(tr("&Edit Text..."), QDialogButtonBox::ActionRole);
  auto* compile = buttons->addButton(tr("&Compile"), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browseSource, &QPushButton::clicked, this, [this] {
    const QString file = QFileDialog::getOpenFileName(this, tr("Report text"), source_->text(), tr("Texts (*.txt);;All files (*)"));
    if (file.isEmpty()) return;
    model_.SourceBrowsed(file.toStdString());
    source_->setText(ShownText(model_.SourceField()));
  });
  connect(browseDest, &QPushButton::clicked, this, [this] {
    const QString file = QFileDialog::getSaveFileName(this, tr("Compiled file"), dest_->text(), tr("Compiled reports (*.bin)"));
    if (file.isEmpty()) return;
    model_.DestBrowsed(file.toStdString());
    dest_->setText(ShownText(model_.DestField()));
  });
  connect(edit, &QPushButton::clicked, this, [this] {
    model_.SetSourceField(source_->text().toStdString());
    if (const auto request = model_.EditText(messages_))
      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(request->file)));
  });
  connect(compile, &QPushButton::clicked, this, [this] { Compile(); });
}

CompileResult CompileDialog::Compile() {
  model_.SetSourceField(source_->text().toStdString());
  model_.SetDestField(dest_->text().toStdString());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const CompileResult result = model_.Compile(messages_);
  QApplication::restoreOverrideCursor();
  ShowMessages();
  return result;
}

void CompileDialog::ShowMessages() {
  list_->clear();
  for (const std::string& line : model_.MessageList()) {
    auto* item = new QListWidgetItem(ShownText(line), list_);
    if (IsErrorMessageLine(line)) item->setForeground(Qt::red);
  }
  list_->scrollToBottom();
}

}  // namespace korvana::app
