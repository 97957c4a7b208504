// korvana predict SETTINGS.ini: runs the dynamic engine on a prediction settings file
// and writes the event file it names.
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "core/dynamic/event_file.h"
#include "core/dynamic/prediction.h"
#include "core/util/ini_file.h"

namespace korvana::cli {
namespace {

int Run(CommandContext& ctx, const std::string& settingsPath) {
  std::string message;
  const int code = Predict(settingsPath, &message);
  if (code != PredictOk) {
    ctx.err << "korvana: " << message << " (result code " << code << ")\n";
    return 1;
  }
  const std::string eventFile = ReadPredictionSettings(IniFile(settingsPath)).eventFile;
  try {
    const TDynamicReport report = ReadEventFile(eventFile);
    ctx.out << "wrote " << report.EventCount << " events to " << eventFile << "\n";
    return 0;
  } catch (const EEventFileError& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
}

CommandRun Build(CommandOptions& app) {
  auto path = std::make_shared<std::string>();
  app.Value("SETTINGS", *path, "the prediction settings file").Required();
  return [path](CommandContext& ctx) { return Run(ctx, *path); };
}

CommandRegistration reg({"predict", "predict SETTINGS.ini",
                         "runs the dynamic engine on a prediction settings file", Build});

}  // namespace
}  // namespace korvana::cli
