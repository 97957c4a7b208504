// "Page Margins": the four report page margins in inches or centimetres. The fields show
// the stored margins (twips) in the unit the caller uses; "&Apply" stores them and gives
// back the unit chosen, "&Cancel" changes nothing.
#pragma once

#include <QDialog>

#include "core/config/program_settings.h"
#include "core/queue/page_margins.h"

class QLineEdit;
class QRadioButton;

namespace korvana::app {

// Opens the dialog on the settings' margins ("PageMargin*") in `unitCode`'s unit; on
// "&Apply" stores the margins and the unit chosen and returns true.
bool EditPageMargins(ProgramSettings& settings, int& unitCode, QWidget* parent);

class PageMarginsDialog : public QDialog {
  Q_OBJECT
 public:
  // `unitCode`: 2 inches, anything else centimetres.
  PageMarginsDialog(const PageMargins& margins, int unitCode, QWidget* parent = nullptr);

  // After "&Apply": the margins in twips and the unit code (2 inches, 0 centimetres).
  PageMargins Margins() const;
  int UnitCode() const;

  QLineEdit* Field(int i) const { return fields_[i]; }  // top, left, right, bottom
  QRadioButton* InchesButton() const { return inches_; }
  QRadioButton* CentimetresButton() const { return centimetres_; }

 private:
  MarginUnit Unit() const;
  void SwitchUnit(MarginUnit to);

  QLineEdit* fields_[4];
  QRadioButton* inches_;
  QRadioButton* centimetres_;
  MarginUnit shown_;
};

}  // namespace korvana::app
