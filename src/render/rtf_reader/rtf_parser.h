// Reads Rich Text Format into an RtfDocument: the program's own reports and the same
// reports after a word processor saved them.
//
// Read: the font, colour and style tables; character formatting (font, size, colour,
// highlight, bold, italic, underline, strike, super- and subscript); paragraphs with
// alignment, indents, spacing, line spacing, page breaks and bulleted list items; tables
// (\trowd, \cellx, \intbl, \cell, \row; nested tables are flattened into their cell);
// pictures (\pict with JPEG, PNG, Windows and enhanced metafile data, as hexadecimal
// digits or \bin bytes; \shppict is read and its \nonshppict copy skipped); \'xx escapes
// in Windows-1252 and \uN escapes with their \ucN fallback. Headers, footers, footnotes,
// field instructions and every unknown \* destination are skipped.
//
// Damaged input never stops the reader: missing or extra braces, cut short data and
// absurd numbers are tolerated and give what could be read. Groups nested deeper than
// RtfLimits::maxDepth are skipped whole, numbers are clamped and rows wider than
// RtfLimits::maxColumns keep their extra cells' text in their last cell, so that time and
// memory stay proportional to the input's size.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/util/error.h"
#include "render/rtf_reader/rtf_document.h"

namespace korvana::rtf {

// A file that is not RTF at all or is larger than the reader accepts.
class ERtfReadError : public Error {
 public:
  using Error::Error;
};

struct RtfLimits {
  std::size_t maxBytes = std::size_t{256} << 20;
  int maxDepth = 128;
  int maxColumns = 64;
};

// Parses `data`. Throws ERtfReadError when it does not open with "{\rtf" (blanks may
// precede it) or is longer than limits.maxBytes.
RtfDocument ParseRtf(std::string_view data, const RtfLimits& limits = {});

}  // namespace korvana::rtf
