#include "core/reports/driver/time_notes.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/analysis/chart_figures.h"
#include "core/astro/cast_chart.h"
#include "core/astro/houses.h"
#include "core/reports/language/language.h"
#include "core/reports/rtf/rtf_emitter.h"
#include "core/time/angle_math.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana {

namespace {

// The note on an unknown birth time in each report language: {T} is the clock time the
// chart was cast for; the Moon's sentence takes its two signs {A} and {B} and the time {T}
// of its change of sign.
struct TimeUnknownWords {
  const char* note;
  const char* moon;
};
constexpr std::array<TimeUnknownWords, lang::LanguageCount> TimeUnknownNotes = {{
    {"The time of birth is not known, so this report describes the sky as it was at {T} on the day of birth "
     "and leaves out everything that depends on the hour: the Ascendant and the Midheaven, the houses and their "
     "rulers, and whether the birth was by day or by night.",
     " The Moon changed sign that day, from {A} into {B} at about {T}, so both of its signs are described where "
     "the Moon's sign matters."},
    {"La hora de nacimiento no se conoce, así que este informe describe el cielo tal como estaba a las {T} del "
     "día del nacimiento y deja fuera todo lo que depende de la hora: el Ascendente y el Mediocielo, las casas y "
     "sus regentes, y si el nacimiento fue de día o de noche.",
     " La Luna cambió de signo ese día, de {A} a {B} hacia las {T}, por lo que se describen sus dos signos allí "
     "donde importa el signo de la Luna."},
    {"Fødselstidspunktet er ukjent, så denne tolkningen beskriver himmelen slik den sto klokken {T} på "
     "fødselsdagen, og utelater alt som avhenger av klokkeslettet: ascendanten og MC, husene og deres herskere, "
     "og om fødselen skjedde om dagen eller om natten.",
     " Månen skiftet tegn denne dagen, fra {A} til {B} omkring klokken {T}, så begge tegnene beskrives der "
     "Månens tegn har betydning."},
    {"L'heure de naissance n'est pas connue : ce bulletin décrit donc le ciel tel qu'il était à {T} le jour de "
     "la naissance et laisse de côté tout ce qui dépend de l'heure : l'Ascendant et le Milieu du Ciel, les "
     "maisons et leurs maîtres, et la question de savoir si la naissance a eu lieu de jour ou de nuit.",
     " La Lune a changé de signe ce jour-là, passant de {A} à {B} vers {T} ; ses deux signes sont donc décrits "
     "là où le signe de la Lune compte."},
}};

// `text` with each "{K}" replaced by the fill of key K; a key without a fill stays as written.
std::string FilledNote(std::string_view text, std::initializer_list<std::pair<char, std::string>> fills) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '{' && i + 2 < text.size() && text[i + 2] == '}') {
      const auto fill = std::find_if(fills.begin(), fills.end(), [&](const auto& f) { return f.first == text[i + 1]; });
      if (fill != fills.end()) {
        out += fill->second;
        i += 2;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}


// The note on a local time in a clock change, in each report language. The opening takes
// the clock time {T}, the place {P} and the zone the report reads it with {Z}; each change
// the other reading makes takes the two signs {A} (other reading) and {B} (this report) or
// the number of planets {N}.
struct ClockChangeWords {
  const char* gap;
  const char* fold;
  const char* placeUnnamed;  // {P} for a chart without a place
  const char* lead;          // before the list of changes
  const char* ascendant;
  const char* midheaven;
  const char* moon;
  const char* onePlanet;
  const char* planets;
  const char* joiner;  // between changes
  const char* last;    // before the last change
  const char* tail;    // after the list
  const char* nothing; // the other reading changes no sign and no house
};
constexpr std::array<ClockChangeWords, lang::LanguageCount> ClockChangeNotes = {{
    {"The birth time given, {T}, fell in the hour that the clocks at {P} skipped when they were put forward for "
     "summer time, so no clock there showed it. This report reads it with the zone in force before the change "
     "({Z}); if the time was taken from a clock that had already been put forward, the birth came an hour earlier.",
     "The birth time given, {T}, fell in the hour that happened twice at {P} when the clocks were put back at the "
     "end of summer time. This report reads it as the first of the two ({Z}); if the birth came in the repeated "
     "hour, it was an hour later.",
     "the place of birth", " Read the other way, ", "the Ascendant would be in {A} rather than {B}",
     "the Midheaven would be in {A} rather than {B}", "the Moon would be in {A} rather than {B}",
     "one planet would stand in another house", "{N} planets would stand in another house", ", ", " and ",
     ". The parts of the report that rest on them are best read with that in mind.",
     " Read the other way, the Ascendant, the Midheaven and the Moon keep their signs and every planet keeps its "
     "house; only the degrees of the angles and the house cusps would move."},
    {"La hora de nacimiento indicada, las {T}, cayó en la hora que los relojes de {P} se saltaron al adelantarse "
     "al horario de verano, de modo que ningún reloj de allí la marcó. Este informe la lee con la zona vigente "
     "antes del cambio ({Z}); si la hora se tomó de un reloj ya adelantado, el nacimiento ocurrió una hora antes.",
     "La hora de nacimiento indicada, las {T}, cayó en la hora que se vivió dos veces en {P} al atrasarse los "
     "relojes al final del horario de verano. Este informe la lee como la primera de las dos ({Z}); si el "
     "nacimiento ocurrió en la hora repetida, fue una hora más tarde.",
     "el lugar de nacimiento", " Leída de la otra manera, ", "el Ascendente estaría en {A} y no en {B}",
     "el Mediocielo estaría en {A} y no en {B}", "la Luna estaría en {A} y no en {B}",
     "un planeta estaría en otra casa", "{N} planetas estarían en otra casa", ", ", " y ",
     ". Las partes del informe que dependen de ello conviene leerlas con esa reserva.",
     " Leída de la otra manera, el Ascendente, el Mediocielo y la Luna conservan sus signos y cada planeta su "
     "casa; solo se moverían los grados de los ángulos y de las cúspides."},
    {"Det oppgitte fødselstidspunktet, klokken {T}, falt i timen som klokkene i {P} hoppet over da de ble stilt "
     "frem til sommertid, så ingen klokke der viste det. Denne tolkningen leser det med sonen som gjaldt før "
     "skiftet ({Z}); hvis tiden ble lest av en klokke som allerede var stilt frem, skjedde fødselen en time "
     "tidligere.",
     "Det oppgitte fødselstidspunktet, klokken {T}, falt i timen som kom to ganger i {P} da klokkene ble stilt "
     "tilbake ved slutten av sommertiden. Denne tolkningen leser det som den første av de to ({Z}); hvis "
     "fødselen skjedde i den gjentatte timen, var den en time senere.",
     "fødestedet", " Med den andre lesningen: ", "ascendanten ville stått i {A} i stedet for {B}",
     "MC ville stått i {A} i stedet for {B}", "Månen ville stått i {A} i stedet for {B}",
     "én planet ville stått i et annet hus", "{N} planeter ville stått i et annet hus", ", ", " og ",
     ". Delene av tolkningen som bygger på dette, bør leses med det i tankene.",
     " Med den andre lesningen beholder ascendanten, MC og Månen sine tegn og hver planet sitt hus; bare gradene "
     "til vinklene og husgrensene ville flyttet seg."},
    {"L'heure de naissance indiquée, {T}, tombe dans l'heure que les horloges de {P} ont sautée lors du passage à "
     "l'heure d'été : aucune horloge n'a donc affiché cette heure-là. Ce bulletin la lit avec le fuseau en vigueur "
     "avant le changement ({Z}) ; si l'heure a été relevée sur une horloge déjà avancée, la naissance a eu lieu "
     "une heure plus tôt.",
     "L'heure de naissance indiquée, {T}, tombe dans l'heure vécue deux fois à {P} lors du retour à l'heure "
     "d'hiver. Ce bulletin la lit comme la première des deux ({Z}) ; si la naissance a eu lieu pendant l'heure "
     "répétée, elle est survenue une heure plus tard.",
     "le lieu de naissance", " Lue de l'autre façon, ", "l'Ascendant serait en {A} et non en {B}",
     "le Milieu du Ciel serait en {A} et non en {B}", "la Lune serait en {A} et non en {B}",
     "une planète changerait de maison", "{N} planètes changeraient de maison", ", ", " et ",
     ". Les parties du bulletin qui en dépendent sont à lire avec cette réserve.",
     " Lue de l'autre façon, l'Ascendant, le Milieu du Ciel et la Lune gardent leurs signes et chaque planète sa "
     "maison ; seuls les degrés des angles et des cuspides bougeraient."},
}};

// The zone as a client reads it: the abbreviation and the offset from Universal Time, east
// positive ("CEST, UT+2", "UT-3:30").
std::string UtOffsetText(const ChartRecord& c) {
  const int minutes = static_cast<int>(std::lround(-static_cast<double>(c.ZoneHours) * 60.0));
  std::string text = "UT";
  if (minutes != 0) {
    text += minutes > 0 ? "+" : "-";
    text += std::to_string(std::abs(minutes) / 60);
    if (std::abs(minutes) % 60 != 0) {
      const int m = std::abs(minutes) % 60;
      text += (m < 10 ? ":0" : ":") + std::to_string(m);
    }
  }
  const std::string abbrev(Trim(c.ZoneAbbrev));
  return abbrev.empty() ? text : abbrev + ", " + text;
}

}  // namespace

