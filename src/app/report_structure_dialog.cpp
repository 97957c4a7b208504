#include "app/report_structure_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

#include "app/desktop_messages.h"

namespace korvana::app {

namespace {
constexpr int NodeRole = Qt::UserRole;
}

ReportStructureDialog::ReportStructureDialog(std::string indexFile, std::string compiledFile, Messages& messages,
                                             QWidget* parent)
    : QDialog(parent), indexFile_(std::move(indexFile)), compiledFile_(std::move(compiledFile)), messages_(messages) {
  setWindowTitle(tr("Report Structure"));
  resize(520, 560);
  auto* layout = new QVBoxLayout(this);
  view_ = new QTreeWidget(this);
  view_->setHeaderHidden(true);
  layout->addWidget(view_);
  auto* row = new QHBoxLayout;
  const auto button = [&](const QString& caption, auto action) {
    auto* b = new QPushButton(caption, this);
    connect(b, &QPushButton::clicked, this, action);
    row->addWidget(b);
  };
  button(tr("Move &Up"), [this] {
    const auto id = Selected();
    if (id != SectionTree::Root && tree_.MoveUp(id)) Refill(id);
  });
  button(tr("Move &Down"), [this] {
    const auto id = Selected();
    if (id != SectionTree::Root && tree_.MoveDown(id)) Refill(id);
  });
  button(tr("Re&name..."), [this] {
    const auto id = Selected();
    if (id == SectionTree::Root) return;
    bool ok = false;
    const QString title = QInputDialog::getText(this, tr("Rename"), tr("Title:"), QLineEdit::Normal,
                                                ShownText(tree_.At(id).title), &ok);
    if (!ok) return;
    tree_.Rename(id, title.toStdString());
    Refill(id);
  });
  button(tr("&Restore..."), [this] {
    if (!RestoreSectionIndex(compiledFile_, indexFile_, messages_)) return;
    tree_ = SectionTree::Load(indexFile_);
    Fill();
  });
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(view_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
    if (filling_) return;
    const auto id = item->data(0, NodeRole).value<SectionTree::NodeId>();
    const bool on = item->checkState(0) == Qt::Checked;
    if (on != tree_.OwnOff(id)) return;
    tree_.Toggle(id);
    Refill(id);
  });
  try {
    tree_ = SectionTree::Load(indexFile_);
  } catch (const std::exception& e) {
    messages_.Error(e.what());
  }
  Fill();
}

void ReportStructureDialog::Fill() {
  filling_ = true;
  view_->clear();
  std::map<SectionTree::NodeId, QTreeWidgetItem*> items;
  for (const SectionTree::NodeId id : tree_.InTreeOrder()) {
    const SectionTree::Node& node = tree_.At(id);
    auto* item = node.parent == SectionTree::Root ? new QTreeWidgetItem(view_) : new QTreeWidgetItem(items[node.parent]);
    item->setText(0, ShownText(node.title));
    item->setData(0, NodeRole, QVariant::fromValue(id));
    item->setCheckState(0, tree_.OwnOff(id) ? Qt::Unchecked : Qt::Checked);
    if (tree_.InheritedOff(id)) item->setForeground(0, palette().color(QPalette::Disabled, QPalette::Text));
    items[id] = item;
  }
  view_->expandAll();
  filling_ = false;
}

void ReportStructureDialog::Refill(SectionTree::NodeId keepSelected) {
  Fill();
  Select(keepSelected);
}

SectionTree::NodeId ReportStructureDialog::Selected() const {
  const QTreeWidgetItem* item = view_->currentItem();
  return item ? item->data(0, NodeRole).value<SectionTree::NodeId>() : SectionTree::Root;
}

void ReportStructureDialog::Select(SectionTree::NodeId id) {
  for (QTreeWidgetItemIterator it(view_); *it; ++it)
    if ((*it)->data(0, NodeRole).value<SectionTree::NodeId>() == id) view_->setCurrentItem(*it);
}

void ReportStructureDialog::accept() {
  if (!tree_.Save(indexFile_)) {
    messages_.Error("The report structure could not be saved: " + indexFile_);
    return;
  }
  QDialog::accept();
}

}  // namespace korvana::app
