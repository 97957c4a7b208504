// The RTF emitter: every piece of Rich Text Format the report drivers write, and the small
// markup language of report texts that it turns into RTF.
//
// A report paragraph goes through SubstituteNames, ConvertTokens, ConvertTables,
// ConvertLists, ConvertBars and StyledParagraph, and is then appended with WriteText.
//
// Strings handled here are the program's UTF-8 text carrying RTF control words. The
// document itself is 8-bit Windows-1252: WriteText converts at that boundary, writing
// characters the code page lacks as "\uN?" escapes. Nothing else holds state: the text
// styles and page geometry come in an RtfLayout.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/program_settings.h"
#include "core/util/error.h"
#include "core/util/files.h"

namespace korvana {

// The text styles and page geometry the emitter formats with.
struct RtfLayout {
  std::array<TTextStyle, TextStyleCount> styles{};
  std::int32_t pageWidth = 12018;   // twips
  std::int32_t pageHeight = 16951;  // twips
  std::int32_t marginLeft = 720;    // twips
  std::int32_t marginRight = 720;   // twips
  std::int32_t marginTop = 720;     // twips
  std::int32_t marginBottom = 720;  // twips
  // Factor applied to the heights of embedded metafile pictures.
  double wheelAspectRatioAdjustment = 1.0;
  // Screen pixel densities; metafile heights are corrected when they differ.
  double screenDpiX = 96.0;
  double screenDpiY = 96.0;
  // Folder (ending in "/") where a bitmap converted to JPEG is kept as "Temp.jpg".
  std::string systemPath;
  // The report language's word before the page number in the footer, and the language
  // the document declares (a Windows language identifier).
  std::string pageWord = "Page";
  int languageId = 2057;

  // Page width less both margins.
  std::int32_t TextWidth() const { return pageWidth - marginLeft - marginRight; }
  // Page height less both margins and the footer's line.
  std::int32_t TextHeight() const { return pageHeight - marginTop - marginBottom - FooterHeight; }
  static constexpr std::int32_t FooterHeight = 360;

  // The layout the program's settings describe.
  static RtfLayout FromSettings(const ProgramSettings& settings);
};

// The output document: bytes appended in order, saved in one step so that a failed run
// never leaves a half-written file behind.
class RtfFile {
 public:
  // Appends bytes exactly as given (control words, picture data).
  void AppendRaw(std::string_view bytes) { data_.append(bytes); }
  const std::string& Data() const { return data_; }
  std::string& MutableData() { return data_; }
  // Writes the document through a work file and a rename. False when it cannot be written.
  bool Save(const std::string& path, Durability durability = Durability::Flushed) const;

 private:
  std::string data_;
};

// Appends a UTF-8 text carrying RTF markup: characters of Windows-1252 become their byte,
// other characters "\uN?" (N as a signed 16-bit number).
void WriteText(RtfFile& file, std::string_view text);

// The same conversion as WriteText, returned as a string.
std::string EncodeRtfText(std::string_view text);

// A plain text (a chart's name or place, a report set's author) made safe to stand in
// report markup: "\", "{" and "}" are escaped, the characters the paragraph pipeline
// reads as markup ("|", "<", "[", "]") become hexadecimal escapes of themselves, and
// control characters are dropped. Other characters, UTF-8 included, are kept.
std::string RtfLiteral(std::string_view text);

// The document opening: font table (three fixed fonts and one per text style), colour table
// (one entry per style, no leading empty entry), the page's size and margins, a footer
// with "Page " and the page number, and the plain paragraph at the base size.
std::string DocumentHeader(const RtfLayout& layout, int baseSize);

// "\r\n\par \pard }".
std::string DocumentEnd();

enum class EmphasisKind { Bold = 0, Italic = 1, Underline = 2 };
// "{\b text}", "{\i text}" or "{\ul text}".
std::string Emphasis(std::string_view text, EmphasisKind kind);

// One paragraph of text in a style (0..10). A negative lineSpacing -p sets exact line
// spacing of p percent of the font size; keepOpen leaves the paragraph unterminated.
// Throws std::invalid_argument for a style number outside 0..10.
std::string StyledParagraph(const RtfLayout& layout, std::string_view text, int style,
                            bool keepOpen, int lineSpacing);

// Page, centring, bold/italic/underline and topic-title tokens.
void ConvertTokens(const RtfLayout& layout, std::string& text);

// "<TABLEON>" ... "<TABLEOFF>" spans: rows at "<ENDROW>" or line breaks, cells at tabs.
void ConvertTables(const RtfLayout& layout, std::string& text);

// "<LIST>", "<BULLET>" and "<ENDLIST>": a bulleted list in the size of the body text style.
void ConvertLists(const RtfLayout& layout, std::string& text);

// Every "|" becomes a paragraph end.
void ConvertBars(std::string& text);

// Who the report is about, for name placeholders and gender choices.
struct ReportOwners {
  // One owner name per chart, in chart order ("%1" and "%2").
  std::vector<std::string> names;
  // The event kind of chart 1 and chart 2 (1 male, 2 female, 0 unspecified: the neutral
  // word; any other kind takes the first part of a choice).
  std::array<std::uint8_t, 2> eventKinds{};
  bool swapped = false;    // the report's two charts are swapped
  bool twoCharts = false;  // a report on two charts
  int language = 0;        // the report language, for the neutral words (lang::NeutralChoice)
};

// "%1"/"%2" placeholders and "[male/female]" or "[male/female/n]" gender choices. For a chart
// of unspecified gender the choice takes the report language's neutral word
// (lang::NeutralChoice: the person's name for the subject pronoun) when there is one, else
// its first part.
void SubstituteNames(std::string& text, const ReportOwners& owners);


// A picture that cannot be read or has an unusable header.
class ERtfPictureError : public Error {
 public:
  using Error::Error;
};

// Writes a centred picture paragraph for a ".bmp" (converted to JPEG and kept as
// "Temp.jpg" in the system folder), ".jpg"/".jpeg", placeable ".wmf" or ".emf" file,
// goalWidth twips wide; never wider than the text width nor taller than the page's text
// height (scaled down, keeping its shape). Any other extension writes nothing. Throws ERtfPictureError when
// the picture cannot be loaded; nothing is written then.
void InsertPicture(RtfFile& file, const RtfLayout& layout, const std::string& pictureFile,
                   std::int32_t goalWidth);

// Ends the page: empty paragraphs at the end of the document are removed first.
void PageBreak(RtfFile& file);

}  // namespace korvana
