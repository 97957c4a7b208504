// "Place Database": the places of the current place file, their details, and the
// commands that add, replace, copy, delete and find places and give them a zone history
// table; "&Select" returns the chosen place. What the commands do is the core's
// PlaceDatabase.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "core/config/program_settings.h"
#include "core/session/place_database.h"
#include "core/time/time_zone.h"
#include "core/time/zone_tables.h"
#include "core/util/messages.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace korvana::app {

class PlaceDatabaseDialog : public QDialog {
  Q_OBJECT
 public:
  // The place file is the setting "Places"; "&File..." changes it.
  PlaceDatabaseDialog(ProgramSettings& settings, const ZoneList* zones, ZoneTableFiles tables, Messages& messages,
                      QWidget* parent = nullptr);

  // The place chosen with "&Select".
  const std::optional<PlaceRecord>& Chosen() const { return chosen_; }
  PlaceDatabase& Database() { return db_; }
  // Selects the row of the place whose name (or country, country first) starts with `typed`.
  bool FindAndSelect(const std::string& typed);

  void accept() override;

 private:
  void ShowList(int selectNumber);
  void ShowDetails();
  PlaceRecord Typed() const;
  std::vector<int> SelectedNumbers() const;
  int CurrentNumber() const;
  void ChooseFile();
  void ChooseZone();
  void ChooseTable();
  void CopySelected();

  ProgramSettings& settings_;
  const ZoneList* zones_;
  ZoneTableFiles tables_;
  Messages& messages_;
  PlaceDatabase db_;
  std::optional<PlaceRecord> chosen_;
  QTreeWidget* list_ = nullptr;
  QCheckBox* countryFirst_ = nullptr;
  QLineEdit *place_ = nullptr, *country_ = nullptr, *zone_ = nullptr, *latitude_ = nullptr, *longitude_ = nullptr;
  QLabel* table_ = nullptr;
  QLabel* status_ = nullptr;
  std::int16_t shownTable_ = 0;
};

}  // namespace korvana::app
