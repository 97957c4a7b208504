// "Return Options": where and when the solar or lunar return of the natal chart is sought.
// The fields and their rules are the core's ReturnOptionsForm; the dialog shows it.
#pragma once

#include <QDialog>
#include <optional>

#include "core/preferences/return_options_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace korvana::app {

class ReturnOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  ReturnOptionsDialog(ProgramSettings& settings, const ZoneList* zones, PlaceLookupSources sources, ReturnKind kind,
                      const ChartRecord& natal, Messages& messages, QWidget* parent = nullptr);

  ReturnOptionsForm& Form() { return form_; }
  // The search of the last OK.
  const std::optional<ReturnSearchRequest>& Search() const { return search_; }
  // "&Lookup", as the button does (relocated only).
  void LookUp();
  // Shows the form's values again (after a test or a caller changed the form).
  void FromForm();

  void accept() override;

 private:
  void ToForm();
  void ShowRelocation();

  ReturnOptionsForm form_;
  PlaceLookupSources sources_;
  Messages& messages_;
  std::optional<ReturnSearchRequest> search_;
  QLineEdit *date_, *time_, *place_, *country_, *zone_, *latitude_, *longitude_;
  QRadioButton* natal_ = nullptr;
  QRadioButton* relocated_ = nullptr;
  QCheckBox* showNatal_ = nullptr;
  QComboBox* which_ = nullptr;
  QWidget* lookup_ = nullptr;
};

}  // namespace korvana::app
