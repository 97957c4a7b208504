#include "app/toolbar_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/util/files.h"

namespace korvana::app {

std::optional<QStringList> ReadToolbarLayout(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  QStringList names;
  for (const QString& line : QString::fromUtf8(bytes->data(), static_cast<qsizetype>(bytes->size())).split('\n')) {
    const QString name = line.trimmed();
    if (!name.isEmpty()) names << name;
  }
  return names;
}

bool WriteToolbarLayout(const std::string& path, const QStringList& names) {
  return WriteFileAtomic(path, (names.join('\n') + '\n').toStdString());
}

ToolbarDialog::ToolbarDialog(const std::vector<QAction*>& commands, const QStringList& shown, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("Customize Toolbar"));
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  for (QAction* action : commands) {
    auto* item = new QListWidgetItem(action->text().remove('&'), list_);
    item->setData(Qt::UserRole, action->objectName());
    item->setCheckState(shown.contains(action->objectName()) ? Qt::Checked : Qt::Unchecked);
  }
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QStringList ToolbarDialog::Shown() const {
  QStringList names;
  for (int i = 0; i < list_->count(); ++i)
    if (list_->item(i)->checkState() == Qt::Checked) names << list_->item(i)->data(Qt::UserRole).toString();
  return names;
}

}  // namespace korvana::app
