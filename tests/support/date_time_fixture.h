// A DateTimeRec for tests, written as the calendar date it stands for.
#pragma once

#include "core/time/date_time_rec.h"

namespace korvana::testing {

inline DateTimeRec Rec(int y, int mo, int d, int h = 0, int mi = 0, int s = 0,
                       TCalendar c = calAuto) {
  DateTimeRec r;
  r.Year = static_cast<std::int16_t>(y);
  r.Month = static_cast<std::uint8_t>(mo);
  r.Day = static_cast<std::uint8_t>(d);
  r.Hour = static_cast<std::uint8_t>(h);
  r.Minute = static_cast<std::uint8_t>(mi);
  r.Second = static_cast<std::uint8_t>(s);
  r.Calendar = c;
  return r;
}

}  // namespace korvana::testing
