// Record numbers and fixed values of the 16-bit Windows metafile format, shared by the
// metafile writer and the player.
#pragma once

#include <cstdint>

namespace korvana::wmf {

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t PlaceableHeaderSize = 22;
constexpr std::size_t HeaderSize = 18;  // the metafile header, 9 words

// Record functions.
enum Function : std::uint16_t {
  Eof = 0x0000,
  SaveDc = 0x001E,
  RealizePalette = 0x0035,
  SetBkMode = 0x0102,
  SetMapMode = 0x0103,
  SetRop2 = 0x0104,
  SetPolyFillMode = 0x0106,
  SetStretchBltMode = 0x0107,
  RestoreDc = 0x0127,
  SelectObject = 0x012D,
  SetTextAlign = 0x012E,
  DeleteObject = 0x01F0,
  SetBkColor = 0x0201,
  SetTextColor = 0x0209,
  SetWindowOrg = 0x020B,
  SetWindowExt = 0x020C,
  SetViewportOrg = 0x020D,
  SetViewportExt = 0x020E,
  LineTo = 0x0213,
  MoveTo = 0x0214,
  CreatePenIndirect = 0x02FA,
  CreateFontIndirect = 0x02FB,
  CreateBrushIndirect = 0x02FC,
  Polygon = 0x0324,
  Polyline = 0x0325,
  Ellipse = 0x0418,
  Rectangle = 0x041B,
  IntersectClipRect = 0x0416,
  SetPixel = 0x041F,
  TextOut = 0x0521,
  PolyPolygon = 0x0538,
  RoundRect = 0x061C,
  ExtTextOut = 0x0A32,
  Arc = 0x0817,
  Pie = 0x081A,
  Chord = 0x0830,
  DibStretchBlt = 0x0B41,
  StretchDib = 0x0F43,
};

// Pen styles.
constexpr std::uint16_t PsSolid = 0, PsDash = 1, PsDot = 2, PsDashDot = 3, PsDashDotDot = 4,
                        PsNull = 5, PsStyleMask = 0x000F;
constexpr std::uint16_t PsEndcapRound = 0x0000, PsEndcapSquare = 0x0100, PsEndcapFlat = 0x0200,
                        PsEndcapMask = 0x0F00;
constexpr std::uint16_t PsJoinRound = 0x0000, PsJoinBevel = 0x1000, PsJoinMiter = 0x2000,
                        PsJoinMask = 0xF000;

// Brush styles and hatches.
constexpr std::uint16_t BsSolid = 0, BsNull = 1, BsHatched = 2;
constexpr std::uint16_t HsHorizontal = 0, HsVertical = 1, HsFDiagonal = 2, HsBDiagonal = 3,
                        HsCross = 4, HsDiagCross = 5;

// Text alignment flags.
constexpr std::uint16_t TaUpdateCp = 1, TaRight = 2, TaCenter = 6, TaHorizontalMask = 6,
                        TaTop = 0, TaBottom = 8, TaBaseline = 24, TaVerticalMask = 24;

// ExtTextOut options.
constexpr std::uint16_t EtoOpaque = 2, EtoClipped = 4;

// Background modes and polygon fill modes.
constexpr std::uint16_t BkTransparent = 1, BkOpaque = 2;
constexpr std::uint16_t FillAlternate = 1, FillWinding = 2;

constexpr std::uint8_t SymbolCharset = 2;

}  // namespace korvana::wmf
