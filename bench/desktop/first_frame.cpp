// first_frame NAME COMMAND...: starts COMMAND and prints "PID MS" once the X
// server shows a top-level window named NAME with the view on it (the index
// panel's line, a black vertical run of at least 500 pixels): the time from
// exec to the first frame a user sees. The program is left running.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

const int LINE_LENGTH = 500;
const double GIVE_UP_SECONDS = 60;

Window FindNamed(Display* display, Window parent, const char* name, int depth) {
    Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) && title != nullptr) {
            if (std::strcmp(title, name) == 0) found = children[i];
            XFree(title);
        }
        if (found == 0 && depth > 0) found = FindNamed(display, children[i], name, depth - 1);
    }
    if (children != nullptr) XFree(children);
    return found;
}

bool IsBlack(XImage* image, int x, int y) { return (XGetPixel(image, x, y) & 0xFFFFFF) == 0; }

bool ShowsTheView(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return false;
    int x, y;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    int width = attributes.width, height = attributes.height;
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    bool found = false;
    for (int column = 0; column < width && !found; ++column) {
        int run = 0;
        for (int row = 0; row < height && !found; ++row) {
            run = IsBlack(image, column, row) ? run + 1 : 0;
            found = run >= LINE_LENGTH;
        }
    }
    XDestroyImage(image);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_frame NAME COMMAND...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_frame: no X display\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const timespec oneMs{0, 1000 * 1000};
    for (;;) {
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed > GIVE_UP_SECONDS) {
            std::fprintf(stderr, "first_frame: no view after %.0f s\n", GIVE_UP_SECONDS);
            return 1;
        }
        Window window = FindNamed(display, DefaultRootWindow(display), argv[1], 2);
        if (window != 0 && ShowsTheView(display, window)) {
            std::printf("%d %.0f\n", static_cast<int>(pid), elapsed * 1000);
            return 0;
        }
        nanosleep(&oneMs, nullptr);
    }
}
