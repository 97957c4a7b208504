#include "core/reports/pdf/paper_sizes.h"

#include <cmath>

#include "core/util/text.h"

namespace korvana {
namespace {

// Width and height in inches; the metric sizes converted from millimetres.
constexpr PaperSize PaperSizes[] = {
    {"Letter", 8.5, 11},           {"LetterSmall", 8.5, 11},      {"Tabloid", 11, 17},
    {"Ledger", 17, 11},            {"Legal", 8.5, 14},            {"Statement", 5.5, 8.5},
    {"Executive", 7.25, 10.5},     {"A3", 11.6929, 16.5354},      {"A4", 8.2677, 11.6929},
    {"A4Small", 8.2677, 11.6929},  {"A5", 5.8268, 8.2677},        {"B4", 9.8425, 13.9370},
    {"B5", 7.1654, 10.1181},       {"Folio", 8.5, 13},            {"Quarto", 8.4646, 10.8268},
    {"ps10X14", 10, 14},           {"ps11X17", 11, 17},           {"Note", 8.5, 11},
    {"Env10", 4.125, 9.5},         {"Env11", 4.5, 10.375},        {"Env12", 4.75, 11},
    {"Env14", 5, 11.5},            {"CSheet", 17, 22},            {"DSheet", 22, 34},
    {"ESheet", 34, 44},            {"EnvDL", 4.3307, 8.6614},     {"EnvC5", 6.3780, 9.0157},
    {"EnvC3", 12.7559, 18.0315},   {"EnvC4", 9.0157, 12.7559},    {"EnvC6", 4.4882, 6.3780},
    {"EnvC65", 4.4882, 9.0157},    {"EnvB4", 9.8425, 13.8976},    {"EnvB5", 6.9291, 9.8425},
    {"EnvB6", 6.9291, 4.9213},     {"EnvItaly", 4.3307, 9.0551},  {"EnvMonarch", 3.875, 7.5},
    {"EnvPersonal", 3.625, 6.5},   {"FanfoldUS", 14.875, 11},     {"FanfoldStdGerman", 8.5, 12},
    {"ISOB4", 9.8425, 13.8976},
};

bool Near(double table, double page) { return page > 0 && std::fabs(table / page - 1.0) < 0.01; }

}  // namespace

PaperSize ChoosePaperSize(const PrinterPage& page) {
  for (const PaperSize& p : PaperSizes)
    if (Near(p.widthInches, page.widthInches) && Near(p.heightInches, page.heightInches)) return p;
  return {"Custom", page.widthInches, page.heightInches};
}

std::optional<PaperSize> PaperSizeNamed(std::string_view name) {
  for (const PaperSize& p : PaperSizes)
    if (EqualsNoCase(p.name, name)) return p;
  return std::nullopt;
}

}  // namespace korvana
