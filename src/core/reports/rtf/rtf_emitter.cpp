#include "core/reports/rtf/rtf_emitter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/reports/language/neutral_words.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

constexpr std::string_view ParEnd = "\r\n\\par ";

// Nearest integer, halves to even (the default floating-point rounding mode).
long RoundEven(double x) { return std::lrint(x); }

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::size_t pos = 0;
  while ((pos = text.find(from, pos)) != std::string::npos) {
    text.replace(pos, from.size(), to);
    pos += to.size();
  }
}

// Number of characters of a UTF-8 text.
std::size_t CharLength(std::string_view s) {
  std::size_t n = 0, pos = 0;
  while (pos < s.size()) {
    NextCodePoint(s, pos);
    ++n;
  }
  return n;
}

// An integer with at least four digits ("0000" format).
std::string FourDigits(long v) {
  char buf[32];
  if (v < 0) {
    std::snprintf(buf, sizeof buf, "-%04ld", -v);
  } else {
    std::snprintf(buf, sizeof buf, "%04ld", v);
  }
  return buf;
}

std::string RightTrimmed(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && s[end - 1] == ' ') --end;
  return std::string(s.substr(0, end));
}

const TTextStyle& StyleAt(const RtfLayout& layout, int style) {
  if (style < 0 || style >= TextStyleCount) {
    throw std::invalid_argument("Text style number out of range: " + std::to_string(style));
  }
  return layout.styles[static_cast<std::size_t>(style)];
}

}  // namespace

RtfLayout RtfLayout::FromSettings(const ProgramSettings& settings) {
  RtfLayout layout;
  layout.styles = settings.TextStyles;
  layout.pageWidth = settings.PageWidthTwips;
  layout.pageHeight = settings.PageHeightTwips;
  layout.marginLeft = settings.PageMarginL;
  layout.marginRight = settings.PageMarginR;
  layout.marginTop = settings.PageMarginT;
  layout.marginBottom = settings.PageMarginB;
  layout.wheelAspectRatioAdjustment = settings.WheelAspectRatioAdjustment;
  layout.systemPath = settings.SystemPath;
  return layout;
}

bool RtfFile::Save(const std::string& path, Durability durability) const {
  return WriteFileAtomic(path, data_, durability);
}

std::string EncodeRtfText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t start = pos;
    char32_t cp = NextCodePoint(text, pos);
    if (cp < 0x80) {
      out.append(text.substr(start, pos - start));
      continue;
    }
    int byte = Cp1252FromCodePoint(cp);
    if (byte >= 0) {
      out.push_back(static_cast<char>(byte));
    } else if (cp <= 0xFFFF) {
      out += "\\u" + std::to_string(static_cast<std::int16_t>(cp)) + "?";
    } else {
      // Characters beyond the basic plane go as a UTF-16 surrogate pair.
      char32_t v = cp - 0x10000;
      auto high = static_cast<std::int16_t>(0xD800 + (v >> 10));
      auto low = static_cast<std::int16_t>(0xDC00 + (v & 0x3FF));
      out += "\\u" + std::to_string(high) + "?\\u" + std::to_string(low) + "?";
    }
  }
  return out;
}

void WriteText(RtfFile& file, std::string_view text) { file.AppendRaw(EncodeRtfText(text)); }

std::string RtfLiteral(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    switch (ch) {
      case '\\': out += "\\\\"; break;
      case '{': out += "\\{"; break;
      case '}': out += "\\}"; break;
      case '|': out += "\\'7c"; break;
      case '<': out += "\\'3c"; break;
      case '[': out += "\\'5b"; break;
      case ']': out += "\\'5d"; break;
      default:
        if (byte >= 0x20 && byte != 0x7F) out.push_back(ch);
    }
  }
  return out;
}

