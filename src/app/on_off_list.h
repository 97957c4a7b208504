// Lists of items switched on and off (points, aspects) in the option dialogs: an item
// that is on in bold, one that is off in brackets and indented.
#pragma once

#include <QListWidget>

#include "core/preferences/on_off_item.h"

namespace korvana::app {

// Makes `list` draw each item moved right by the indentation ShowOnOff gives it.
void UseOnOffDrawing(QListWidget* list);

// Shows `look` in `item` of `list`.
void ShowOnOff(QListWidget* list, QListWidgetItem* item, const OnOffItem& look);

}  // namespace korvana::app
