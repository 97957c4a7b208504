#include "core/wheels/wheel_design.h"

#include <cmath>
#include <cstring>

#include "core/util/files.h"

namespace korvana {
namespace {

// Little-endian access to a record at fixed offsets.
std::int16_t GetI16(std::string_view d, std::size_t off) {
  return static_cast<std::int16_t>(static_cast<std::uint8_t>(d[off]) |
                                   (static_cast<std::uint8_t>(d[off + 1]) << 8));
}
std::uint32_t GetU32(std::string_view d, std::size_t off) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(d[off + i]);
  return v;
}
void PutI16(std::string& d, std::size_t off, std::int16_t value) {
  auto v = static_cast<std::uint16_t>(value);
  d[off] = static_cast<char>(v & 0xFF);
  d[off + 1] = static_cast<char>(v >> 8);
}
void PutU32(std::string& d, std::size_t off, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) d[off + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Reading and writing share one description of the layout (Visit below), so the two
// directions cannot disagree about an offset.
struct Reader {
  std::string_view d;
  void I16(std::size_t off, std::int16_t& v) { v = GetI16(d, off); }
  void Col(std::size_t off, Color& v) { v = GetU32(d, off); }
  // A truth value is set only by -1; any other value counts as false.
  void B16(std::size_t off, bool& v) { v = GetI16(d, off) == -1; }
  void F32(std::size_t off, float& v) {
    std::uint32_t bits = GetU32(d, off);
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) v = 0;   // a damaged number draws as absent, never as NaN
  }
};

struct Writer {
  std::string& d;
  void I16(std::size_t off, const std::int16_t& v) { PutI16(d, off, v); }
  void Col(std::size_t off, const Color& v) { PutU32(d, off, v); }
  // Keeps a stored truth value that already means the same (e.g. a stray 1 for false).
  void B16(std::size_t off, const bool& v) {
    if ((GetI16(d, off) == -1) != v) PutI16(d, off, v ? -1 : 0);
  }
  void F32(std::size_t off, const float& v) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    if (bits != GetU32(d, off)) PutU32(d, off, bits);
  }
};

constexpr std::size_t CuspBase = 514, CuspSize = 32;
constexpr std::size_t LabelBase = 834, LabelSize = 42;
constexpr std::size_t HouseBase = 1254, HouseSize = 14;
constexpr std::size_t ZodiacBase = 1394, ZodiacSize = 68;
constexpr std::size_t ExtraBase = 2074, RingSize = 76;
constexpr std::size_t AspectBase = 2454, AspectSize = 20;
constexpr std::size_t RingBase = 2474;

template <class IO, class Band>
void VisitBand(IO& io, std::size_t b, Band& band) {
  io.I16(b, band.inner);
  io.I16(b + 2, band.outer);
}

template <class IO, class S>
void VisitCusp(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  io.I16(b + 4, s.penStyleAngular);
  io.I16(b + 6, s.penStyleOther);
  io.I16(b + 8, s.penWidthAngular);
  io.I16(b + 10, s.penWidthOther);
  io.Col(b + 12, s.colorAngular);
  io.Col(b + 16, s.colorOther);
  io.B16(b + 20, s.arrowMc);
  io.B16(b + 22, s.arrowAsc);
  io.F32(b + 24, s.arrowHalfAngle);
  io.F32(b + 28, s.arrowLength);
}

template <class IO, class S>
void VisitLabel(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  io.I16(b + 4, s.arrangement);
  io.B16(b + 6, s.interceptedShown);
  io.F32(b + 8, s.innerTick);
  io.F32(b + 12, s.outerTick);
  io.B16(b + 16, s.signShown);
  io.F32(b + 18, s.signFontSize);
  io.B16(b + 22, s.signBold);
  io.B16(b + 24, s.signItalic);
  io.B16(b + 26, s.degreeShown);
  io.F32(b + 28, s.degreeFontSize);
  io.B16(b + 32, s.degreeBold);
  io.B16(b + 34, s.minuteShown);
  io.F32(b + 36, s.minuteFontSize);
  io.B16(b + 40, s.minuteBold);
}

template <class IO, class S>
void VisitHouse(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  io.F32(b + 4, s.radius);
  io.F32(b + 8, s.fontSize);
  io.B16(b + 12, s.bold);
}

