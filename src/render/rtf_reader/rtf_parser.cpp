#include "render/rtf_reader/rtf_parser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/util/codepage.h"

namespace korvana::rtf {
namespace {

enum class Dest {
  Body,        // text of the document
  Skip,        // read and dropped (headers, unknown \* groups, ...)
  FontTable,   // font entries: \fN and a name up to ';'
  ColourTable, // \red \green \blue entries ended by ';'
  StyleSheet,  // the style table; each entry is a group
  StyleEntry,  // one style: its formatting and name
  Picture,     // \pict: picture properties and data
  ListNumber,  // {\*\pn ...}: old-style list numbering of the paragraph
};

struct GroupState {
  Dest dest = Dest::Body;
  CharFormat chr;
  ParaFormat para;
  int unicodeSkip = 1;  // \ucN
};

struct StyleDefinition {
  CharFormat chr;
  ParaFormat para;
};

// Largest magnitude kept from a numeric parameter; RTF itself allows 16 or 32 bits.
constexpr long long MaxParameter = 0x7FFFFFFF;
constexpr int MaxTwips = 31680 * 2;  // 44 inches: larger lengths are clamped
constexpr int MaxWordLetters = 32;
constexpr int MaxDigits = 10;

int Clamp(long long v, int lo, int hi) { return static_cast<int>(std::clamp<long long>(v, lo, hi)); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Destinations whose text never belongs to the document body.
constexpr std::array<std::string_view, 28> SkippedDestinations = {
    "info",       "header",     "headerl",     "headerr",    "headerf",    "footer",    "footerl",
    "footerr",    "footerf",    "footnote",    "pntext",     "listtext",   "fldinst",   "nonshppict",
    "xe",         "tc",         "txe",         "annotation", "atnid",      "atnauthor", "private",
    "rxe",        "ftnsep",     "ftnsepc",     "aftnsep",    "aftnsepc",   "objdata",   "datafield"};

class Parser {
 public:
  Parser(std::string_view data, const RtfLimits& limits) : data_(data), limits_(limits) {}

  RtfDocument Parse() {
    while (pos_ < data_.size() && !finished_) Step();
    FinishParagraph(false);
    FinishRow();
    return std::move(doc_);
  }

 private:
  GroupState& State() { return stack_.back(); }

  void Step() {
    const char c = data_[pos_];
    if (c == '{') {
      ++pos_;
      OpenGroup();
    } else if (c == '}') {
      ++pos_;
      CloseGroup();
    } else if (c == '\\') {
      ++pos_;
      ControlSequence();
    } else if (c == '\r' || c == '\n') {
      ++pos_;
    } else {
      TextChunk();
    }
  }

  void OpenGroup() {
    pendingSkip_ = 0;
    if (overflow_ > 0 || static_cast<int>(stack_.size()) >= limits_.maxDepth) {
      ++overflow_;
      return;
    }
    GroupState next = stack_.empty() ? GroupState{} : State();
    if (next.dest == Dest::StyleSheet) {
      next = GroupState{};
      next.dest = Dest::StyleEntry;
      styleNumber_ = 0;
      styleName_.clear();
    }
    stack_.push_back(next);
    groupStart_ = true;
  }

  void CloseGroup() {
    pendingSkip_ = 0;
    groupStart_ = false;
    ignorable_ = false;
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (stack_.empty()) return;
    const GroupState closing = State();
    stack_.pop_back();
    if (stack_.empty()) {
      finished_ = true;
      return;
    }
    if (closing.dest == Dest::Picture && State().dest != Dest::Picture) EndPicture();
    if (closing.dest == Dest::StyleEntry && State().dest == Dest::StyleSheet)
      styles_[styleNumber_] = StyleDefinition{closing.chr, closing.para};
    if (closing.dest == Dest::ListNumber && State().dest == Dest::Body && listBullet_) {
      State().para.bullet = true;
      State().para.numbered = listNumbered_;
      listBullet_ = listNumbered_ = false;
    }
  }

  // A control word or symbol after its backslash.
  void ControlSequence() {
    if (pos_ >= data_.size()) return;
    const char c = data_[pos_];
    if (!IsLetter(c)) {
      ++pos_;
      ControlSymbol(c);
      return;
    }
    const std::size_t start = pos_;
    while (pos_ < data_.size() && IsLetter(data_[pos_])) ++pos_;
    std::string_view word = data_.substr(start, std::min<std::size_t>(pos_ - start, MaxWordLetters));
    bool hasParam = false;
    long long param = 0;
    bool negative = false;
    if (pos_ < data_.size() && data_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int digits = 0;
    while (pos_ < data_.size() && data_[pos_] >= '0' && data_[pos_] <= '9') {
      if (digits++ < MaxDigits) param = param * 10 + (data_[pos_] - '0');
      hasParam = true;
      ++pos_;
    }
    param = std::min(param, MaxParameter);
    if (negative) param = -param;
    if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;
    const bool firstInGroup = groupStart_;
    groupStart_ = false;
    if (word == "bin") {
      Binary(hasParam ? std::max<long long>(param, 0) : 0);
      return;
    }
    if (overflow_ > 0 || stack_.empty()) return;
    if (word != "u") pendingSkip_ = 0;
    ControlWord(word, hasParam, static_cast<int>(param), firstInGroup);
  }

  void ControlSymbol(char c) {
    if (c == '*') {
      ignorable_ = true;
      return;
    }
    groupStart_ = false;
    if (overflow_ > 0 || stack_.empty()) return;
    switch (c) {
      case '\'': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < data_.size() && HexValue(data_[pos_]) >= 0) {
          value = value * 16 + HexValue(data_[pos_++]);
          ++digits;
        }
        if (digits < 2) return;  // a damaged escape is dropped
        if (pendingSkip_ > 0) {
          --pendingSkip_;
          return;
        }
        const char byte = static_cast<char>(value);
        Bytes(std::string_view(&byte, 1));
        return;
      }
      case '\\':
      case '{':
      case '}': Bytes(std::string_view(&c, 1)); return;
      case '~': CodePoint(0xA0); return;
      case '_': CodePoint(0x2011); return;
      case '\r':
      case '\n':
        if (State().dest == Dest::Body) FinishParagraph(true);
        return;
      default: return;  // \- optional hyphen, \| \: index marks
    }
  }

  // Everything up to the next special character.
  void TextChunk() {
    const std::size_t start = pos_;
    while (pos_ < data_.size()) {
      const char c = data_[pos_];
      if (c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n') break;
      ++pos_;
    }
    groupStart_ = false;
    if (overflow_ > 0 || stack_.empty()) return;
    std::string_view chunk = data_.substr(start, pos_ - start);
    const std::size_t skipped = std::min<std::size_t>(pendingSkip_, chunk.size());
    pendingSkip_ -= static_cast<int>(skipped);
    chunk.remove_prefix(skipped);
    if (!chunk.empty()) Bytes(chunk);
  }

  // \binN: N bytes of raw data, kept only inside a picture.
  void Binary(long long count) {
    const std::size_t n = static_cast<std::size_t>(std::min<long long>(count, static_cast<long long>(data_.size() - pos_)));
    if (overflow_ == 0 && !stack_.empty() && State().dest == Dest::Picture) picture_.data.append(data_.substr(pos_, n));
    pos_ += n;
  }

  // 8-bit text in the current destination.
  void Bytes(std::string_view bytes) {
    switch (State().dest) {
      case Dest::Body: {
        std::string text;
        for (char c : bytes)
          if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') text += c;
        AppendText(Cp1252ToUtf8(text));
        break;
      }
      case Dest::FontTable: FontName(bytes); break;
      case Dest::ColourTable:
        for (char c : bytes)
          if (c == ';') {
            doc_.colours.push_back(colour_);
            colour_ = Colour{};
          }
        break;
      case Dest::StyleEntry: styleName_.append(bytes); break;
      case Dest::Picture: PictureHex(bytes); break;
      default: break;
    }
  }

  void CodePoint(char32_t cp) {
    if (State().dest != Dest::Body) return;
    std::string utf8;
    AppendUtf8(utf8, cp);
    AppendText(utf8);
  }

  void FontName(std::string_view bytes) {
    for (char c : bytes) {
      if (c == ';') {
        std::string name = Cp1252ToUtf8(fontName_);
        while (!name.empty() && name.front() == ' ') name.erase(name.begin());
        while (!name.empty() && name.back() == ' ') name.pop_back();
        doc_.fonts[fontNumber_] = name;
        fontName_.clear();
      } else if (fontName_.size() < 256) {
        fontName_ += c;
      }
    }
  }

  void PictureHex(std::string_view bytes) {
    for (char c : bytes) {
      const int v = HexValue(c);
      if (v < 0) continue;
      if (highNibble_ < 0) {
        highNibble_ = v;
      } else {
        picture_.data += static_cast<char>(highNibble_ * 16 + v);
        highNibble_ = -1;
      }
    }
  }

  void AppendText(const std::string& utf8) {
    if (utf8.empty()) return;
    std::vector<Inline>& content = paragraph_.content;
    if (!content.empty())
      if (auto* run = std::get_if<Run>(&content.back()); run && run->format == State().chr) {
        run->text += utf8;
        return;
      }
    content.push_back(Run{utf8, State().chr});
  }

  // Destination words; true when the word was one.
  bool Destination(std::string_view word) {
    GroupState& s = State();
    auto set = [&](Dest d) {
      s.dest = d;
      return true;
    };
    if (s.dest == Dest::Skip) return true;
    if (word == "fonttbl") return set(Dest::FontTable);
    if (word == "colortbl") return set(Dest::ColourTable);
    if (word == "stylesheet") return set(Dest::StyleSheet);
    if (word == "pict") {
      if (s.dest != Dest::Body) return set(Dest::Skip);
      picture_ = Picture{};
      highNibble_ = -1;
      return set(Dest::Picture);
    }
    if (word == "pn") {
      listBullet_ = listNumbered_ = false;
      return set(s.dest == Dest::Body ? Dest::ListNumber : Dest::Skip);
    }
    if (word == "shppict" || word == "fldrslt" || word == "field" || word == "result") return true;
    for (std::string_view skipped : SkippedDestinations)
      if (word == skipped) return set(Dest::Skip);
    return false;
  }

  void ControlWord(std::string_view word, bool hasParam, int param, bool firstInGroup) {
    const bool ignorable = ignorable_;
    ignorable_ = false;
    if (Destination(word)) return;
    if (ignorable && firstInGroup) {
      State().dest = Dest::Skip;
      return;
    }
    switch (State().dest) {
      case Dest::Skip: return;
      case Dest::FontTable:
        if (word == "f") fontNumber_ = param;
        return;
      case Dest::ColourTable: ColourWord(word, param); return;
      case Dest::Picture: PictureWord(word, hasParam, param); return;
      case Dest::ListNumber:
        if (word == "pnlvlblt") listBullet_ = true;
        if (word == "pnlvlbody" || word == "pndec" || word == "pnucrm" || word == "pnlcrm" || word == "pnucltr" ||
            word == "pnlcltr")
          listNumbered_ = listBullet_ = true;
        return;
      case Dest::StyleEntry:
        if (word == "s") styleNumber_ = param;
        FormatWord(word, hasParam, param);
        return;
      case Dest::StyleSheet: return;
      case Dest::Body:
        if (!SpecialCharacter(word, param) && !DocumentWord(word, param) && !TableWord(word, param))
          FormatWord(word, hasParam, param);
        return;
    }
  }

  void ColourWord(std::string_view word, int param) {
    const auto component = static_cast<std::uint8_t>(Clamp(param, 0, 255));
    if (word == "red") colour_.red = component;
    else if (word == "green") colour_.green = component;
    else if (word == "blue") colour_.blue = component;
    else return;
    colour_.automatic = false;
  }

  void PictureWord(std::string_view word, bool hasParam, int param) {
    if (word == "jpegblip") picture_.kind = PictureKind::Jpeg;
    else if (word == "pngblip") picture_.kind = PictureKind::Png;
    else if (word == "emfblip") picture_.kind = PictureKind::Emf;
    else if (word == "wmetafile") {
      picture_.kind = PictureKind::Wmf;
      picture_.mapMode = hasParam ? param : 8;
    } else if (word == "picw") picture_.width = Clamp(param, 0, 1 << 20);
    else if (word == "pich") picture_.height = Clamp(param, 0, 1 << 20);
    else if (word == "picwgoal") picture_.goalWidth = Clamp(param, 0, MaxTwips);
    else if (word == "pichgoal") picture_.goalHeight = Clamp(param, 0, MaxTwips);
    else if (word == "picscalex") picture_.scaleX = Clamp(param, 1, 1000);
    else if (word == "picscaley") picture_.scaleY = Clamp(param, 1, 1000);
  }

  void EndPicture() {
    if (!picture_.data.empty() && State().dest == Dest::Body) paragraph_.content.push_back(std::move(picture_));
    picture_ = Picture{};
  }

  // Characters written as control words; true when the word was one.
  bool SpecialCharacter(std::string_view word, int param) {
    static constexpr std::pair<std::string_view, char32_t> Characters[] = {
        {"tab", U'\t'},       {"line", 0x2028},      {"emdash", 0x2014},    {"endash", 0x2013},
        {"bullet", 0x2022},   {"lquote", 0x2018},    {"rquote", 0x2019},    {"ldblquote", 0x201C},
        {"rdblquote", 0x201D}, {"emspace", 0x2003},  {"enspace", 0x2002},   {"qmspace", 0x2005}};
    for (const auto& [name, cp] : Characters)
      if (word == name) {
        CodePoint(cp);
        return true;
      }
    if (word == "u") {
      Unicode(param);
      return true;
    }
    if (word == "uc") {
      State().unicodeSkip = Clamp(param, 0, 16);
      return true;
    }
    if (word == "par") {
      FinishParagraph(true);
      return true;
    }
    if (word == "page" || word == "sect") {
      if (!paragraph_.content.empty()) FinishParagraph(true);
      pageBreak_ = true;
      return true;
    }
    return false;
  }

  void Unicode(int param) {
    int value = param < 0 ? param + 65536 : param;
    pendingSkip_ = State().unicodeSkip;
    if (value < 0 || value > 0xFFFF) return;
    if (value >= 0xD800 && value <= 0xDBFF) {
      highSurrogate_ = value;
      return;
    }
    char32_t cp = static_cast<char32_t>(value);
    if (value >= 0xDC00 && value <= 0xDFFF) {
      if (highSurrogate_ == 0) return;
      cp = 0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) + (cp - 0xDC00);
    }
    highSurrogate_ = 0;
    CodePoint(cp);
  }

  bool DocumentWord(std::string_view word, int param) {
    PageGeometry& page = doc_.page;
    if (word == "deff") doc_.defaultFont = param;
    else if (word == "paperw") page.width = Clamp(param, 1, MaxTwips);
    else if (word == "paperh") page.height = Clamp(param, 1, MaxTwips);
    else if (word == "margl") page.marginLeft = Clamp(param, 0, MaxTwips);
    else if (word == "margr") page.marginRight = Clamp(param, 0, MaxTwips);
    else if (word == "margt") page.marginTop = Clamp(param, 0, MaxTwips);
    else if (word == "margb") page.marginBottom = Clamp(param, 0, MaxTwips);
    else return false;
    return true;
  }

  bool TableWord(std::string_view word, int param) {
    if (word == "trowd") {
      rowEdges_.clear();
      rowLeft_ = 0;
      rowBorders_ = false;
    } else if (word == "trleft") {
      rowLeft_ = Clamp(param, -MaxTwips, MaxTwips);
    } else if (word == "cellx") {
      if (static_cast<int>(rowEdges_.size()) < limits_.maxColumns) rowEdges_.push_back(Clamp(param, -MaxTwips, MaxTwips));
    } else if (word.substr(0, 6) == "clbrdr" || word.substr(0, 6) == "trbrdr") {
      rowBorders_ = true;
    } else if (word == "cell") {
      State().para.inTable = true;
      FinishParagraph(true);
      FinishCell();
    } else if (word == "nestcell") {
      // A nested table's cells stay in the outer cell, one paragraph each.
      State().para.inTable = true;
      FinishParagraph(true);
    } else if (word == "row") {
      if (!paragraph_.content.empty()) {
        State().para.inTable = true;
        FinishParagraph(true);
      }
      FinishRow();
    } else {
      return false;
    }
    return true;
  }

  void FormatWord(std::string_view word, bool hasParam, int param) {
    CharFormat& c = State().chr;
    ParaFormat& p = State().para;
    const bool on = !hasParam || param != 0;
    if (word == "plain") c = CharFormat{};
    else if (word == "b") c.bold = on;
    else if (word == "i") c.italic = on;
    else if (word == "ul") c.underline = on;
    else if (word == "ulnone") c.underline = false;
    else if (word.size() > 2 && word.substr(0, 2) == "ul" && word != "ulc") c.underline = on;
    else if (word == "strike") c.strike = on;
    else if (word == "f") c.font = Clamp(param, 0, 1 << 20);
    else if (word == "fs") c.halfPoints = Clamp(hasParam ? param : 24, 2, 2000);
    else if (word == "cf") c.colour = Clamp(param, 0, 1 << 20);
    else if (word == "highlight" || word == "cb" || word == "chcbpat") c.background = param > 0 ? Clamp(param, 0, 1 << 20) : -1;
    else if (word == "super") c.verticalAlign = 1;
    else if (word == "sub") c.verticalAlign = -1;
    else if (word == "nosupersub") c.verticalAlign = 0;
    else if (word == "pard") p = ParaFormat{};
    else if (word == "ql") p.alignment = Alignment::Left;
    else if (word == "qr") p.alignment = Alignment::Right;
    else if (word == "qc") p.alignment = Alignment::Centre;
    else if (word == "qj") p.alignment = Alignment::Justify;
    else if (word == "li") p.leftIndent = Clamp(param, -MaxTwips, MaxTwips);
    else if (word == "ri") p.rightIndent = Clamp(param, -MaxTwips, MaxTwips);
    else if (word == "fi") p.firstIndent = Clamp(param, -MaxTwips, MaxTwips);
    else if (word == "sb") p.spaceBefore = Clamp(param, 0, MaxTwips);
    else if (word == "sa") p.spaceAfter = Clamp(param, 0, MaxTwips);
    else if (word == "sl") p.lineSpacing = Clamp(param, -MaxTwips, MaxTwips);
    else if (word == "slmult") p.lineMultiple = on;
    else if (word == "keepn") p.keepWithNext = on;
    else if (word == "pagebb") p.pageBreakBefore = on;
    else if (word == "intbl") p.inTable = true;
    else if (word == "ls") p.bullet = true;
    else if (word == "ilvl") p.listLevel = Clamp(param, 0, 8);
    else if (word == "s" && State().dest == Dest::Body) ApplyStyle(param);
  }

  void ApplyStyle(int number) {
    const auto it = styles_.find(number);
    if (it == styles_.end()) return;
    const bool inTable = State().para.inTable;
    State().para = it->second.para;
    State().para.inTable = inTable;
    State().chr = it->second.chr;
  }

  // Ends the paragraph being read; `explicitEnd` keeps it even when it is empty.
  void FinishParagraph(bool explicitEnd) {
    if (!explicitEnd && paragraph_.content.empty()) return;
    paragraph_.format = stack_.empty() ? ParaFormat{} : State().para;
    if (pageBreak_) {
      paragraph_.format.pageBreakBefore = true;
      pageBreak_ = false;
    }
    if (paragraph_.format.inTable) {
      cell_.paragraphs.push_back(std::move(paragraph_));
    } else {
      FinishRow();
      tableOpen_ = false;
      doc_.blocks.push_back(std::move(paragraph_));
    }
    paragraph_ = Paragraph{};
  }

  void FinishCell() {
    if (row_.cells.size() < static_cast<std::size_t>(limits_.maxColumns)) {
      row_.cells.push_back(std::move(cell_));
    } else {
      auto& last = row_.cells.back().paragraphs;
      for (Paragraph& p : cell_.paragraphs) last.push_back(std::move(p));
    }
    cell_ = TableCell{};
  }

  void FinishRow() {
    if (!cell_.paragraphs.empty()) FinishCell();
    if (row_.cells.empty()) return;
    row_.left = rowLeft_;
    row_.borders = rowBorders_;
    for (std::size_t i = 0; i < row_.cells.size() && i < rowEdges_.size(); ++i) row_.cells[i].rightEdge = rowEdges_[i];
    if (!tableOpen_ || doc_.blocks.empty() || !std::holds_alternative<Table>(doc_.blocks.back())) {
      doc_.blocks.push_back(Table{});
      tableOpen_ = true;
    }
    std::get<Table>(doc_.blocks.back()).rows.push_back(std::move(row_));
    row_ = TableRow{};
  }

  std::string_view data_;
  RtfLimits limits_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  int overflow_ = 0;  // groups opened past the depth limit, skipped whole
  bool finished_ = false;
  bool ignorable_ = false;   // "\*" seen
  bool groupStart_ = false;  // nothing read yet in the newest group
  int pendingSkip_ = 0;      // fallback characters of a \u still to drop
  int highSurrogate_ = 0;

  RtfDocument doc_;
  Paragraph paragraph_;
  bool pageBreak_ = false;
  TableCell cell_;
  TableRow row_;
  bool tableOpen_ = false;
  std::vector<int> rowEdges_;
  int rowLeft_ = 0;
  bool rowBorders_ = false;

  int fontNumber_ = 0;
  std::string fontName_;
  Colour colour_;
  std::map<int, StyleDefinition> styles_;
  int styleNumber_ = 0;
  std::string styleName_;
  Picture picture_;
  int highNibble_ = -1;
  bool listBullet_ = false;
  bool listNumbered_ = false;
};

}  // namespace

RtfDocument ParseRtf(std::string_view data, const RtfLimits& limits) {
  if (data.size() > limits.maxBytes) throw ERtfReadError("The document is too large to open.");
  std::size_t start = 0;
  while (start < data.size() && (data[start] == ' ' || data[start] == '\t' || data[start] == '\r' || data[start] == '\n'))
    ++start;
  if (data.substr(start, 5) != "{\\rtf") throw ERtfReadError("The file is not a Rich Text Format document.");
  return Parser(data.substr(start), limits).Parse();
}

}  // namespace korvana::rtf
