#pragma once
// What every GUI test has: the application made by the GUI test main
// (offscreen, C numeric locale), fresh recording doubles of the desktop
// services in force for each test, and a private XDG_CONFIG_HOME per test.
#include "recording_services.h"

namespace korva::test {

// The recording doubles in force for the running test.
widgets::TRecordingServices& Recorded();

// Runs the event loop until no posted event is left (deferred focus moves,
// deleteLater, queued signals).
void ProcessEvents();

} // namespace korva::test
