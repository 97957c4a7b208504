#include "render/report_document.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace korvana {

namespace {

// Adds every picture the document names to its resources now, while the files still
// exist (resources loaded on demand would not survive a copy of the document).
void LoadPictures(QTextDocument& document, const QDir& folder) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QString name = format.toImageFormat().name();
      // Only the pictures the conversion wrote beside the document are read.
      const QImage picture(folder.filePath(QFileInfo(name).fileName()));
      if (!picture.isNull()) document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
    }
  }
}

}  // namespace

bool LoadReportDocument(const std::string& rtfFile, QTextDocument& document, std::string& error, int timeoutSeconds) {
  const QString source = QString::fromStdString(rtfFile);
  if (!QFileInfo(source).isFile()) {
    error = "The report file " + rtfFile + " was not found.";
    return false;
  }
  QTemporaryDir work;
  if (!work.isValid()) {
    error = "No temporary folder for converting the report.";
    return false;
  }
  // The report is copied under a plain name: the conversion names its output after it.
  const QString copy = work.filePath(QStringLiteral("report.rtf"));
  if (!QFile::copy(source, copy)) {
    error = "The report file " + rtfFile + " cannot be read.";
    return false;
  }
  QProcess office;
  office.setProcessChannelMode(QProcess::MergedChannels);
  office.start(QStringLiteral("soffice"),
               {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(work.filePath("profile")).toString(),
                QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("html"),
                QStringLiteral("--outdir"), work.path(), copy});
  if (!office.waitForStarted(30000)) {
    error = "LibreOffice (soffice) cannot be started to read the report.";
    return false;
  }
  if (!office.waitForFinished(timeoutSeconds * 1000)) {
    office.kill();
    office.waitForFinished(5000);
    error = "LibreOffice did not finish reading the report.";
    return false;
  }
  QFile html(work.filePath(QStringLiteral("report.html")));
  if (office.exitStatus() != QProcess::NormalExit || !html.open(QIODevice::ReadOnly)) {
    error = "LibreOffice could not read the report: " + office.readAll().trimmed().toStdString();
    return false;
  }
  document.clear();
  document.setBaseUrl(QUrl::fromLocalFile(work.path() + QLatin1Char('/')));
  document.setHtml(QString::fromUtf8(html.readAll()));
  LoadPictures(document, QDir(work.path()));
  return true;
}

}  // namespace korvana
