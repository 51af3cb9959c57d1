// Connects the Qt-free report engine to the Qt user interface: progress
// windows, message boxes and the preview window.
#pragma once

namespace tarvek::report {

// Installs, process-wide:
// - the progress factory: a progress dialog with the engine's cancel button,
//   titled with the engine's "printing" text while pages are prepared and
//   its "saving" text while a filter writes; it processes pending events on
//   every step, so timers run and cancel clicks count;
// - the message handler: an information box with the text (Windows-1252);
// - the preview opener: a new PreviewWindow, shown at once, that keeps the
//   pages until it closes.
// It also puts number formatting back to the C locale, which QApplication
// changed to the user's: the engine writes numbers such as "210.0000".
//
// Call it once, after the QApplication is created and before any report
// runs; the services need that application for as long as reports run.
void install_qt_engine_services();

}  // namespace tarvek::report
