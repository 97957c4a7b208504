// "Composite Chart Options": the composite method and the anchor of the composite houses.
#pragma once

#include <QDialog>

#include "core/preferences/composite_options.h"

class QButtonGroup;

namespace korvana::app {

class CompositeOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  CompositeOptionsDialog(const CompositeOptionsChoice& choice, QWidget* parent = nullptr);
  // The positions checked now.
  CompositeOptionsChoice Choice() const;

 private:
  QButtonGroup* method_ = nullptr;
  QButtonGroup* anchor_ = nullptr;
};

}  // namespace korvana::app
