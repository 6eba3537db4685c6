// Figures for wordoria-cli import, printed as "name: value unit": 5000 rows
// into one category beside the same files written by a plain loop, and the
// memory a 100 MB file takes. Run from a folder on the disk the store would
// live on (syncs on a RAM disk cost nothing).
#include <data_tree.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const int ROWS = 5000;
const char* const KI_FOLDER = u8"DATA/日本語/か行/き";  // as the disk names it

struct Run {
    int status = -1;
    double ms = 0;
    long maxRssKb = 0;
};

Run RunCli(const std::string& cli, const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(cli.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    Run run;
    std::fflush(stdout);  // or the child's freopen writes the parent's lines again
    auto start = Clock::now();
    pid_t child = fork();
    if (child == 0) {
        if (freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
        execv(cli.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.maxRssKb = usage.ru_maxrss;
    return run;
}

std::string Row(int i) { return u8"き,きつね" + std::to_string(i) + u8",\"動物\n森に住む\"\n"; }

void WriteCsv(const fs::path& path, long long bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    fputs("category,name,content\n", file);
    long long written = 0;
    for (int i = 0; written < bytes; i = (i + 1) % ROWS) {
        std::string row = Row(i);
        fwrite(row.data(), 1, row.size(), file);
        written += static_cast<long long>(row.size());
    }
    fclose(file);
}

// What an import stores, written straight: the floor any import stands on.
double PlainLoopMs() {
    auto start = Clock::now();
    for (int i = 0; i < ROWS; i++) {
        std::string path = std::string(KI_FOLDER) + "/" + std::to_string(i + 1) + ".txt";
        std::string bytes = "\x82\xAB\x82\xC2\x82\xCB" + std::to_string(i) + "\r\n\x93\xAE\x95\xA8\r\r\n\x90\x58\x82\xC9\x8F\x5A\x82\xDE";
        FILE* file = fopen(path.c_str(), "wb");
        if (file == nullptr) return -1;
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool FreshTree(const fs::path& root) {
    fs::remove_all(root);
    fs::create_directories(root);
    return chdir(root.c_str()) == 0 && MakeDataTree();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cli_import_bench WORDORIA-CLI WORK-FOLDER\n");
        return 2;
    }
    std::string cli = fs::absolute(argv[1]).string();
    fs::path root = fs::absolute(argv[2]);
    fs::path csv = root.parent_path() / "cli-import-5000.csv";
    if (!FreshTree(root)) return 1;
    std::string rows = "category,name,content\n";
    for (int i = 0; i < ROWS; i++) rows += Row(i);
    FILE* file = fopen(csv.c_str(), "wb");
    fwrite(rows.data(), 1, rows.size(), file);
    fclose(file);

    Run import = RunCli(cli, {"--data", root.string(), "import", csv.string()});
    if (import.status != 0) std::fprintf(stderr, "import failed: status %d\n", import.status);
    if (!FreshTree(root)) return 1;
    double floor = PlainLoopMs();
    std::printf("cli_import_5000: %.0f ms (floor, a plain loop without sync: %.0f ms; ratio %.1f)\n", import.ms, floor,
                import.ms / floor);

    fs::path big = root.parent_path() / "cli-import-100mb.csv";
    WriteCsv(big, 100LL << 20);
    if (!FreshTree(root)) return 1;
    Run dryRun = RunCli(cli, {"--data", root.string(), "import", "--dry-run", big.string()});
    std::printf("cli_import_100mb_dry_run: %.0f ms, %ld KiB at most in memory (status %d)\n", dryRun.ms,
                dryRun.maxRssKb, dryRun.status);
    fs::remove(big);
    fs::remove(csv);
    fs::current_path(root.parent_path());
    fs::remove_all(root);
    return 0;
}
