// "Edit Time Zone Table": a zone history table's name, the table it continues with, the
// check for dates beyond it, and its entries (date, clock time, zone) added, changed,
// deleted and sorted; "&Save" writes it. What the commands do is the core's
// ZoneTableEditor.
#pragma once

#include <QDialog>
#include <optional>

#include "core/time/zone_tables.h"
#include "core/util/messages.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace korvana::app {

class ZoneTableEditDialog : public QDialog {
  Q_OBJECT
 public:
  ZoneTableEditDialog(ZoneTableFiles files, ZoneTableEditor editor, Messages& messages, QWidget* parent = nullptr);

  // The number the table was last saved under.
  std::optional<std::int32_t> SavedAs() const { return savedAs_; }
  const ZoneTableEditor& Editor() const { return editor_; }

 private:
  void ShowEntries(int select);
  void ShowEntry();
  bool TakeEntry();
  void Save();

  ZoneTableFiles files_;
  ZoneTableEditor editor_;
  Messages& messages_;
  std::optional<std::int32_t> savedAs_;
  QLineEdit* name_ = nullptr;
  QComboBox* next_ = nullptr;
  QCheckBox* beyond_ = nullptr;
  QListWidget* entries_ = nullptr;
  QLineEdit *date_ = nullptr, *time_ = nullptr, *zone_ = nullptr;
  int shownRow_ = -1;
};

}  // namespace korvana::app
