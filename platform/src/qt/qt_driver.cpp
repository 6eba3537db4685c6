#include "qt/qt_driver.h"

#include "qt/controls/control_native.h"
#include "qt/dialog_font.h"
#include "qt/event_pump.h"
#include "qt/message_box.h"
#include "qt/native.h"
#include "qt/native_wakes.h"
#include "qt/qt_application.h"
#include "windows/window.h"

#include <vector>

namespace wordoria::platform {
namespace {

const std::vector<QtControlClass>& Controls() {
    static const std::vector<QtControlClass> controls{ButtonClass(), EditClass(), StaticClass(), ListBoxClass()};
    return controls;
}

class DriverOnQt : public Driver {
public:
    std::unique_ptr<NativeWindow> CreateTopLevel(Window& window) override { return CreateTopLevelNative(window); }
    std::unique_ptr<NativeWindow> CreateChild(Window& window) override { return CreateChildNative(window); }
    std::unique_ptr<NativeWindow> CreateControl(int kind, Window& window) override {
        return Controls().at(static_cast<size_t>(kind)).create(window);
    }
    std::vector<HWND> TakeWindowsGoneFromScreen() override { return platform::TakeWindowsGoneFromScreen(); }
    void PumpEvents(bool programRan) override { PumpQtEvents(programRan); }
    void RunPass() override { RunQtPass(); }
    void WaitForEvents(int milliseconds) override { WaitForQtEvents(milliseconds); }
    void NoteSleep() override { NoteLoopSleep(); }
    std::unique_ptr<NativeWindow> CreateMessageBox(Window& window, const MessageBoxRequest& box) override {
        return CreateQtMessageBox(window, box);
    }
    HFONT CreateDialogFont(const FontRequest& font) override { return CreateDialogFontHandle(font); }
    DialogBaseUnits BaseUnitsOf(const FontRequest& font) override { return BaseUnitsOfFont(font); }
};

std::vector<ControlClass> ControlClassTable() {
    std::vector<ControlClass> table;
    for (size_t kind = 0; kind < Controls().size(); ++kind) {
        const QtControlClass& control = Controls()[kind];
        table.push_back(ControlClass{control.name, control.style, control.proc, nullptr, static_cast<int>(kind)});
    }
    return table;
}

}  // namespace

Driver& QtDriver() {
    static Driver* driver = [] {
        EnsureQtApplication();
        return new DriverOnQt;  // never destroyed: windows may outlive static destructors
    }();
    return *driver;
}

void RegisterQtControls() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterControlClasses(ControlClassTable());
}

void StartQtDriver() {
    static bool started = false;
    if (started) return;
    started = true;
    RegisterQtControls();
    InstallDriver(&QtDriver());
}

}  // namespace wordoria::platform
