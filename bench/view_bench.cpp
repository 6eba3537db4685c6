// Figures for view mode, from the real program objects on the offscreen
// platform: CPU while the pointer rests, and a category load until painted.
#include <application.h>
#include <data_tree.h>
#include <word_file.h>

#include "word_files.h"

#include <platform/testing.h>


#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double CpuSeconds() {
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// Runs the program's own loop (turn, then 5 ms rest) for a while; returns
// the processor time used as a share of one core, in percent.
double LoopCpuShare(double seconds) {
    auto start = Clock::now();
    double cpuStart = CpuSeconds();
    int exitCode = 0;
    while (std::chrono::duration<double>(Clock::now() - start).count() < seconds) {
        g_App.m_sub_Turn(&exitCode);
        Sleep(5);
    }
    double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return 100.0 * (CpuSeconds() - cpuStart) / wall;
}

// Milliseconds since this process started, as the kernel counts it.
double MsSinceProcessStart() {
    FILE* stat = std::fopen("/proc/self/stat", "r");
    if (stat == nullptr) return -1;
    char buffer[1024];
    size_t read = std::fread(buffer, 1, sizeof buffer - 1, stat);
    std::fclose(stat);
    buffer[read] = '\0';
    // Field 22, counted after the closing parenthesis of the command name.
    const char* at = std::strrchr(buffer, ')');
    unsigned long long startTicks = 0;
    for (int field = 2; at != nullptr && field < 22; ++field) at = std::strchr(at + 1, ' ');
    if (at == nullptr || std::sscanf(at + 1, "%llu", &startTicks) != 1) return -1;
    timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

double ResidentMegabytes() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    double kilobytes = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmRSS: %lf", &kilobytes) == 1) break;
    }
    std::fclose(status);
    return kilobytes / 1024.0;
}

double MedianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The store alone: listing and reading the category, as the baseline.
double StoreLoadMs() {
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        auto start = Clock::now();
        bench::ReadCategory(7);
        runs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return MedianOf(runs);
}

// A press on き, through the loop as it runs, until page 1 has been painted.
double ViewLoadMs() {
    using namespace wordoria::testing;
    HWND main = g_App.m_wnd.m_hWnd;
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        g_App.m_main.m_nPage = 0;
        InjectMouseMove(main, 400, 590);
        InjectMouseRelease(main, 400, 590);
        for (int t = 0; t < 10; ++t) {
            int code;
            g_App.m_sub_Turn(&code);
        }
        InjectMouseMove(main, 33, 69);
        int code;
        g_App.m_sub_Turn(&code);
        auto start = Clock::now();
        InjectMousePress(main, 33, 69);
        bool painted = false;
        GdiRecorder recorder;
        while (!painted) {
            g_App.m_sub_Turn(&code);
            for (const GdiCall& call : recorder.calls()) painted |= call.kind == GdiCall::Text && call.text == "―　1　―";
            if (!painted) Sleep(5);
        }
        runs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        InjectMouseRelease(main, 33, 69);
    }
    return MedianOf(runs);
}

}  // namespace

int main() {
    fs::path root = fs::temp_directory_path() / "wordoria-view-bench";
    fs::remove_all(root);
    fs::create_directories(root);
    if (chdir(root.c_str()) != 0 || !MakeDataTree()) return 1;

    // Start-up as the program runs it: Qt, WinMain's initialisation, then
    // loop turns until the first paint has drawn the help page.
    wordoria::testing::StartTestDriver();
    g_App.m_hInstance = GetModuleHandleA(nullptr);
    g_App.m_nCmdShow = SW_SHOW;
    {
        wordoria::testing::GdiRecorder recorder;
        if (!g_App.m_sub_Init()) return 1;
        int code;
        while (recorder.calls().empty()) {
            g_App.m_sub_Turn(&code);
            if (recorder.calls().empty()) Sleep(5);
        }
    }
    double startup = MsSinceProcessStart();
    HWND main = g_App.m_wnd.m_hWnd;

    wordoria::testing::InjectMouseMove(main, 400, 590);
    LoopCpuShare(0.5);
    std::printf("idle: %.2f %%\n", LoopCpuShare(5.0));
    wordoria::testing::InjectMouseMove(main, 33, 49);  // resting on い
    LoopCpuShare(0.5);
    std::printf("hover_repaint: %.2f %%\n", LoopCpuShare(5.0));

    // Made after the CPU figures, so the disk's work on them is not counted there.
    bench::FillFolder("DATA/日本語/か行/き", 9999);
    double store = StoreLoadMs();
    double view = ViewLoadMs();
    std::printf("load_view_9999: %.2f ms (ratio %.2f vs baseline)\n", view, view / store);
    std::printf("startup: %.0f ms\n", startup);
    std::printf("rss: %.1f MB\n", ResidentMegabytes());  // with a 9999-file category loaded

    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    std::fflush(stdout);
    std::_Exit(0);  // the windows end with the process
}
