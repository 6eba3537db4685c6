// The Linux program's entry point: starts Qt and hands over to WinMain.
#include <windows.h>

#include "qt/qt_driver.h"
#include "text/text_encoding.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    // X11, through XWayland in a Wayland session: there the window keeps the
    // frame a Win32 window has (no maximise, no resize), and its placement,
    // pointer and keyboard are what the program polls. Qt would pick its
    // Wayland plugin there. A platform asked for by name (tests ask for
    // offscreen) is taken as asked.
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    // The program reads no command line, so Qt gets an argument list of its
    // own: "-reverse" or "-platform" must not change or end the program.
    wordoria::platform::StartQtDriver();
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    std::string ansi = wordoria::platform::Utf8ToAnsi(commandLine);
    return WinMain(GetModuleHandleA(nullptr), nullptr, ansi.data(), SW_SHOWDEFAULT);
}
