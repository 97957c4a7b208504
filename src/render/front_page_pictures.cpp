#include "render/front_page_pictures.h"

#include <QGuiApplication>
#include <QScreen>

#include "render/dignity_table.h"
#include "render/metafile.h"

namespace korvana {

ReportScreen PrimaryReportScreen() {
  ReportScreen screen;
  if (QGuiApplication::instance() == nullptr) return screen;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return screen;
  const QSize size = primary->size();
  if (size.width() > 0 && size.height() > 0) screen.size = size;
  if (primary->logicalDotsPerInchX() > 0) screen.dpi = primary->logicalDotsPerInchX();
  return screen;
}

int DignityPictureHeight(const ReportScreen& screen) {
  const int width = screen.size.width();
  const double factor = width <= 640 ? 0.61 : width <= 800 ? 0.54 : 0.48;
  return static_cast<int>(factor * width * screen.dpi / 96.0);
}

bool TFrontPagePictures::DrawWheel(const ReportRun& run, const std::string& path, const WheelCanvas& canvas) {
  if (!wheel_ || run.charts.empty()) return false;
  const int screenWidth = screen_.size.width();
  const int screenHeight =
      canvas.heightPerWidth > 0 ? static_cast<int>(canvas.heightPerWidth * screenWidth) : screen_.size.height();
  const QRect rect = canvas.width > 0 && canvas.height > 0 ? QRect(0, 0, canvas.width, canvas.height)
                                                          : QRect(0, 0, screenWidth, screenHeight);
  TMetafile metafile(rect.width(), rect.height(), static_cast<int>(screen_.dpi));
  bool drawn = false;
  {
    QPainter painter(&metafile);
    PrepareMetafileCanvas(painter, rect);
    drawn = wheel_(run, painter, rect, canvas);
  }
  return drawn && metafile.Save(path, Durability::Scratch);
}

bool TFrontPagePictures::DrawDignityTable(const ReportRun& run, const std::string& path) {
  if (run.charts.empty() || !run.report) return false;
  const QRect rect(0, 0, screen_.size.width(), DignityPictureHeight(screen_));
  if (rect.height() <= 0) return false;
  DignityTableInputs inputs;
  inputs.schemePath = run.report->almutenFile;
  inputs.tables = run.tables;
  inputs.colourOn = run.settings ? run.settings->PrintInColor : true;
  TMetafile metafile(rect.width(), rect.height(), static_cast<int>(screen_.dpi));
  {
    QPainter painter(&metafile);
    PrepareMetafileCanvas(painter, rect);
    korvana::DrawDignityTable(run.charts.front(), painter, rect, inputs);
  }
  return metafile.Save(path, Durability::Scratch);
}

}  // namespace korvana
