#include "app/choose_chart_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "core/astro/houses.h"
#include "core/astro/zodiac.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana::app {

namespace {

QString Qs(std::string_view text) { return ShownText(text); }

}  // namespace

QString ChartDetailsText(const StoredChart& stored, const QString& label) {
  const ChartRecord& c = stored.chart;
  const QString name = label.isEmpty() ? Qs(Trim(c.Name)) : label;
  const std::string when = FormatDate(false, c.Moment.Day, c.Moment.Month, c.Moment.Year) + " " +
                           FormatTime(false, c.Moment.Hour, c.Moment.Minute, c.Moment.Second);
  QStringList lines{name, Qs(when), Qs(Trim(c.Place)) + ", " + Qs(Trim(c.Country)),
                    Qs(ZodiacName(c.Zodiac)) + ", " + Qs(HouseSystemName(stored.houseSystem)),
                    QString(c.MeanNode ? "Mean Node" : "True Node") + ", " +
                        (c.CalcVersion == 1 ? "Geocentric" : "Heliocentric")};
  QString text = lines.join('\n');
  text.remove(QChar(0));
  return text;
}

ChooseChartDialog::ChooseChartDialog(const StoredChart& first, const StoredChart& second, const QString& message,
                                     bool withChoice, const QString& firstLabel, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("Choose a chart"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(message, this);
  title->setWordWrap(true);
  layout->addWidget(title);
  auto* charts = new QGridLayout;
  charts->addWidget(new QLabel(ChartDetailsText(first, firstLabel), this), 0, 0);
  charts->addWidget(new QLabel(ChartDetailsText(second, {}), this), 0, 1);
  if (withChoice) {
    useFirst_ = new QRadioButton(tr("Use"), this);
    useSecond_ = new QRadioButton(tr("Use"), this);
    charts->addWidget(useFirst_, 1, 0);
    charts->addWidget(useSecond_, 1, 1);
  }
  layout->addLayout(charts);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (withChoice) {
    // OK waits for a choice.
    ok_->setEnabled(false);
    for (QRadioButton* use : {useFirst_, useSecond_})
      connect(use, &QRadioButton::toggled, ok_, [this] { ok_->setEnabled(true); });
  }
}

int ChooseChartDialog::Choice() const {
  if (result() != QDialog::Accepted) return 0;
  if (useFirst_ == nullptr) return 1;
  return useFirst_->isChecked() ? 1 : useSecond_->isChecked() ? 2 : 0;
}

void DialogPairQuestions::Tell(std::string_view text) {
  QMessageBox::information(parent_, QApplication::applicationDisplayName(), ShownText(text));
}

int DialogPairQuestions::ChooseChart(const StoredChart& first, const StoredChart& second, std::string_view message,
                                     bool withChoice, std::string_view firstLabel) {
  ChooseChartDialog dialog(first, second, ShownText(message), withChoice, ShownText(firstLabel), parent_);
  dialog.exec();
  return dialog.Choice();
}

}  // namespace korvana::app
