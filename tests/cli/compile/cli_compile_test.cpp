// korvana compile: the compiler's log on stdout, its errors also on stderr.
#include <gtest/gtest.h>

#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

class CliCompileTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(CliCompileTest, ErrorsGoToStandardErrorAndNothingIsWritten) {
  const std::string source = dir.Write("bad.txt", "*Sun Aries\nFine\n*Nonsense statement here\nx\n");
  const CliRun r = Korvana("compile '" + source + "' -o '" + dir / "bad.bin" + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.out, "!!! Error: *Nonsense statement here")) << r.out;
  EXPECT_TRUE(Has(r.err, "korvana: !!! Error: *Nonsense statement here")) << r.err;
  EXPECT_TRUE(Has(r.err, "no compiled file was written")) << r.err;
  EXPECT_FALSE(Has(r.err, "*Sun Aries")) << "only the errors";
  EXPECT_EQ(dir.Read("bad.bin"), "");
}

TEST_F(CliCompileTest, ACleanSourceWritesTheCompiledReportQuietly) {
  const std::string source = dir.Write("good.txt", "*Sun Aries\nFine\n");
  const CliRun r = Korvana("compile '" + source + "' -o '" + dir / "good.bin" + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(Has(r.err, "korvana:")) << r.err;
  EXPECT_FALSE(dir.Read("good.bin").empty());
}

}  // namespace
}  // namespace korvana
