// "Report Structure": the report's sections as a tree, each switched on or off by its
// check box (a section inside a switched-off one is greyed), moved up or down among its
// siblings and renamed; OK writes the section index. The tree rules are the core's
// SectionTree; the dialog only shows it.
#pragma once

#include <QDialog>
#include <string>

#include "core/reports/reportset/section_tree.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace korvana::app {

class ReportStructureDialog : public QDialog {
  Q_OBJECT
 public:
  ReportStructureDialog(std::string indexFile, std::string compiledFile, Messages& messages,
                        QWidget* parent = nullptr);
  const SectionTree& Tree() const { return tree_; }

  void accept() override;

 private:
  void Fill();
  void Refill(SectionTree::NodeId keepSelected);
  SectionTree::NodeId Selected() const;
  void Select(SectionTree::NodeId id);

  std::string indexFile_, compiledFile_;
  Messages& messages_;
  SectionTree tree_;
  QTreeWidget* view_ = nullptr;
  bool filling_ = false;
};

}  // namespace korvana::app
