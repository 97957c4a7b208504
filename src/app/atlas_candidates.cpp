#include "app/atlas_candidates.h"

#include <QInputDialog>
#include <QStringList>

namespace korvana::app {

std::optional<std::size_t> ChooseAtlasCandidate(QWidget* parent, const std::vector<AtlasPlace>& places) {
  QStringList items;
  for (const AtlasPlace& p : places) {
    QString line = QString::fromStdString(p.name);
    if (!p.state.empty()) line += ", " + QString::fromStdString(p.state);
    items << line + ", " + QString::fromStdString(p.country) +
                 QStringLiteral(" (%1, %2)").arg(p.latitude, 0, 'f', 2).arg(p.longitude, 0, 'f', 2);
  }
  bool ok = false;
  const QString chosen = QInputDialog::getItem(parent, QObject::tr("Places"),
                                               QObject::tr("Several places have this name; choose one:"), items, 0,
                                               false, &ok);
  if (!ok) return std::nullopt;
  return static_cast<std::size_t>(items.indexOf(chosen));
}

}  // namespace korvana::app
