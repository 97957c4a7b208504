// Replays the RTF parser's fuzz entry over small documents of the kinds the viewer reads
// (a report's header, styles and lists, tables, pictures in hexadecimal and binary form,
// escapes and unicode) and over their mutations: control words, braces, backslashes and
// numbers put in, taken out and repeated.
#include <string>
#include <vector>

#include "support/fuzz_replay.h"

namespace {

using korvana::testing::FuzzMutator;
using korvana::testing::FuzzSeed;

std::vector<FuzzSeed> Seeds() {
  return {
      {"report.rtf",
       "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f3\\fnil ZP Sans Serif;}}"
       "{\\colortbl\\red0\\green0\\blue0;\\red128\\green0\\blue64;}\\paperw12018\\paperh16951\\margl720\\margr720"
       "{\\footer\\pard\\qc Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}"
       "\\pard\\keepn\\qc\\f3\\fs40\\cf1 {\\b Title}\\par\\pard\\qj\\sl-280\\slmult0 caf\\'e9 \\u8364? \\tab x\\par \\page\r\n"
       "\\pard\\li360\\fi-360{\\*\\pn\\pnlvlblt\\pnf2{\\pntxtb\\'b7}}\\plain\\f0\\fs20 item\\par\\pard }"},
      {"table.rtf",
       "{\\rtf1\\trowd\\trgaph108\\trleft-108\\clbrdrt\\brdrs\\cellx2000\\cellx4000\\intbl\\ql a\\cell b\\par c\\cell\\row"
       "\\trowd\\cellx2000\\intbl\\itap2 n\\nestcell{\\*\\nesttableprops\\trowd\\cellx10\\nestrow}\\itap1\\cell\\row"
       "\\pard after\\par}"},
      {"pictures.rtf",
       "{\\rtf1 {\\*\\shppict{\\pict\\pngblip\\picw2\\pich2\\picwgoal30\\pichgoal30{\\*\\blipuid 00ff}89504e470d0a}}"
       "{\\nonshppict{\\pict\\wmetafile8\\picw2\\pich2 0100090000}}"
       "{\\pict\\wmetafile8\\picwgoal1440\\pichgoal1440\\bin4 \x01\x7d\x7b\x5c}\\par}"},
      {"styles.rtf",
       "{\\rtf1{\\stylesheet{\\s0\\f0\\fs24 Normal;}{\\s1\\sb240\\b\\fs32\\sbasedon0 Heading;}{\\*\\cs2 Char;}}"
       "\\pard\\plain\\s1 head\\par\\pard\\plain\\ls1\\ilvl0{\\listtext \\'b7\\tab}li\\par"
       "{\\uc2\\u-10179\\'3f\\'3f\\u-8704\\'3f\\'3f}\\~\\_\\-\\emdash\\ldblquote q\\rdblquote\\line\\par}"},
  };
}

// Fragments the parser treats specially, put anywhere.
void MutateFields(std::string& data, FuzzMutator& m) {
  static const char* const fragments[] = {
      "{",        "}",          "\\",        "\\'",       "\\'f",     "\\bin",      "\\bin99999 ", "\\bin-1 ",
      "\\u-1?",   "\\u65535?",  "\\uc9 ",    "\\uc-3 ",   "{\\*",     "{\\pict ",   "\\cell ",     "\\row ",
      "\\intbl ", "\\trowd ",   "\\cellx-5", "\\par ",    "\\page ",  "\\fs0 ",     "\\fs-99999 ", "\\f99999999 ",
      "\\cf-1 ",  "\\s7 ",      "{\\stylesheet{\\s7\\b x;}}", "\\nestcell ", "{\\*\\pn\\pnlvlblt}", "\\pard ", "\\plain ",
      "\\sl-99999999999 ", "{\\fonttbl{\\f1 ", "{\\colortbl\\red999;", "\\picwgoal-1 ", "\\wmetafile ", "\\ls ",
      "\\ilvl99 ",
  };
  const std::size_t count = 1 + m.Below(4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = m.Below(data.size() + 1);
    const std::string fragment = fragments[m.Below(sizeof fragments / sizeof fragments[0])];
    if (m.Below(8) == 0) data.insert(at, std::string(1 + m.Below(200), fragment[0]));
    else data.insert(at, fragment);
  }
}

}  // namespace

int main(int argc, char** argv) {
  return korvana::testing::ReplayFuzzEntry(argc, argv, "rtf_reader_fuzz_replay", Seeds(), MutateFields);
}
