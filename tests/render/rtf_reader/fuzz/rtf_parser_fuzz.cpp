// Fuzz entry of the RTF parser: any bytes as an RTF document. The parser either refuses
// them as no RTF or returns a document whose texts are valid UTF-8, whose rows have no
// more cells than the limit and whose pictures hold no more bytes than the input.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "render/rtf_reader/rtf_parser.h"

namespace {

using namespace korvana::rtf;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > s.size()) return false;
    for (int k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

void CheckParagraph(const Paragraph& p, std::size_t inputSize) {
  for (const Inline& piece : p.content) {
    if (const auto* run = std::get_if<Run>(&piece)) {
      Require(!run->text.empty() && ValidUtf8(run->text));
    } else {
      const Picture& picture = std::get<Picture>(piece);
      Require(!picture.data.empty() && picture.data.size() <= inputSize);
      Require(picture.goalWidth >= 0 && picture.goalHeight >= 0 && picture.scaleX >= 1 && picture.scaleY >= 1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  RtfLimits limits;
  limits.maxDepth = 32;
  limits.maxColumns = 8;
  RtfDocument doc;
  try {
    doc = ParseRtf(data, limits);
  } catch (const ERtfReadError&) {
    return 0;
  }
  for (const Block& block : doc.blocks) {
    if (const auto* p = std::get_if<Paragraph>(&block)) {
      CheckParagraph(*p, size);
      continue;
    }
    for (const TableRow& row : std::get<Table>(block).rows) {
      Require(!row.cells.empty() && row.cells.size() <= 8);
      for (const TableCell& cell : row.cells)
        for (const Paragraph& p : cell.paragraphs) CheckParagraph(p, size);
    }
  }
  for (const auto& [number, name] : doc.fonts) Require(ValidUtf8(name));
  return 0;
}
