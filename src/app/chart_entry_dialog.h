// "Chart Data Entry": a new chart typed, or looked up by its place in the atlas or the
// place files ("Atlas to Use", "Auto Lookup"), with "Now", the default place and OK's
// checks. What the fields do is the core's NewChartForm; the dialog shows it.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "core/session/new_chart_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace korvana::app {

class ChartEntryDialog : public QDialog {
  Q_OBJECT
 public:
  ChartEntryDialog(ProgramSettings& settings, const ZoneList* zones, PlaceLookupSources sources, Messages& messages,
                   QWidget* parent = nullptr);

  // The chart of the last OK.
  const std::optional<ChartRecord>& Chart() const { return chart_; }
  NewChartForm& Form() { return form_; }
  // Shows a chart's fields to edit it (the place counts as looked up).
  void Load(const NewChartFields& fields);
  // "&Zone...": the zone chosen in the zone list replaces the typed one.
  void ChooseZone();
  // "&Place...": the place database (own place files) or the atlas's place browser.
  void ChoosePlace();
  // "&Lookup", as the button does.
  void LookUp();

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ToForm();
  void FromForm();
  void Leave(QLineEdit* edit, FieldKind kind);
  void AutoLookUp();
  void ShowLookedUp(const PlaceLookupOutcome& outcome);

  ProgramSettings& settings_;
  const ZoneList* zones_;
  NewChartForm form_;
  PlaceLookupSources sources_;
  Messages& messages_;
  std::optional<ChartRecord> chart_;
  QLineEdit *name_, *date_, *time_, *place_, *country_, *zone_, *latitude_, *longitude_;
  QComboBox* type_ = nullptr;
  QComboBox* atlasChoice_ = nullptr;
  QCheckBox* autoLookup_ = nullptr;
  QLabel* lookupDone_ = nullptr;
  bool filling_ = false;
};

}  // namespace korvana::app
