// "Time Zone Selection": the zones of the zone list in one of three orders ("&Full Name",
// "&Zone Time", "&Mnemonic"), each order with its own column layout; "&Select" or a double
// click returns the chosen zone.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "core/time/time_zone.h"

class QTreeWidget;

namespace korvana::app {

class ZoneListDialog : public QDialog {
  Q_OBJECT
 public:
  // `current` is the abbreviation to select at first (none when empty or not listed).
  ZoneListDialog(const ZoneList& zones, const std::string& current, QWidget* parent = nullptr);

  // Shows the list in an order, keeping the selected zone.
  void SetOrder(ZoneListOrder order);
  // The zone selected, or nothing.
  std::optional<ZoneListEntry> Chosen() const;

  void accept() override;

 private:
  const ZoneList& zones_;
  QTreeWidget* list_ = nullptr;
  ZoneListOrder order_ = ZoneListOrder::FullName;
};

}  // namespace korvana::app
