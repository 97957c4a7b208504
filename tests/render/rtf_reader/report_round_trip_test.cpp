// A real report through the viewer's reader and writer, judged by LibreOffice: the report
// korvana writes for a sample chart, loaded and saved again, converts to the same words in
// the same order as the original and keeps its pictures and table rows; the same report
// after LibreOffice saved it loads with the same words and its pictures.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <fstream>
#include <iterator>
#include <vector>

#include "render/rtf_reader/rtf_text_document.h"
#include "support/temp_folder.h"

namespace korvana::rtf {
namespace {

int RunProgram(const QString& program, const QStringList& args, std::string& output) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, args);
  if (!process.waitForStarted(30000)) return -1;
  process.waitForFinished(300000);
  output += process.readAll().toStdString();
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The words of a text, in order, split at any kind of space (LibreOffice writes some
// spaces as narrower Unicode spaces); bullets and other marks without letters or digits
// are no words.
std::vector<std::string> Words(const std::string& text) {
  const QRegularExpression space("\\s+", QRegularExpression::UseUnicodePropertiesOption);
  const QRegularExpression letter("\\w", QRegularExpression::UseUnicodePropertiesOption);
  std::vector<std::string> words;
  for (const QString& word : QString::fromStdString(text).split(space, Qt::SkipEmptyParts))
    if (word.contains(letter)) words.push_back(word.toStdString());
  return words;
}

class ReportRoundTrip : public ::testing::Test {
 protected:
  // Writes the sample chart's report as "report.rtf"; false when korvana failed.
  bool WriteReport() {
    return RunProgram(KORVANA_BINARY,
                      {"--home", Path("home"), "--config", Path("registry.ini"), "report", "--chart", "main.cht:1", "-o",
                       Path("report.rtf")},
                      log) == 0;
  }

  // Converts `file` with LibreOffice to `format` (e.g. "txt:Text (encoded):UTF8") into the
  // folder `outdir`; the converted file's path.
  std::string Convert(const std::string& file, const QString& format, const std::string& outdir) {
    const QString out = Path(outdir);
    EXPECT_EQ(RunProgram("soffice",
                         {"-env:UserInstallation=file://" + Path("profile"), "--headless", "--convert-to", format,
                          "--outdir", out, QString::fromStdString(file)},
                         log),
              0)
        << log;
    const std::string base = file.substr(file.rfind('/') + 1);
    return out.toStdString() + "/" + base.substr(0, base.rfind('.')) + "." + format.section(':', 0, 0).toStdString();
  }

  QString Path(const std::string& name) const { return QString::fromStdString(folder / name); }

  testing::TempFolder folder;
  std::string log;
};

TEST_F(ReportRoundTrip, SavedReportKeepsWordsPicturesAndTables) {
  ASSERT_TRUE(WriteReport()) << log;
  const std::string original = Read(folder / "report.rtf");
  QTextDocument doc;
  const PageGeometry page = ReadRtf(original, doc);
  const std::string saved = WriteRtf(doc, page);
  Write(folder / "saved.rtf", saved);

  ASSERT_GT(Count(original, "{\\pict"), 0u);
  EXPECT_EQ(Count(saved, "{\\pict"), Count(original, "{\\pict"));
  EXPECT_EQ(Count(saved, "\\trowd"), Count(original, "\\trowd"));

  const std::vector<std::string> before = Words(Read(Convert(folder / "report.rtf", "txt:Text (encoded):UTF8", "a")));
  const std::vector<std::string> after = Words(Read(Convert(folder / "saved.rtf", "txt:Text (encoded):UTF8", "b")));
  ASSERT_GT(before.size(), 500u);
  EXPECT_EQ(after, before);
}

TEST_F(ReportRoundTrip, ReportSavedByLibreOfficeLoadsWithItsWordsAndPictures) {
  ASSERT_TRUE(WriteReport()) << log;
  const std::string original = Read(folder / "report.rtf");
  const std::string office = Read(Convert(folder / "report.rtf", "rtf", "office"));
  ASSERT_FALSE(office.empty()) << log;
  ASSERT_NE(office, original);

  QTextDocument fromOffice;
  ReadRtf(office, fromOffice);
  QTextDocument fromOriginal;
  ReadRtf(original, fromOriginal);
  EXPECT_EQ(Words(PlainText(fromOffice)), Words(PlainText(fromOriginal)));

  int pictures = 0;
  for (QTextBlock b = fromOffice.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it) pictures += it.fragment().charFormat().isImageFormat();
  EXPECT_EQ(pictures, static_cast<int>(Count(original, "{\\pict")));
}

}  // namespace
}  // namespace korvana::rtf
