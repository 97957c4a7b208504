#include "core/util/ini_file.h"

#include <climits>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace korvana {
namespace {

TEST(IniFile, ReadsWithProfileRules) {
  IniFile ini = IniFile::FromText(
      "; comment\r\n"
      "[Report]\r\n"
      "  Caption = Modern Natal  \r\n"
      "caption=second wins not\r\n"
      "Quoted=\"  padded  \"\r\n"
      "Number=42\r\n"
      "Hex=$1F\r\n"
      "Bad=12abc\r\n"
      "[report]\r\n"
      "Other=ignored because the first section wins\r\n");
  EXPECT_EQ(ini.ReadString("REPORT", "CAPTION", "x"), "Modern Natal");
  EXPECT_EQ(ini.ReadString("Report", "Quoted", "x"), "  padded  ");
  EXPECT_EQ(ini.ReadString("Report", "Other", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Missing", "Caption", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger("Report", "Number", 0), 42);
  EXPECT_EQ(ini.ReadInteger("Report", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Report", "Bad", 7), 7);
  EXPECT_TRUE(ini.ReadBool("Report", "Number", false));
  EXPECT_FALSE(ini.ReadBool("Report", "Nothing", false));
}

TEST(IniFile, IntegersBeyondTheirRangeGiveTheDefault) {
  struct Case {
    const char* value;
    std::int32_t read;
  };
  const Case cases[] = {
      {"2147483647", INT32_MAX},        {"-2147483648", INT32_MIN},   {"$FFFFFFFF", -1},
      {"2147483648", 7},                {"-2147483649", 7},           {"99999999999999999999", 7},
      {"-9223372036854775808", 7},      {"--9223372036854775808", 7}, {"-$-8000000000000000", 7},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::FromText(std::string("[Report]\nNumber=") + c.value + "\n");
    EXPECT_EQ(ini.ReadInteger("Report", "Number", 7), c.read) << c.value;
  }
}

TEST(IniFile, WritesInPlaceAndKeepsTheRest) {
  IniFile ini = IniFile::FromText("; keep me\n[A]\nx=1\n\n[B]\ny=2\n");
  ini.WriteString("a", "X", "10");     // replaces in place, keeps the original key spelling out
  ini.WriteString("A", "z", "3");      // appended at the end of [A], before the blank line
  ini.WriteInteger("C", "w", -4);      // new section at the end
  EXPECT_EQ(ini.Text(), "; keep me\r\n[A]\r\nX=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=-4\r\n");
  ini.EraseSection("b");
  ini.DeleteKey("A", "z");
  EXPECT_EQ(ini.Text(), "; keep me\r\n[A]\r\nX=10\r\n\r\n[C]\r\nw=-4\r\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"A", "C"}));
}

TEST(IniFile, SavesAtomicallyAndReadsOldCodePage) {
  testing::TempFolder dir;
  dir.Write("old.ini", "[S]\nName=Jos\xE9\n");  // Windows-1252 e-acute
  IniFile ini(dir / "old.ini");
  EXPECT_EQ(ini.ReadString("S", "Name", ""), "Jos\xC3\xA9");
  ini.WriteString("S", "Name", "Ana");
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(IniFile(dir / "old.ini").ReadString("S", "Name", ""), "Ana");

  IniFile nowhere(dir / "no/such/folder/x.ini");
  EXPECT_FALSE(nowhere.Loaded());
  nowhere.WriteString("S", "k", "v");
  EXPECT_FALSE(nowhere.Save());
}

}  // namespace
}  // namespace korvana
