// RTF to and from QTextDocument: what the report viewer loads, edits and saves.
//
// Reading builds the document from ParseRtf's result: fonts, sizes, colours and emphasis
// become character formats, paragraphs block formats (a page break before a paragraph is
// its page break policy), tables QTextTables with the widths of their cells, list items
// QTextLists, and pictures images of the document's resources (JPEG and PNG decoded,
// Windows metafiles drawn by the metafile player; a picture that cannot be shown becomes
// a grey box of its size). Each picture keeps its original bytes and kind in its image
// format, so that writing the document back stores the same picture.
//
// Lengths: the document is laid out at PixelsPerInch, so one twip is PixelsPerInch / 1440
// pixels.
#pragma once

#include <QTextDocument>
#include <QTextFormat>
#include <string>
#include <string_view>

#include "render/rtf_reader/rtf_document.h"
#include "render/rtf_reader/rtf_parser.h"

namespace korvana::rtf {

constexpr double PixelsPerInch = 96.0;
double TwipsToPixels(double twips);
int PixelsToTwips(double pixels);

// Properties of a picture's QTextImageFormat: the stored bytes (QByteArray) and their
// PictureKind (int).
constexpr int PictureDataProperty = QTextFormat::UserProperty + 0x4B0;
constexpr int PictureKindProperty = QTextFormat::UserProperty + 0x4B1;

// Replaces the content of `doc` by the RTF document `data` and returns its page geometry;
// the undo history is cleared. Throws ERtfReadError as ParseRtf does; `doc` is unchanged
// then.
PageGeometry ReadRtf(std::string_view data, QTextDocument& doc, const RtfLimits& limits = {});

// Fills an empty `doc` from a parsed document.
void BuildTextDocument(const RtfDocument& source, QTextDocument& doc);

// The picture as an image to show at its display size: a bitmap as decoded, a metafile
// drawn at twice the display size (for zooming); a small grey box with a frame when it
// cannot be decoded. `pixelBudget` is what the document's images may still take; the
// image's pixels are taken from it, and a picture that no longer fits is decoded smaller
// or shown as the box, so that no document can make the reader allocate without bound.
QImage PictureImage(const Picture& picture, QSizeF displaySize, qint64& pixelBudget);

// The pixels the images of one document may take together.
constexpr qint64 DocumentPixelBudget = qint64{64} << 20;

// The size a picture takes on the page, in pixels.
QSizeF PictureDisplaySize(const Picture& picture);

// The document as RTF: the page geometry, a font and a colour table of what the text
// uses, paragraphs with their alignment, indents, spacing and page breaks, character
// formatting, list items, tables with their cell widths, and every picture (its original
// bytes when it came from RTF, otherwise as PNG). Characters outside ASCII are written as
// \'xx (Windows-1252) or \uN? escapes.
std::string WriteRtf(const QTextDocument& doc, const PageGeometry& page);

// The document's text with "\n" between paragraphs and table cells, UTF-8.
std::string PlainText(const QTextDocument& doc);

}  // namespace korvana::rtf
