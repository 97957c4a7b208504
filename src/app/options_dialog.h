// "Options": the program-wide preferences and the current report set's files, tab by tab.
// What each field edits, the working copies and the order of saving are the core's
// GeneralOptionsForm; the dialog shows it and writes it on "&Save".
#pragma once

#include <QDialog>

#include "core/preferences/general_options.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QDoubleSpinBox;
class QTabWidget;
class QTableWidget;

namespace korvana::app {

class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  // `aspects` (may be null) is the report set's aspect set, edited by the aspect tab.
  OptionsDialog(ProgramSettings& settings, TKVReport& set, AspectSet* aspects, Messages& messages,
                QWidget* parent = nullptr);

  GeneralOptionsForm& Form() { return form_; }
  // The colour of a point, as "&Color..." sets it.
  void SetPointColor(int id, Color color);
  // "&Save": takes the fields, writes everything and closes with OK.
  void Save();

 private:
  QWidget* ReportTab();
  QWidget* ComplimentsTab();
  QWidget* WheelsTab();
  QWidget* StylesTab();
  QWidget* MiscTab();
  QWidget* PlanetsTab();
  QWidget* HousesTab();
  QWidget* ZodiacTab();
  QWidget* AspectsTab();
  QWidget* EphemerisTab();
  void TakeFields();
  void ShowStyle(int style);
  void ShowPoint(int id);
  void RedrawPoint(int id);
  void ChooseFont();
  void BrowseEphemeris();

  ProgramSettings& settings_;
  TKVReport& set_;
  Messages& messages_;
  GeneralOptionsForm form_;
  QTabWidget* tabs_ = nullptr;
  // "Report"
  QButtonGroup* titles_ = nullptr;
  QButtonGroup* external_ = nullptr;
  std::vector<std::pair<QCheckBox*, bool*>> checks_;
  // "Compliments", "Wheels"
  std::array<QLineEdit*, 4> compliments_{};
  QLineEdit* wheel_ = nullptr;
  QLineEdit* previewWheel_ = nullptr;
  // "Styles"
  QListWidget* styles_ = nullptr;
  QButtonGroup* alignment_ = nullptr;
  QLabel* sample_ = nullptr;
  // "Misc."
  QButtonGroup* node_ = nullptr;
  QButtonGroup* fortune_ = nullptr;
  QButtonGroup* dateOrder_ = nullptr;
  QButtonGroup* timeFormat_ = nullptr;
  // "Planets"
  QListWidget* points_ = nullptr;
  QLabel* glyph_ = nullptr;
  // "Houses", "Zodiac"
  QListWidget* houses_ = nullptr;
  std::array<QDoubleSpinBox*, 3> offsets_{};
  QListWidget* zodiacs_ = nullptr;
  QLineEdit* vernalPoint_ = nullptr;
  // "Aspects" or "Moieties"
  QTableWidget* aspectGrid_ = nullptr;
  QCheckBox* byOrb_ = nullptr;
  QCheckBox* bySign_ = nullptr;
  // "Ephemeris"
  QLineEdit* ephemeris_ = nullptr;
};

}  // namespace korvana::app
