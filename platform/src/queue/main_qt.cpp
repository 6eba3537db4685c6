// The Linux program's entry point: starts Qt and hands over to WinMain.
#include <windows.h>

#include "windows/qt_application.h"
#include "text/text_encoding.h"

#include <string>

int main(int argc, char** argv) {
    // The program reads no command line, so Qt gets an argument list of its
    // own: "-reverse" or "-platform" must not change or end the program.
    wordoria::platform::EnsureQtApplication();
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    std::string ansi = wordoria::platform::Utf8ToAnsi(commandLine);
    return WinMain(GetModuleHandleA(nullptr), nullptr, ansi.data(), SW_SHOWDEFAULT);
}
