// korvana_logos OUT_FOLDER: draws the two logos of a report's front page and writes them
// as 24-bit Windows bitmaps: "Korvana_Logo.bmp" (a zodiac wheel emblem with the program's
// name, printed large on the title page) and "TessalyLogo.bmp" (the small publisher's
// mark printed under it).
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <iostream>
#include <string>

namespace {

constexpr double Pi = 3.14159265358979323846;

// A zodiac wheel: outer and inner rings, twelve sign divisions and a star in the centre.
void DrawEmblem(QPainter& p, QPointF centre, double radius, const QColor& ink, const QColor& accent) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(ink, radius * 0.06));
  p.drawEllipse(centre, radius, radius);
  p.setPen(QPen(ink, radius * 0.03));
  p.drawEllipse(centre, radius * 0.72, radius * 0.72);
  for (int s = 0; s < 12; ++s) {
    const double a = s * Pi / 6.0;
    const QPointF u(std::cos(a), std::sin(a));
    p.drawLine(centre + u * radius * 0.72, centre + u * radius);
  }
  QPainterPath star;
  for (int k = 0; k < 10; ++k) {
    const double a = -Pi / 2 + k * Pi / 5;
    const double r = (k % 2 == 0 ? 0.5 : 0.2) * radius;
    const QPointF pt = centre + QPointF(std::cos(a), std::sin(a)) * r;
    if (k == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(accent);
  p.drawPath(star);
}

QImage MainLogo() {
  QImage image(1200, 400, QImage::Format_RGB888);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(28, 42, 84), accent(201, 146, 38);
  DrawEmblem(p, QPointF(200, 200), 160, ink, accent);
  QFont title("DejaVu Sans", 1);
  title.setPixelSize(118);
  title.setBold(true);
  title.setLetterSpacing(QFont::PercentageSpacing, 104);
  p.setFont(title);
  p.setPen(ink);
  p.drawText(QRect(400, 60, 780, 200), Qt::AlignLeft | Qt::AlignVCenter, "KORVANA");
  QFont sub("DejaVu Sans", 1);
  sub.setPixelSize(44);
  p.setFont(sub);
  p.setPen(accent);
  p.drawText(QRect(405, 260, 780, 80), Qt::AlignLeft | Qt::AlignVCenter, "Astrological Reports");
  return image;
}

QImage PublisherMark() {
  QImage image(400, 400, QImage::Format_RGB888);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(60, 60, 60), accent(120, 120, 120);
  DrawEmblem(p, QPointF(200, 160), 130, ink, accent);
  QFont name("DejaVu Sans", 1);
  name.setPixelSize(60);
  name.setBold(true);
  p.setFont(name);
  p.setPen(ink);
  p.drawText(QRect(0, 300, 400, 90), Qt::AlignCenter, "TESSALY");
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: korvana_logos OUT_FOLDER\n";
    return 2;
  }
  QGuiApplication app(argc, argv);
  const std::string folder = argv[1];
  const std::string sep = !folder.empty() && folder.back() == '/' ? "" : "/";
  const std::string mainPath = folder + sep + "Korvana_Logo.bmp";
  const std::string markPath = folder + sep + "TessalyLogo.bmp";
  if (!MainLogo().save(QString::fromStdString(mainPath), "BMP") ||
      !PublisherMark().save(QString::fromStdString(markPath), "BMP")) {
    std::cerr << "cannot write the logos into " << folder << "\n";
    return 1;
  }
  return 0;
}