template <class IO, class S>
void VisitZodiac(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  io.I16(b + 4, s.content);
  io.B16(b + 6, s.sectorFilled);
  io.F32(b + 8, s.symbolRadius);
  io.F32(b + 12, s.fontSize);
  io.B16(b + 16, s.bold);
  io.B16(b + 18, s.italic);
  io.F32(b + 20, s.turnedWidthFactor);
  io.I16(b + 36, s.longTickInterval);
  io.F32(b + 38, s.longTickLength);
  io.B16(b + 42, s.ticksOutwards);
  io.Col(b + 44, s.tickColor);
  io.F32(b + 48, s.mediumTickLength);
  io.F32(b + 52, s.shortTickLength);
  io.I16(b + 56, s.mediumTickInterval);
  io.I16(b + 58, s.shortTickInterval);
}

template <class IO, class S>
void VisitRing(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  for (std::size_t i = 0; i < 5; ++i) io.F32(b + 4 + 4 * i, s.radius[i]);
  io.F32(b + 24, s.glyphFontSize);
  io.B16(b + 28, s.glyphBold);
  io.B16(b + 30, s.glyphItalic);
  io.F32(b + 32, s.degreeFontSize);
  io.B16(b + 36, s.degreeBold);
  io.F32(b + 38, s.minuteFontSize);
  io.F32(b + 42, s.pointerLength[0]);
  io.F32(b + 46, s.pointerLength[1]);
  io.I16(b + 50, s.pointerPenWidth);
  io.F32(b + 52, s.signFontSize);
  io.B16(b + 56, s.pointerBent[0]);
  io.B16(b + 58, s.pointerBent[1]);
  io.B16(b + 60, s.pointAbbreviations);
  io.B16(b + 62, s.signAbbreviations);
}

template <class IO, class D>
void Visit(IO& io, D& d) {
  io.I16(0, d.version);
  io.I16(82, d.circleCount);
  io.I16(84, d.chartCount);
  io.I16(86, d.designRadius);
  for (std::size_t i = 0; i < WheelMaxCircles; ++i) {
    auto& c = d.circles[i];
    io.F32(114 + 4 * i, c.radius);
    io.B16(194 + 2 * i, c.outline);
    io.I16(234 + 2 * i, c.penStyle);
    io.I16(274 + 2 * i, c.penWidth);
    io.Col(314 + 4 * i, c.penColor);
    io.B16(394 + 2 * i, c.filled);
    io.Col(434 + 4 * i, c.fillColor);
  }
  for (std::size_t layer = 0; layer < WheelLayers; ++layer) {
    for (std::size_t chart = 0; chart < WheelMaxCharts; ++chart) {
      const std::size_t n = layer * WheelMaxCharts + chart;
      VisitCusp(io, CuspBase + n * CuspSize, d.cusps[layer][chart]);
      VisitLabel(io, LabelBase + n * LabelSize, d.cuspLabels[layer][chart]);
      VisitHouse(io, HouseBase + n * HouseSize, d.houseNumbers[layer][chart]);
      VisitZodiac(io, ZodiacBase + n * ZodiacSize, d.zodiac[layer][chart]);
    }
  }
  for (std::size_t chart = 0; chart < WheelMaxCharts; ++chart) {
    VisitRing(io, ExtraBase + chart * RingSize, d.extraRings[chart]);
    VisitRing(io, RingBase + chart * RingSize, d.pointRings[chart]);
  }
  io.I16(2454, d.aspects.circle[0]);
  io.I16(2456, d.aspects.circle[1]);
  io.I16(2458, d.aspects.chart[0]);
  io.I16(2460, d.aspects.chart[1]);
  io.F32(2462, d.aspects.tickLength[0]);
  io.F32(2466, d.aspects.tickLength[1]);
  io.I16(2470, d.aspects.tickPenWidth);
  io.F32(2854, d.dialDegrees);
  io.B16(2858, d.fixedRotation);
  io.F32(2860, d.rotationDegrees);
  io.B16(2864, d.swapDegreeAndMinute);
}

// Version-1 layout.
constexpr std::size_t V1Cusp = 314, V1Label = 346, V1House = 388, V1Zodiac = 402;
constexpr std::size_t V1Aspect = 462, V1Rings = 482;

std::string UnreadableText(const std::string& path) {
  return "Unable to read wheel file: \r\n\r\n" + path;
}

}  // namespace

const WheelCircle* WheelDesign::Circle(int index) const {
  if (index < 1 || index > WheelMaxCircles) return nullptr;
  return &circles[static_cast<std::size_t>(index - 1)];
}

