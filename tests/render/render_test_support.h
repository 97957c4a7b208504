// Helpers of the render tests: coarse picture comparison by the share of inked pixels in
// the cells of a grid, and a walk over the records of a metafile.
#pragma once

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/records.h"

namespace korvana::testing {

// A white image of the given size, ready for painting.
inline QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Share (0..1) of inked (clearly not white) pixels in each cell of a cols x rows grid.
inline std::vector<double> InkGrid(const QImage& image, int cols, int rows) {
  std::vector<double> shares(static_cast<std::size_t>(cols * rows), 0.0);
  const QImage img = image.convertToFormat(QImage::Format_RGB32);
  for (int cy = 0; cy < rows; ++cy) {
    for (int cx = 0; cx < cols; ++cx) {
      int x0 = img.width() * cx / cols, x1 = img.width() * (cx + 1) / cols;
      int y0 = img.height() * cy / rows, y1 = img.height() * (cy + 1) / rows;
      int inked = 0, total = 0;
      for (int y = y0; y < y1; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = x0; x < x1; ++x) {
          QRgb p = line[x];
          if (qRed(p) + qGreen(p) + qBlue(p) < 3 * 200) ++inked;
          ++total;
        }
      }
      shares[static_cast<std::size_t>(cy * cols + cx)] = total > 0 ? double(inked) / total : 0.0;
    }
  }
  return shares;
}

// Largest difference of the ink shares of two pictures over the cells of a grid.
inline double InkDifference(const QImage& a, const QImage& b, int cols, int rows) {
  std::vector<double> ga = InkGrid(a, cols, rows), gb = InkGrid(b, cols, rows);
  double worst = 0;
  for (std::size_t i = 0; i < ga.size(); ++i) worst = std::max(worst, std::abs(ga[i] - gb[i]));
  return worst;
}

inline double TotalInk(const QImage& image) {
  std::vector<double> g = InkGrid(image, 1, 1);
  return g[0];
}

struct WmfRecord {
  std::uint16_t function = 0;
  std::uint32_t words = 0;
  std::string params;
};

// The records of a placeable metafile after its two headers; stops after the end record.
inline std::vector<WmfRecord> WmfRecords(std::string_view data) {
  std::vector<WmfRecord> out;
  ByteReader r(data);
  r.Seek(22 + 18);
  while (!r.AtEnd()) {
    WmfRecord rec;
    rec.words = r.U32();
    rec.function = r.U16();
    if (rec.words < 3) break;
    rec.params = r.Bytes(rec.words * 2 - 6);
    out.push_back(rec);
    if (rec.function == 0) break;
  }
  return out;
}

}  // namespace korvana::testing
