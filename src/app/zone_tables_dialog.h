// "Time Zone Tables": the zone history tables, preceded by "! No Table ! - #0"; "&Select"
// returns the chosen table's number, "&Edit..." and "&Add New..." open the table editor,
// "&Delete..." removes a table once confirmed.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

#include "core/time/zone_tables.h"
#include "core/util/messages.h"

class QListWidget;

namespace korvana::app {

class ZoneTablesDialog : public QDialog {
  Q_OBJECT
 public:
  // `title` heads the dialog ("TimeZone Table for " and the place); `current` is the table
  // selected at first.
  ZoneTablesDialog(ZoneTableFiles files, EntryOptions options, std::int32_t current, const QString& title,
                   Messages& messages, QWidget* parent = nullptr);

  // The table chosen with "&Select" (0: none).
  std::optional<std::int32_t> Chosen() const;

  void accept() override;

 private:
  void Reload(std::int32_t select);
  void Edit(std::int32_t tableNo);
  void DeleteSelected();

  ZoneTableFiles files_;
  EntryOptions options_;
  Messages& messages_;
  QListWidget* list_ = nullptr;
};

}  // namespace korvana::app
