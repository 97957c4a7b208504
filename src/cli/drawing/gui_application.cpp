#include "cli/drawing/gui_application.h"

#include <QDir>
#include <QGuiApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace korvana::cli {

void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Outside a desktop session (cron, a shop's server) there is no runtime folder; the
  // private one Qt would fall back to is named here, so that no warning reaches stderr.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QByteArray folder = QDir::tempPath().toLocal8Bit() + "/runtime-" + QByteArray::number(::getuid());
    if (::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST) qputenv("XDG_RUNTIME_DIR", folder);
  }
  static int argc = 1;
  static char name[] = "korvana";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace korvana::cli
