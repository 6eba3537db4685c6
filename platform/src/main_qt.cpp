// The Linux program's entry point: starts Qt and hands over to WinMain.
#include <windows.h>

#include "native_qt.h"
#include "text_encoding.h"

#include <QApplication>
#include <string>

int main(int argc, char** argv) {
    // Never destroyed: windows live until the process ends, as on Windows.
    wordoria::platform::InstallKeyboardFocus(*new QApplication(argc, argv));
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    std::string ansi = wordoria::platform::Utf8ToAnsi(commandLine);
    return WinMain(GetModuleHandleA(nullptr), nullptr, ansi.data(), SW_SHOWDEFAULT);
}
