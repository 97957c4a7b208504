// Plays a Windows metafile (placeable or plain 16-bit) onto any QPainter: screen, image,
// PDF or printer.
//
// The file is checked as a whole before anything is drawn: a short or unknown header, a
// record whose size is below the minimum or runs past the end of the data, or a missing
// end record make PlayMetafile throw EMetafileError and leave the painter untouched.
// Records the player does not know are skipped, as are drawing records whose parameters
// are too short for them.
#pragma once

#include <QPainter>
#include <QRectF>
#include <string>
#include <string_view>

#include "core/util/error.h"

namespace korvana {

class EMetafileError : public Error {
 public:
  using Error::Error;
};

struct MetafileInfo {
  bool placeable = false;
  // The picture's frame in metafile units: the placeable bounding box, or for a plain
  // metafile the window the records set.
  QRect bounds;
  int unitsPerInch = 0;  // from the placeable header; 0 for a plain metafile
  int objectCount = 0;
  int recordCount = 0;
};

// Checks the file's structure and returns its frame. Throws EMetafileError.
MetafileInfo ReadMetafileInfo(std::string_view data);

// Draws the metafile so that its frame fills `target` (in the painter's coordinates).
// The painter's state is restored afterwards. Throws EMetafileError for a damaged file.
void PlayMetafile(std::string_view data, QPainter& painter, const QRectF& target);

}  // namespace korvana