std::string TimeUnknownNote(const CalculatedChart& chart, const UntimedIngressTable& ingress, bool twelveHourClock,
                            int language) {
  if (language < 0 || language >= lang::LanguageCount) language = 0;
  const TimeUnknownWords& words = TimeUnknownNotes[static_cast<std::size_t>(language)];
  const DateTimeRec& m = chart.Chart.Moment;
  std::string note = FilledNote(words.note, {{'T', FormatTime(twelveHourClock, m.Hour, m.Minute, m.Second)}});
  const UntimedIngress& moon = ingress[PointMoon];
  if (moon.changed)
    note += FilledNote(words.moon, {{'T', FormatTime(twelveHourClock, moon.hour, moon.minute, 0)},
                                    {'A', std::string(lang::SignName(language, moon.signAtStart))},
                                    {'B', std::string(lang::SignName(language, moon.signAtEnd))}});
  return note;
}

CalculatedChart OtherClockReading(const CalculatedChart& chart, const ProgramSettings& settings) {
  if (chart.Chart.ClockFit == LocalTimeFit::Unique) return chart;
  ChartRecord other = chart.Chart;
  // West-positive hours to add to the clock: an hour less is an hour earlier in UT.
  other.ZoneHours += chart.Chart.ClockFit == LocalTimeFit::InGap ? -1.0f : 1.0f;
  CastOptions options = CastOptionsFrom(settings);
  options.HouseSystem = chart.Houses.HouseSystem;
  return CastChart(other, options);
}

