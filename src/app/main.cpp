// korvana-desktop [--home DIR] [--config FILE] [DoStart] [NoRelocate]: the desktop
// program. A second start hands its command line to the copy already running for the
// same data folder and ends; "DoStart" writes the report the settings' "Start" section
// asks for.
#include <QApplication>
#include <QStringList>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "core/astro/ephemeris.h"
#include "core/config/program_start.h"
#include "core/config/start_up.h"

namespace {

struct Options {
  QString home, config;
  QStringList words;  // "DoStart", "NoRelocate"
};

Options ReadOptions(const QStringList& arguments) {
  Options o;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if ((a == "--home" || a == "--config") && i + 1 < arguments.size()) {
      (a == "--home" ? o.home : o.config) = arguments[++i];
    } else {
      o.words << a;
    }
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Korvana"));
  QApplication::setDesktopFileName(QStringLiteral("korvana-desktop"));
  const Options options = ReadOptions(QApplication::arguments());
  const std::string dataFolder = korvana::ResolveDataFolder(options.home.toStdString());
  korvana::app::SingleInstance instance(korvana::app::SingleInstance::NameFor(QString::fromStdString(dataFolder)));
  if (instance.HandOver(options.words, 500)) return 0;

  korvana::ProgramSettings settings;
  korvana::app::DesktopMessages startMessages;
  const std::string settingsFile = korvana::ResolveSettingsFile(options.config.toStdString());
  korvana::StartProgram(settings, options.home.toStdString(), options.config.toStdString(),
                        korvana::TemplateFolder(KORVANA_TEMPLATE_DIR), &korvana::SwissEphemerisUsable, startMessages);
  korvana::app::MainWindow window(settings, settingsFile);
  instance.Listen();
  QObject::connect(&instance, &korvana::app::SingleInstance::Request, &window,
                   &korvana::app::MainWindow::HandleStartArguments);
  window.show();
  if (options.words.contains(QStringLiteral("DoStart"), Qt::CaseInsensitive)) window.HandleStartArguments(options.words);
  return QApplication::exec();
}
