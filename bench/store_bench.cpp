// Figures for the word store, printed as "name: value unit (ratio R vs baseline)".
#include <data_tree.h>
#include <word_file.h>

#include "word_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const int RUNS = 11;
const char* const KI_FOLDER = "DATA/日本語/か行/き";  // Shift-JIS, as the program passes it
const char* const SYMBOL_FOLDER = "DATA/記号";

double TimeMs(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the measured work and its baseline in turns, after a warm-up of each,
// so that drift of the machine touches both alike; prints the medians and
// the median of the per-turn ratios.
void Compare(const char* name, const std::function<void()>& work, const std::function<void()>& baseline) {
    work();
    baseline();
    std::vector<double> times, ratios;
    for (int i = 0; i < RUNS; ++i) {
        double base = TimeMs(baseline);
        double measured = TimeMs(work);
        times.push_back(measured);
        ratios.push_back(measured / base);
    }
    std::printf("%s: %.2f ms (ratio %.2f vs baseline)\n", name, Median(times), Median(ratios));
}

void BenchLoad() {
    int read = 0;
    auto store = [&] { read = bench::ReadCategory(7); };
    // The limit: the same files opened, read and closed by their native (UTF-8) names.
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(u8"DATA/日本語/か行/き")) paths.push_back(entry.path().string());
    auto plain = [&] {
        static char buffer[4096];
        for (const auto& path : paths) {
            FILE* file = std::fopen(path.c_str(), "rb");
            if (file == nullptr) continue;
            size_t read = std::fread(buffer, 1, sizeof buffer, file);
            (void)read;
            std::fclose(file);
        }
    };
    Compare("load_9999", store, plain);
    if (read != 9999) std::fprintf(stderr, "load_9999: read %d files\n", read);
}

void BenchProbe() {
    int found = 0;
    auto store = [&] { found = FindFreeWordNumber(SYMBOL_FOLDER); };
    auto plain = [] {
        struct stat info;
        for (int n = 1; n <= 9999; ++n) {
            std::string path = u8"DATA/記号/" + std::to_string(n) + ".txt";
            stat(path.c_str(), &info);
        }
    };
    Compare("probe_9998", store, plain);
    if (found != 9999) std::fprintf(stderr, "probe_9998: found %d\n", found);
}

}  // namespace

int main() {
    fs::path root = fs::temp_directory_path() / "wordoria-bench";
    fs::remove_all(root);
    fs::create_directories(root);
    if (chdir(root.c_str()) != 0 || !MakeDataTree()) {
        std::fprintf(stderr, "cannot prepare %s\n", root.c_str());
        return 1;
    }
    bench::FillFolder(KI_FOLDER, 9999);
    bench::FillFolder(SYMBOL_FOLDER, 9998);
    BenchLoad();
    BenchProbe();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return 0;
}