std::string ClockChangeNote(const CalculatedChart& chart, const CalculatedChart& other, bool twelveHourClock,
                            int language) {
  const ChartRecord& c = chart.Chart;
  if (c.TimeUnknown || c.ClockFit == LocalTimeFit::Unique) return {};
  if (language < 0 || language >= lang::LanguageCount) language = 0;
  const ClockChangeWords& words = ClockChangeNotes[static_cast<std::size_t>(language)];
  const std::string place(Trim(c.Place));
  std::string note = FilledNote(c.ClockFit == LocalTimeFit::InGap ? words.gap : words.fold,
                                {{'T', FormatTime(twelveHourClock, c.Moment.Hour, c.Moment.Minute, c.Moment.Second)},
                                 {'P', place.empty() ? std::string(words.placeUnnamed) : RtfLiteral(place)},
                                 {'Z', RtfLiteral(UtOffsetText(c))}});

  std::vector<std::string> changes;
  const auto sign = [&](int s) { return std::string(lang::SignName(language, s)); };
  const std::pair<int, const char*> signed_[] = {
      {PointAscendant, words.ascendant}, {PointMidheaven, words.midheaven}, {PointMoon, words.moon}};
  for (const auto& [point, text] : signed_) {
    const int now = SignOfLongitude(chart.Longitude(point)), then = SignOfLongitude(other.Longitude(point));
    if (now != then) changes.push_back(FilledNote(text, {{'A', sign(then)}, {'B', sign(now)}}));
  }
  int moved = 0;
  for (int planet : FigurePlanets)
    if (HouseOf(chart.Houses.Cusps, chart.Point(planet).Longitude) !=
        HouseOf(other.Houses.Cusps, other.Point(planet).Longitude))
      ++moved;
  if (moved == 1) changes.emplace_back(words.onePlanet);
  if (moved > 1) changes.push_back(FilledNote(words.planets, {{'N', std::to_string(moved)}}));

  if (changes.empty()) return note + words.nothing;
  note += words.lead;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    if (i > 0) note += i + 1 == changes.size() ? words.last : words.joiner;
    note += changes[i];
  }
  return note + words.tail;
}

}  // namespace korvana