std::string DocumentHeader(const RtfLayout& layout, int baseSize) {
  std::string s =
      "{\\rtf1\\ansi\\deff0\\deftab360{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fswiss\\fprq2 "
      "Univers;}{\\f2\\froman\\fcharset2 Symbol;}";
  for (int i = 0; i < TextStyleCount; ++i) {
    s += "{\\f" + std::to_string(i + 3) + "\\fnil " + RightTrimmed(layout.styles[i].fontName) +
         ";}";
  }
  s += "}";
  s += "\r\n{\\colortbl";
  for (int i = 0; i < TextStyleCount; ++i) {
    Color c = layout.styles[i].fontColor;
    s += "\\red" + std::to_string(RedOf(c)) + "\\green" + std::to_string(GreenOf(c)) + "\\blue" +
         std::to_string(BlueOf(c)) + ";";
  }
  s += "}";
  // The page as the settings give it, so that word processors lay the report out on it.
  s += "\r\n\\paperw" + std::to_string(layout.pageWidth) + "\\paperh" + std::to_string(layout.pageHeight) +
       "\\margl" + std::to_string(layout.marginLeft) + "\\margr" + std::to_string(layout.marginRight) + "\\margt" +
       std::to_string(layout.marginTop) + "\\margb" + std::to_string(layout.marginBottom);
  s += "\r\n{\\footer \\pard\\plain\\qc\\f0\\fs18 " + RtfLiteral(layout.pageWord) +
       " {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}";
  s += "\r\n\\deflang" + std::to_string(layout.languageId) + "\\pard\\plain\\f0\\fs" + std::to_string(2 * baseSize) + " ";
  return s;
}

std::string DocumentEnd() { return "\r\n\\par \\pard }"; }

std::string Emphasis(std::string_view text, EmphasisKind kind) {
  switch (kind) {
    case EmphasisKind::Bold:
      return "{\\b " + std::string(text) + "}";
    case EmphasisKind::Italic:
      return "{\\i " + std::string(text) + "}";
    case EmphasisKind::Underline:
      return "{\\ul " + std::string(text) + "}";
  }
  return std::string(text);
}

std::string StyledParagraph(const RtfLayout& layout, std::string_view text, int style,
                            bool keepOpen, int lineSpacing) {
  const TTextStyle& st = StyleAt(layout, style);
  std::string prefix = "\\f" + std::to_string(style + 3) + "\\fs" +
                       std::to_string(2 * st.fontSize) + "\\cf" + std::to_string(style) + " ";
  if (lineSpacing < 0) {
    auto exact = static_cast<long long>(std::trunc(static_cast<double>(st.fontSize) * 20.0 *
                                                   static_cast<double>(-lineSpacing) / 100.0));
    prefix += "\\sl-" + std::to_string(exact) + "\\slmult0" + " ";
  }
  std::string body(text);
  if (st.fontStyle & StyleBold) body = Emphasis(body, EmphasisKind::Bold);
  if (st.fontStyle & StyleItalic) body = Emphasis(body, EmphasisKind::Italic);
  if (st.fontStyle & StyleUnderline) body = Emphasis(body, EmphasisKind::Underline);

  std::string pard = (style == SectionHeaders || style == AstrologicalTitles) ? "\\pard\\keepn"
                                                                              : "\\pard";
  std::string align;
  switch (static_cast<TextAlignment>(st.alignment)) {
    case TextAlignment::Right: align = "\\qr "; break;
    case TextAlignment::Centre: align = "\\qc "; break;
    case TextAlignment::Justify: align = "\\qj "; break;
    default: align = "\\ql "; break;
  }
  std::string s = pard + align + prefix + body;
  if (!keepOpen) s += ParEnd;
  return s;
}

