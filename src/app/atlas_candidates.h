// Choosing one of several atlas places that answer to a typed name.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "core/charts/atlas.h"

namespace korvana::app {

// Asks which of `places` is meant (name, state, country and coordinates each); the
// position chosen, or nothing when the user cancels.
std::optional<std::size_t> ChooseAtlasCandidate(QWidget* parent, const std::vector<AtlasPlace>& places);

}  // namespace korvana::app
