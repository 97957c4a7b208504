#include "core/reports/reportset/section_tree.h"

#include <algorithm>
#include <array>

#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/section_index.h"
#include "core/util/files.h"

namespace korvana {

SectionTree SectionTree::Load(const std::string& indexFile) {
  SectionTree tree;
  auto data = ReadFileBytes(indexFile);
  if (!data) return tree;
  auto records = ReadCompiledRecords(*data, true);
  if (records.empty()) return tree;

  const std::int32_t topDepth = records.front().record.params[0];
  std::array<NodeId, MaxSectionDepth + 1> lastAt{};  // last node seen at each depth
  lastAt[0] = Root;
  int deepest = 0;
  int offDepth = 0;  // depth of the shallowest open switched-off node, 0 = none
  for (const auto& placed : records) {
    const CompiledRecord& r = placed.record;
    // 64 bits: a damaged index may hold any two depths.
    const std::int64_t relative = std::int64_t{r.params[0]} - topDepth + 1;
    int depth = static_cast<int>(std::clamp<std::int64_t>(relative, 1, MaxSectionDepth));
    depth = std::min(depth, deepest + 1);  // a gap in depths hangs under the deepest node
    if (offDepth != 0 && depth <= offDepth) offDepth = 0;
    Node node;
    node.title = r.text.empty() ? NoTitleText : r.text;
    node.indexPosition = placed.position;
    node.image = (r.code == SectionOff ? 2 : 0) + (offDepth != 0 ? 1 : 0);
    if (r.code == SectionOff && offDepth == 0) offDepth = depth;
    node.parent = lastAt[depth - 1];
    NodeId id = tree.nodes_.size();
    tree.nodes_.push_back(std::move(node));
    tree.nodes_[tree.nodes_[id].parent].children.push_back(id);
    lastAt[depth] = id;
    deepest = depth;
  }
  return tree;
}

std::vector<SectionTree::NodeId> SectionTree::InTreeOrder() const {
  std::vector<NodeId> order;
  std::vector<NodeId> stack(nodes_[Root].children.rbegin(), nodes_[Root].children.rend());
  while (!stack.empty()) {
    NodeId id = stack.back();
    stack.pop_back();
    order.push_back(id);
    const auto& kids = nodes_[id].children;
    stack.insert(stack.end(), kids.rbegin(), kids.rend());
  }
  return order;
}

int SectionTree::Depth(NodeId id) const {
  int depth = 0;
  for (; id != Root; id = nodes_.at(id).parent) ++depth;
  return depth;
}

void SectionTree::RecomputeInherited(NodeId id) {
  const Node& parent = nodes_[id];
  bool off = parent.image != 0;  // own or inherited off
  for (NodeId child : parent.children) {
    Node& c = nodes_[child];
    c.image = (c.image / 2) * 2 + (off ? 1 : 0);
    RecomputeInherited(child);
  }
}

void SectionTree::Toggle(NodeId id) {
  Node& n = nodes_.at(id);
  int h = n.image / 2, i = n.image % 2;
  n.image = 2 * (1 - h) + i;
  RecomputeInherited(id);
}

bool SectionTree::MoveUp(NodeId id) {
  auto& siblings = nodes_[nodes_.at(id).parent].children;
  auto it = std::find(siblings.begin(), siblings.end(), id);
  if (it == siblings.begin()) return false;
  std::iter_swap(it, it - 1);
  return true;
}

bool SectionTree::MoveDown(NodeId id) {
  auto& siblings = nodes_[nodes_.at(id).parent].children;
  auto it = std::find(siblings.begin(), siblings.end(), id);
  if (it + 1 == siblings.end()) return false;
  std::iter_swap(it, it + 1);
  return true;
}

void SectionTree::Rename(NodeId id, std::string title) { nodes_.at(id).title = std::move(title); }

bool SectionTree::Save(const std::string& indexFile) const {
  auto data = ReadFileBytes(indexFile);
  if (!data) return false;
  try {
    std::string out;
    for (NodeId id : InTreeOrder()) {
      const Node& n = nodes_[id];
      ByteReader reader(*data);
      reader.Seek(n.indexPosition);
      CompiledRecord r = ReadCompiledRecord(reader);
      r.text = n.title == NoTitleText ? std::string() : n.title;
      r.code = OwnOff(id) ? SectionOff : InheritedOff(id) ? SectionInheritedOff : SectionOn;
      out += EncodeCompiledRecord(r);
    }
    return WriteFileAtomic(indexFile, out);
  } catch (const ERecordError&) {
    return false;
  }
}

bool RestoreSectionIndex(const std::string& compiledFile, const std::string& indexFile, Messages& messages) {
  if (!messages.Confirm(
          "This will restore the original report structure.\r\n\r\nAny changes you have made to the "
          "report structure will be overwritten.\r\n\r\nDo you wish to proceed?"))
    return false;
  return BuildSectionIndex(compiledFile, indexFile, messages);
}

}  // namespace korvana