void ConvertTokens(const RtfLayout& layout, std::string& text) {
  ReplaceAll(text, "<PAGE>", "\r\n\\par \\page\r\n");

  std::size_t centre = text.find("<CENTER>");
  if (centre != std::string::npos) {
    text.replace(centre, 8, "\\qc ");
  } else if ((centre = text.find("<CENTRE>")) != std::string::npos) {
    text.replace(centre, 8, "\\qc ");
  }

  struct Pair {
    std::string_view on, off, open;
  };
  static constexpr Pair pairs[] = {{"<BOLDON>", "<BOLDOFF>", "{\\b "},
                                   {"<ITALICON>", "<ITALICOFF>", "{\\i "},
                                   {"<UNDERLINEON>", "<UNDERLINEOFF>", "{\\ul "}};
  for (const Pair& p : pairs) {
    for (;;) {
      std::size_t on = text.find(p.on);
      if (on == std::string::npos) break;
      // The closing token must follow the opening one: a closing brace ahead of its
      // opening brace would end the document's group early.
      std::size_t off = text.find(p.off, on + p.on.size());
      if (off == std::string::npos) break;
      text.replace(off, p.off.size(), "}");
      text.replace(on, p.on.size(), p.open);
    }
  }

  constexpr std::string_view topic = "<PSTOPICTITLE>";
  std::size_t t = text.find(topic);
  if (t != std::string::npos) {
    text.erase(t, topic.size());
    std::size_t end = text.find('|', t);
    if (end == std::string::npos) end = text.find("\r\n", t);
    if (end != std::string::npos) {
      std::string title = text.substr(t, end - t);
      std::string para = StyledParagraph(layout, title, AstrologicalTitles, false, 0);
      std::size_t par = para.find(ParEnd);
      if (par != std::string::npos) para.erase(par, ParEnd.size());
      text.replace(t, end - t, "{" + para + "}");
    }
  }
}

void ConvertTables(const RtfLayout& layout, std::string& text) {
  constexpr std::string_view on = "<TABLEON>", off = "<TABLEOFF>";
  constexpr std::size_t MaxCells = 20;
  std::size_t searchFrom = 0;
  for (;;) {
    std::size_t start = text.find(on, searchFrom);
    if (start == std::string::npos) break;
    std::size_t stop = text.find(off, start + on.size());
    if (stop == std::string::npos) break;
    std::string body = text.substr(start + on.size(), stop - start - on.size());

    // Rows at "<ENDROW>" and at line breaks; cells at tabs, empty cells dropped.
    ReplaceAll(body, "<ENDROW>", "\n");
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : SplitLines(body)) {
      std::vector<std::string> cells;
      for (std::string& cell : Split(line, '\t')) {
        if (cell.empty()) continue;
        if (cells.size() == MaxCells) break;
        cells.push_back(std::move(cell));
      }
      if (cells.empty()) continue;
      if (cells.size() == 1 && cells[0] == " ") continue;
      rows.push_back(std::move(cells));
    }

    std::string result(ParEnd);
    if (!rows.empty()) {
      std::size_t columns = 0;
      for (const auto& r : rows) columns = std::max(columns, r.size());
      std::vector<long> weights(columns, 1);
      for (const auto& r : rows) {
        for (std::size_t j = 0; j < r.size(); ++j) {
          weights[j] = std::max(weights[j], static_cast<long>(CharLength(r[j])));
        }
      }
      long w = 0;
      for (long x : weights) w += x;
      double textWidth = layout.TextWidth();
      long k = 0, left = 0;
      if (w < 61) {
        k = RoundEven(textWidth * static_cast<double>(w) / 60.0);
        left = RoundEven(static_cast<double>(k) * static_cast<double>(60 - w) /
                         (2.0 * static_cast<double>(w)));
      } else {
        k = static_cast<long>(textWidth);
        left = 0;
      }
      std::string rowDef = "\\trowd\\trleft" + FourDigits(left);
      long x = left;
      for (long weight : weights) {
        x += RoundEven(static_cast<double>(weight) * static_cast<double>(k) /
                       static_cast<double>(w));
        rowDef += "\\cellx" + FourDigits(x);
      }
      for (const auto& r : rows) {
        result += "\r\n" + rowDef;
        for (const std::string& cell : r) result += "\\intbl\\ql " + cell + "\\cell ";
        result += "\\row";
      }
    }
    result += "\\pard\\deftab360|";
    text.replace(start, stop + off.size() - start, result);
    searchFrom = start + result.size();
  }
}

