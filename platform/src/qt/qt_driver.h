// The program's driver: windows, controls, input and message boxes on Qt 6
// Widgets.
#pragma once

namespace wordoria::platform {

class Driver;

// Qt's driver; the first call starts Qt, if no one has.
Driver& QtDriver();
// Registers Qt's control classes with the core; needs no Qt running. Once.
void RegisterQtControls();
// Makes Qt's driver the one in use, its controls registered. Once.
void StartQtDriver();

}  // namespace wordoria::platform
