// Where the words are: the folder that holds DATA.
#pragma once

#include <string>

namespace wordoria::cli {

// Makes the folder that holds DATA the working directory: the one given
// with --data (dataOption, when not empty), else $WORDORIA_DATA, else the
// current folder when it holds DATA, else the launcher's store on Linux
// and the folder of wordoria-cli.exe on Windows. False, the reason said,
// when the folder cannot be entered or holds no DATA.
bool EnterStoreFolder(const std::string& dataOption);

}  // namespace wordoria::cli