void ConvertLists(const RtfLayout& layout, std::string& text) {
  constexpr std::string_view list = "<LIST>", bullet = "<BULLET>", endList = "<ENDLIST>";
  const std::string listStart =
      "\\pard\\li360\\fi-360{\\*\\pn\\pnlvlblt\\pnf2\\pnindent360{\\pntxtb\\'b7}}\\plain\\f0"
      "\\fs" +
      std::to_string(2 * layout.styles[BodyText].fontSize);
  const std::string firstBullet = "{\\pntext\\f2\\'b7\\tab}";
  const std::string nextBullet = std::string(ParEnd) + firstBullet;
  std::size_t pos;
  while ((pos = text.find(list)) != std::string::npos) {
    text.replace(pos, list.size(), listStart);
    std::size_t cursor = pos + listStart.size();
    // The list runs to its "<ENDLIST>", or without one up to the next list or the end.
    std::size_t end = text.find(endList, cursor);
    std::size_t limit = end != std::string::npos ? end : text.find(list, cursor);
    if (limit == std::string::npos) limit = text.size();
    bool first = true;
    std::size_t b;
    while ((b = text.find(bullet, cursor)) != std::string::npos && b < limit) {
      const std::string& repl = first ? firstBullet : nextBullet;
      text.replace(b, bullet.size(), repl);
      limit = limit + repl.size() - bullet.size();
      cursor = b + repl.size();
      first = false;
    }
    if (end != std::string::npos) {
      text.replace(limit, endList.size(), "\r\n\\par \\pard ");
    }
  }
}

void ConvertBars(std::string& text) { ReplaceAll(text, "|", ParEnd); }

void SubstituteNames(std::string& text, const ReportOwners& owners) {
  // Placeholders, in one pass so that a name holding "%2" is not substituted again.
  {
    const std::string* forOne = nullptr;
    const std::string* forTwo = nullptr;
    const std::size_t n = owners.names.size();
    if (owners.swapped) {
      if (n > 1) forOne = &owners.names[1];
      if (n > 0) forTwo = &owners.names[0];
    } else {
      if (n > 0) forOne = &owners.names[0];
      if (n > 1) forTwo = &owners.names[1];
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '%' && i + 1 < text.size()) {
        const std::string* name = text[i + 1] == '1' ? forOne : text[i + 1] == '2' ? forTwo : nullptr;
        if (name != nullptr) {
          out += RtfLiteral(*name);
          ++i;
          continue;
        }
      }
      out.push_back(text[i]);
    }
    text = std::move(out);
  }

  // Gender choices. Chart number k in a group names chart index: for two charts 1 -> the
  // first chart and 2 -> the second (the other way round when swapped); for one chart only
  // number 1 is processed.
  auto chartIndexFor = [&](int number) -> int {
    if (owners.twoCharts) {
      if (number == 1) return owners.swapped ? 1 : 0;
      if (number == 2) return owners.swapped ? 0 : 1;
      return -1;
    }
    return number == 1 ? 0 : -1;
  };
  std::size_t pos = 0;
  while ((pos = text.find('[', pos)) != std::string::npos) {
    std::size_t close = text.find(']', pos + 1);
    if (close == std::string::npos) break;
    std::size_t inner = text.find('[', pos + 1);
    if (inner != std::string::npos && inner < close) {
      pos = inner;
      continue;
    }
    std::vector<std::string> parts = Split(std::string_view(text).substr(pos + 1, close - pos - 1), '/');
    int number = 0;
    if (parts.size() == 2) {
      number = 1;
    } else if (parts.size() == 3) {
      number = ParseInt32(Trim(parts[2])).value_or(0);
    }
    int chart = (parts.size() == 2 || parts.size() == 3) ? chartIndexFor(number) : -1;
    if (chart < 0) {
      pos = close + 1;
      continue;
    }
    const std::uint8_t kind = owners.eventKinds[static_cast<std::size_t>(chart)];
    const std::string* owner =
        static_cast<std::size_t>(chart) < owners.names.size() ? &owners.names[static_cast<std::size_t>(chart)] : nullptr;
    const std::string neutral =
        kind == 0 ? lang::NeutralChoice(parts[0], parts[1], owner ? RtfLiteral(*owner) : std::string(), owners.language)
                  : std::string();
    const std::string& choice = !neutral.empty() ? neutral : kind == 2 ? parts[1] : parts[0];
    text.replace(pos, close + 1 - pos, choice);
    pos += choice.size();
  }
}

void PageBreak(RtfFile& file) {
  std::string& data = file.MutableData();
  while (data.size() >= ParEnd.size() &&
         std::string_view(data).substr(data.size() - ParEnd.size()) == ParEnd) {
    data.resize(data.size() - ParEnd.size());
  }
  data += "\r\n\\par \\page\r\n";
}

}  // namespace korvana
