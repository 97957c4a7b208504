// The text of a parsed RTF document in one string, for comparing documents in tests:
// paragraphs one a line, "[pict]" for a picture, table rows one a line with their cells
// joined by " | " and a cell's paragraphs by "/".
#pragma once

#include <string>

#include "render/rtf_reader/rtf_document.h"

namespace korvana::rtf {

inline std::string ParagraphText(const Paragraph& p) {
  std::string s;
  for (const Inline& piece : p.content)
    if (const auto* run = std::get_if<Run>(&piece)) s += run->text;
    else s += "[pict]";
  return s;
}

inline std::string TextOf(const RtfDocument& doc) {
  std::string s;
  for (const Block& block : doc.blocks) {
    if (const auto* p = std::get_if<Paragraph>(&block)) {
      s += ParagraphText(*p) + "\n";
      continue;
    }
    for (const TableRow& row : std::get<Table>(block).rows) {
      for (std::size_t c = 0; c < row.cells.size(); ++c) {
        if (c) s += " | ";
        for (std::size_t i = 0; i < row.cells[c].paragraphs.size(); ++i)
          s += (i ? "/" : "") + ParagraphText(row.cells[c].paragraphs[i]);
      }
      s += "\n";
    }
  }
  return s;
}

}  // namespace korvana::rtf
