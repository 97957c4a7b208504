// How the option dialogs draw an item of an on/off list: an item that is on in bold at
// the left edge; an item that is off in regular weight, in brackets, 20 pixels in.
#pragma once

#include <string>

namespace korvana {

struct OnOffItem {
  std::string text;
  bool bold = false;
  int indent = 0;  // pixels from the item's left edge
};

inline OnOffItem OnOffLook(const std::string& name, bool on) {
  constexpr int OffIndent = 20;
  return on ? OnOffItem{name, true, 0} : OnOffItem{"(" + name + ")", false, OffIndent};
}

}  // namespace korvana
