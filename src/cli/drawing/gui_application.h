// Painting (wheels, metafiles, text measured for pictures) needs a Qt GUI application
// object. The command line never opens a window, so it makes one on the offscreen
// platform unless QT_QPA_PLATFORM names another.
#pragma once

namespace korvana::cli {

// Makes the application object on first use; later calls do nothing.
void EnsureGuiApplication();

}  // namespace korvana::cli
