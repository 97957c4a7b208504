// SectionTree: the model behind "Report Structure", the dialog in which the user switches
// a report's sections on and off, reorders and renames them. It holds the section index
// as a tree; the dialog only draws it.
//
// Each node carries an image number as the tree shows it: image div 2 is the node's own
// "switched off" flag, image mod 2 the "off because an enclosing section is off" flag
// (images 0 on, 2 off, 1 and 3 inside an off section).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/util/messages.h"

namespace korvana {

constexpr int MaxSectionDepth = 11;
inline constexpr const char* NoTitleText = "[No Title]";

class SectionTree {
 public:
  using NodeId = std::size_t;
  static constexpr NodeId Root = 0;  // invisible root; its children are the top sections

  struct Node {
    std::string title;
    std::size_t indexPosition = 0;  // the record's position in the index file
    int image = 0;
    NodeId parent = Root;
    std::vector<NodeId> children;
  };

  // Loads the index file; a missing file gives an empty tree. Throws ERecordError when the
  // file is damaged.
  static SectionTree Load(const std::string& indexFile);

  const Node& At(NodeId id) const { return nodes_.at(id); }
  bool Empty() const { return nodes_[Root].children.empty(); }
  // Every node below the root, parents before children, siblings in order.
  std::vector<NodeId> InTreeOrder() const;
  int Depth(NodeId id) const;

  bool OwnOff(NodeId id) const { return At(id).image / 2 == 1; }
  bool InheritedOff(NodeId id) const { return At(id).image % 2 == 1; }

  // Switches a section on or off. Its descendants keep their own flags; their inherited
  // flag is recomputed from their ancestors.
  void Toggle(NodeId id);
  // Moves a node before its previous / after its next sibling; false when it is first / last.
  bool MoveUp(NodeId id);
  bool MoveDown(NodeId id);
  void Rename(NodeId id, std::string title);

  // Writes the tree as the new section index (through a work file) from the records of
  // the old one: titles, order and states (1 own off, 2 inherited off, 3 on). Returns
  // false, leaving the old index, when it cannot be read or written.
  bool Save(const std::string& indexFile) const;

 private:
  void RecomputeInherited(NodeId id);
  std::vector<Node> nodes_{Node{}};
};

// "&Restore...": after the user confirms, rebuilds the index from the compiled file.
// Returns true when the index was rebuilt.
bool RestoreSectionIndex(const std::string& compiledFile, const std::string& indexFile, Messages& messages);

}  // namespace korvana
