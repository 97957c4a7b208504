// Wheel design files: the fixed-size record that says which concentric circles a chart
// wheel has, how each is drawn, and which rings carry the zodiac, the house cusps and
// numbers, the chart points and the aspect lines, for up to five charts.
//
// Files come in two layouts: version 2 (2964 bytes, the one the drawing uses) and the
// older version 1 (962 bytes, at most 10 circles and styles for the first chart only),
// which is converted to version 2 on loading. The record keeps its raw bytes so that the
// bytes the program does not interpret survive when a design is copied or written again.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/colors.h"
#include "core/util/messages.h"
#include "core/util/error.h"

namespace korvana {

inline constexpr std::size_t WheelDesignSize = 2964;     // version 2
inline constexpr std::size_t WheelDesignV1Size = 962;    // version 1
inline constexpr int WheelMaxCircles = 20;
inline constexpr int WheelMaxCirclesV1 = 10;
inline constexpr int WheelMaxCharts = 5;
inline constexpr int WheelLayers = 2;

// The colour that, given to a cusp kind, means those cusps are not drawn.
inline constexpr Color WheelNoCuspColor = 0xFFFFFFFFu;

struct WheelCircle {
  float radius = 0;          // fraction of the wheel radius
  bool outline = false;
  std::int16_t penStyle = 0;
  std::int16_t penWidth = 0;
  Color penColor = 0;
  bool filled = false;
  Color fillColor = 0;
};

// A style's band between two circles of the circle table (1-based, 0 = absent).
struct WheelBand {
  std::int16_t inner = 0;
  std::int16_t outer = 0;
};

struct CuspStyle {
  WheelBand band;
  std::int16_t penStyleAngular = 0;
  std::int16_t penStyleOther = 0;
  std::int16_t penWidthAngular = 0;
  std::int16_t penWidthOther = 0;
  Color colorAngular = 0;
  Color colorOther = 0;
  bool arrowMc = false;
  bool arrowAsc = false;
  float arrowHalfAngle = 0;   // radians
  float arrowLength = 0;       // fraction of the wheel radius
};

struct CuspLabelStyle {
  WheelBand band;
  std::int16_t arrangement = 0;      // low byte 2, 3 or 4: decorated arrangements
  bool interceptedShown = false;
  float innerTick = 0;              // fractions of the band width, 0 = none
  float outerTick = 0;
  bool signShown = false;
  float signFontSize = 0;
  bool signBold = false;
  bool signItalic = false;
  bool degreeShown = false;
  float degreeFontSize = 0;
  bool degreeBold = false;
  bool minuteShown = false;
  float minuteFontSize = 0;
  bool minuteBold = false;
};

struct HouseNumberStyle {
  WheelBand band;
  float radius = 0;       // fraction within the band
  float fontSize = 0;
  bool bold = false;
};

// Content codes of a zodiac band's sectors.
enum ZodiacContent : std::int16_t {
  ContentSignGlyph = 2,
  ContentSignGlyphTurned = 3,
  ContentDivisionNumbers = 4,
  ContentSignAbbrev = 5,
  ContentSignAbbrevTurned = 6,
  ContentRulerGlyph = 8,
  ContentRulerGlyphTurned = 9,
  ContentRulerAbbrev = 10,
  ContentRulerAbbrevTurned = 11,
};

struct ZodiacBandStyle {
  WheelBand band;
  std::int16_t content = 0;
  bool sectorFilled = false;
  float symbolRadius = 0;      // fraction within the band
  float fontSize = 0;
  bool bold = false;
  bool italic = false;
  float turnedWidthFactor = 0;
  std::int16_t longTickInterval = 0;
  float longTickLength = 0;   // fractions of the band width
  bool ticksOutwards = false;
  Color tickColor = 0;
  float mediumTickLength = 0;
  float shortTickLength = 0;
  std::int16_t mediumTickInterval = 0;
  std::int16_t shortTickInterval = 0;
};

// Indexes into PointRingStyle::radius.
enum PointRingItem { RingGlyph = 0, RingDegree, RingSign, RingMinute, RingRetrograde };

struct PointRingStyle {
  WheelBand band;
  std::array<float, 5> radius{};   // fractions within the band, <= 0 = not drawn
  float glyphFontSize = 0;
  bool glyphBold = false;
  bool glyphItalic = false;
  float degreeFontSize = 0;
  bool degreeBold = false;
  float minuteFontSize = 0;
  std::array<float, 2> pointerLength{};   // from the inner, from the outer circle
  std::int16_t pointerPenWidth = 0;
  float signFontSize = 0;
  std::array<bool, 2> pointerBent{};
  bool pointAbbreviations = false;
  bool signAbbreviations = false;
};

struct AspectArea {
  std::array<std::int16_t, 2> circle{};   // 0 = no aspect lines
  std::array<std::int16_t, 2> chart{};    // 1..5
  std::array<float, 2> tickLength{};     // fraction of the wheel radius, 0 = no ticks
  std::int16_t tickPenWidth = 0;
};

struct WheelDesign {
  std::int16_t version = 2;
  std::int16_t circleCount = 0;
  std::int16_t chartCount = 0;
  std::int16_t designRadius = 0;
  std::array<WheelCircle, WheelMaxCircles> circles{};
  // Two-level tables: [layer 0..1][chart 0..4].
  std::array<std::array<CuspStyle, WheelMaxCharts>, WheelLayers> cusps{};
  std::array<std::array<CuspLabelStyle, WheelMaxCharts>, WheelLayers> cuspLabels{};
  std::array<std::array<HouseNumberStyle, WheelMaxCharts>, WheelLayers> houseNumbers{};
  std::array<std::array<ZodiacBandStyle, WheelMaxCharts>, WheelLayers> zodiac{};
  std::array<PointRingStyle, WheelMaxCharts> extraRings{};
  AspectArea aspects;
  std::array<PointRingStyle, WheelMaxCharts> pointRings{};
  float dialDegrees = 360;
  bool fixedRotation = false;
  float rotationDegrees = 0;
  bool swapDegreeAndMinute = false;

