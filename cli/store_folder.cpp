#include "store_folder.h"

#include "console.h"

#include <vector>

namespace wordoria::cli {
namespace {

bool Enter(const std::string& folder) {
    if (EnterFolder(folder)) return true;
    Report(u8"フォルダー「" + folder + u8"」に入れません。", "cannot enter the folder \"" + folder + "\"");
    return false;
}

// A folder the user named: used, or said why not, never passed over for another.
bool EnterNamedFolder(const std::string& folder, const std::string& namedBy) {
    if (!Enter(folder)) return false;
    if (HoldsDataFolder(".")) return true;
    Report(u8"フォルダー「" + folder + u8"」（" + namedBy + u8" の指定）に DATA がありません。wordoria-make-data \"" +
               folder + u8"\" で作れます。",
           "the folder \"" + folder + "\" (given by " + namedBy + ") holds no DATA; wordoria-make-data \"" + folder +
               "\" makes one");
    return false;
}

#ifdef _WIN32
// The zips put DATA beside wordoria-cli.exe.
std::string LastPlace() { return ProgramFolder(); }
#else
// Where wordoria-launch keeps the store, by the same rule as the launcher:
// ${XDG_DATA_HOME:-$HOME/.local/share}/wordoria.
std::string LastPlace() {
    std::string dataHome = Environment("XDG_DATA_HOME");
    if (dataHome.empty()) {
        std::string home = Environment("HOME");
        if (home.empty()) return std::string();
        dataHome = home + "/.local/share";
    }
    return dataHome + "/wordoria";
}
#endif

std::string Joined(const std::vector<std::string>& places, const std::string& between) {
    std::string text;
    for (size_t i = 0; i < places.size(); i++) text += (i > 0 ? between : std::string()) + places[i];
    return text;
}

}  // namespace

bool EnterStoreFolder(const std::string& dataOption) {
    if (!dataOption.empty()) return EnterNamedFolder(dataOption, "--data");
    std::string fromEnvironment = Environment("WORDORIA_DATA");
    if (!fromEnvironment.empty()) return EnterNamedFolder(fromEnvironment, "WORDORIA_DATA");

    std::vector<std::string> looked{WorkingFolder()};
    if (HoldsDataFolder(".")) return true;
    std::string last = LastPlace();
    if (!last.empty()) {
        if (HoldsDataFolder(last)) return Enter(last);
        looked.push_back(last);
    }
    Report(u8"単語の保存場所が見つかりません: " + Joined(looked, u8" にも ") +
               u8" にも DATA がありません。--data FOLDER か環境変数 WORDORIA_DATA で指定してください。",
           "no word store found: no DATA in " + Joined(looked, " nor in ") +
               "; name its folder with --data FOLDER or WORDORIA_DATA");
    return false;
}

}  // namespace wordoria::cli