bool WheelDesign::UsableBand(const WheelBand& band) {
  return band.inner >= 1 && band.inner <= WheelMaxCircles && band.outer >= 1 &&
         band.outer <= WheelMaxCircles;
}

std::optional<WheelDesign> ParseWheelDesign(std::string_view record) {
  if (record.size() != WheelDesignSize) return std::nullopt;
  WheelDesign design;
  design.raw.assign(record.data(), record.size());
  Reader reader{record};
  Visit(reader, design);
  return design;
}

std::string SerializeWheelDesign(const WheelDesign& design) {
  std::string out = design.raw;
  out.resize(WheelDesignSize, '\0');
  Writer writer{out};
  Visit(writer, design);
  return out;
}

std::optional<std::string> ConvertWheelDesignV1(std::string_view v1) {
  if (v1.size() < WheelDesignV1Size) return std::nullopt;
  v1 = v1.substr(0, WheelDesignV1Size);
  const int circleCount = GetI16(v1, 82);
  const int chartCount = GetI16(v1, 84);
  if (circleCount < 1 || circleCount > WheelMaxCirclesV1) return std::nullopt;
  if (chartCount < 1 || chartCount > WheelMaxCharts) return std::nullopt;

  std::string d(WheelDesignSize, '\0');
  d.replace(0, v1.size(), v1);
  PutI16(d, 0, 2);
  // Circle fields move from the ten-entry arrays to the twenty-entry ones. The source is
  // the original record: the two layouts overlap, so the copy in `d` is already
  // partly overwritten by earlier moves.
  for (std::size_t i = 0; i < static_cast<std::size_t>(circleCount); ++i) {
    d.replace(114 + 4 * i, 4, v1.substr(114 + 4 * i, 4));
    d.replace(194 + 2 * i, 2, v1.substr(154 + 2 * i, 2));
    d.replace(234 + 2 * i, 2, v1.substr(174 + 2 * i, 2));
    d.replace(274 + 2 * i, 2, v1.substr(194 + 2 * i, 2));
    d.replace(314 + 4 * i, 4, v1.substr(214 + 4 * i, 4));
    d.replace(394 + 2 * i, 2, v1.substr(254 + 2 * i, 2));
    d.replace(434 + 4 * i, 4, v1.substr(274 + 4 * i, 4));
  }
  // Every cusp, cusp-label, house-number style and extra-point ring starts absent.
  for (std::size_t n = 0; n < WheelLayers * WheelMaxCharts; ++n) {
    PutI16(d, CuspBase + n * CuspSize, 0);
    PutI16(d, LabelBase + n * LabelSize, 0);
    PutI16(d, HouseBase + n * HouseSize, 0);
  }
  for (std::size_t chart = 0; chart < WheelMaxCharts; ++chart) {
    PutI16(d, ExtraBase + chart * RingSize, 0);
  }
  d.replace(CuspBase, CuspSize, v1.substr(V1Cusp, CuspSize));
  d.replace(LabelBase, LabelSize, v1.substr(V1Label, LabelSize));
  d.replace(HouseBase, HouseSize, v1.substr(V1House, HouseSize));
  d.replace(AspectBase, AspectSize, v1.substr(V1Aspect, AspectSize));
  for (std::size_t chart = 0; chart < static_cast<std::size_t>(chartCount); ++chart) {
    d.replace(RingBase + chart * RingSize, RingSize,
              v1.substr(V1Rings + chart * RingSize, RingSize));
  }
  d.replace(ZodiacBase, 60, v1.substr(V1Zodiac, 60));
  PutI16(d, ZodiacBase + 60, 2);
  PutU32(d, ZodiacBase + 62, 0);
  PutI16(d, ZodiacBase + 66, 0);
  // The older layout kept the dial inside the zodiac band record.
  d.replace(2854, 4, v1.substr(V1Zodiac + 24, 4));
  d.replace(2858, 2, v1.substr(V1Zodiac + 28, 2));
  d.replace(2860, 4, v1.substr(V1Zodiac + 30, 4));
  PutI16(d, 2864, 0);
  return d;
}

