// "Dynamic Options": the period of the dynamic reports, the first dynamic section's points,
// aspects and orbs, and the time line switch. The rules are the core's
// DynamicOptionsForm; the dialog shows it.
#pragma once

#include <QDialog>

#include "core/preferences/dynamic_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace korvana::app {

class DynamicOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  // `period` is the program's dynamic settings, changed only by "&Save".
  DynamicOptionsDialog(TDynRepUserData& period, TKVReport& set, const AspectSet* aspects, ProgramSettings& settings,
                       const ZoneList* zones, Messages& messages, QWidget* parent = nullptr);

  DynamicOptionsForm& Form() { return form_; }
  // "&Save": takes the boxes, hands the copies over and closes with OK.
  void Save();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* DatesTab();
  QWidget* PointsTab();
  QWidget* AspectsTab();
  QWidget* ReportTab();
  QListWidget* OnOffList(std::vector<DynamicItem>& items, const char* name);
  QPushButton* OnOffButton(QListWidget* list, std::vector<DynamicItem>& items, QWidget* parent);
  void Refresh();
  void ShowPeriod();
  void ChooseZone();
  // The up-down arrows: the amount moved by `step`, then the refresh.
  void StepAmount(int step);

  TDynRepUserData& period_;
  TKVReport& set_;
  ProgramSettings& settings_;
  const ZoneList* zones_;
  Messages& messages_;
  DynamicOptionsForm form_;
  bool filling_ = false;
  QTabWidget* tabs_ = nullptr;
  QRadioButton* specified_ = nullptr;
  QRadioButton* current_ = nullptr;
  QLabel* dateLabel_ = nullptr;
  QLineEdit* date_ = nullptr;
  QCheckBox* goTo_ = nullptr;
  QComboBox* goToUnit_ = nullptr;
  QCheckBox* adjust_ = nullptr;
  QLineEdit* amount_ = nullptr;
  QWidget* amountUpDown_ = nullptr;  // the amount's up-down arrows
  QComboBox* adjustUnit_ = nullptr;
  QLineEdit* zone_ = nullptr;
  QLineEdit* duration_ = nullptr;
  QComboBox* durationUnit_ = nullptr;
  QLineEdit* entering_ = nullptr;
  QLineEdit* leaving_ = nullptr;
  QCheckBox* timeLines_ = nullptr;
};

}  // namespace korvana::app