  // The record as read (or zeros): keeps the bytes the program does not interpret.
  std::string raw = std::string(WheelDesignSize, '\0');

  // A circle of the table, 1-based; null outside 1..20.
  const WheelCircle* Circle(int index) const;
  // A band is usable when both its circles lie in 1..20; a style whose band is not is
  // skipped by the drawing (0 marks an absent element, anything else a broken design).
  static bool UsableBand(const WheelBand& band);
};

// A design file that cannot be read, carrying the message for the user.
class EWheelDesignError : public Error {
 public:
  using Error::Error;
};

// A design file that does not exist.
class EWheelFileMissing : public EWheelDesignError {
 public:
  using EWheelDesignError::EWheelDesignError;
};

// Decodes a version-2 record (exactly WheelDesignSize bytes, else nullopt).
std::optional<WheelDesign> ParseWheelDesign(std::string_view record);
// Converts a version-1 record to the bytes of a version-2 record; nullopt when the
// record is short or its circle or chart count lies outside what the layout holds.
std::optional<std::string> ConvertWheelDesignV1(std::string_view record);
// Encodes a design as a version-2 record over its raw bytes (uninterpreted bytes kept).
std::string SerializeWheelDesign(const WheelDesign& design);
// Encodes a design in the older version-1 layout; nullopt when the design uses what that
// layout cannot hold (more than 10 circles, styles of a second layer or of other charts
// than the first, extra-point rings, swapped degree and minute).
std::optional<std::string> SerializeWheelDesignV1(const WheelDesign& design);

// Reads and validates a design file. Throws EWheelFileMissing ("Wheel file does not
// exist: " + path) when there is no such file, and EWheelDesignError for a wrong version
// ("Invalid wheel file version: " ...) or a record that is cut short or holds counts
// beyond the layout ("Unable to read wheel file: " ...).
WheelDesign ReadWheelDesign(const std::string& path);

// ReadWheelDesign for the drawing: a missing file is still thrown to the caller; any
// other failure shows its message through `messages` and returns nullopt.
std::optional<WheelDesign> LoadWheelDesign(const std::string& path, Messages& messages);

}  // namespace korvana