namespace {

bool Absent(const WheelBand& band) { return band.inner == 0 && band.outer == 0; }

// Whether every style beyond layer 1, chart 1 (and every extra-point ring) is absent, as
// the version-1 layout has room for nothing else.
bool FitsVersion1(const WheelDesign& d) {
  if (d.circleCount < 1 || d.circleCount > WheelMaxCirclesV1) return false;
  if (d.chartCount < 1 || d.chartCount > WheelMaxCharts) return false;
  if (d.swapDegreeAndMinute) return false;
  for (std::size_t layer = 0; layer < WheelLayers; ++layer) {
    for (std::size_t chart = 0; chart < WheelMaxCharts; ++chart) {
      if (layer == 0 && chart == 0) continue;
      if (!Absent(d.cusps[layer][chart].band) || !Absent(d.cuspLabels[layer][chart].band) ||
          !Absent(d.houseNumbers[layer][chart].band) || !Absent(d.zodiac[layer][chart].band)) {
        return false;
      }
    }
  }
  for (const PointRingStyle& ring : d.extraRings) {
    if (!Absent(ring.band)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> SerializeWheelDesignV1(const WheelDesign& design) {
  if (!FitsVersion1(design)) return std::nullopt;
  const std::string v2 = SerializeWheelDesign(design);
  std::string d(WheelDesignV1Size, '\0');
  d.replace(0, 114, v2.substr(0, 114));
  PutI16(d, 0, 1);
  for (std::size_t i = 0; i < WheelMaxCirclesV1; ++i) {
    d.replace(114 + 4 * i, 4, v2.substr(114 + 4 * i, 4));
    d.replace(154 + 2 * i, 2, v2.substr(194 + 2 * i, 2));
    d.replace(174 + 2 * i, 2, v2.substr(234 + 2 * i, 2));
    d.replace(194 + 2 * i, 2, v2.substr(274 + 2 * i, 2));
    d.replace(214 + 4 * i, 4, v2.substr(314 + 4 * i, 4));
    d.replace(254 + 2 * i, 2, v2.substr(394 + 2 * i, 2));
    d.replace(274 + 4 * i, 4, v2.substr(434 + 4 * i, 4));
  }
  d.replace(V1Cusp, CuspSize, v2.substr(CuspBase, CuspSize));
  d.replace(V1Label, LabelSize, v2.substr(LabelBase, LabelSize));
  d.replace(V1House, HouseSize, v2.substr(HouseBase, HouseSize));
  d.replace(V1Zodiac, 60, v2.substr(ZodiacBase, 60));
  d.replace(V1Zodiac + 24, 4, v2.substr(2854, 4));
  d.replace(V1Zodiac + 28, 2, v2.substr(2858, 2));
  d.replace(V1Zodiac + 30, 4, v2.substr(2860, 4));
  d.replace(V1Aspect, AspectSize, v2.substr(AspectBase, AspectSize));
  for (std::size_t chart = 0; chart < WheelMaxCharts; ++chart) {
    d.replace(V1Rings + chart * RingSize, RingSize, v2.substr(RingBase + chart * RingSize, RingSize));
  }
  return d;
}

WheelDesign ReadWheelDesign(const std::string& path) {
  if (!FileExists(path)) throw EWheelFileMissing("Wheel file does not exist: " + path);
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes || bytes->size() < 2) throw EWheelDesignError(UnreadableText(path));
  const int version = GetI16(*bytes, 0);
  std::optional<std::string> record;
  if (version == 1) {
    record = ConvertWheelDesignV1(*bytes);
  } else if (version == 2) {
    if (bytes->size() >= WheelDesignSize) record = bytes->substr(0, WheelDesignSize);
  } else {
    throw EWheelDesignError("Invalid wheel file version: " + std::to_string(version) + "\r\n\r\n" + path);
  }
  // Counts outside what the record holds make the whole design unreadable: every circle
  // and chart index of the drawing would be in doubt.
  if (record) {
    const int circles = GetI16(*record, 82);
    const int charts = GetI16(*record, 84);
    if (circles >= 1 && circles <= WheelMaxCircles && charts >= 1 && charts <= WheelMaxCharts) {
      if (auto design = ParseWheelDesign(*record)) return *design;
    }
  }
  throw EWheelDesignError(UnreadableText(path));
}

std::optional<WheelDesign> LoadWheelDesign(const std::string& path, Messages& messages) {
  try {
    return ReadWheelDesign(path);
  } catch (const EWheelFileMissing&) {
    throw;
  } catch (const EWheelDesignError& e) {
    messages.Error(e.what());
    return std::nullopt;
  }
}

}  // namespace korvana
