// A word appears in its folder whole or not at all: watched while another
// process registers, a word file's name never comes before its bytes.
#ifndef _WIN32
#include "../support/child_process.h"
#include "../support/test_folder.h"

#include <fstream>
#include <iterator>
#include <poll.h>
#include <set>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace wordoria::test;

const int WORDS = 1000;

class StoreWhileWatched : public TestFolder {
protected:
    std::string Native(const std::string& utf8) { return root() + "/" + utf8; }
};

std::string ReadNative(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The bytes the child writes for its word TAG-i: the name, CR LF, the content.
bool IsWholeWord(const std::string& bytes) {
    size_t end = bytes.find("\r\n");
    return end != std::string::npos && end > 0 && bytes == bytes.substr(0, end) + "\r\ncontent of " + bytes.substr(0, end);
}

TEST_F(StoreWhileWatched, NoWordFileIsEverSeenEmptyOrPartial) {
    const std::string folder = Native(u8"DATA/日本語/か行/き");
    int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, folder.c_str(), IN_CREATE | IN_MOVED_TO | IN_MODIFY), 0);

    std::set<std::string> named;            // names that have appeared in the folder
    std::vector<std::string> seenPartial;   // read right after they appeared, and not whole
    std::vector<std::string> writtenLater;  // written to after their name appeared
    bool overflowed = false;
    ChildProcess writer({"--write-words", "W", std::to_string(WORDS)});
    for (bool finished = false; !finished;) {
        finished = writer.Finished();  // its events are all queued: this turn reads the last
        pollfd ready{watch, POLLIN, 0};
        poll(&ready, 1, 100);
        alignas(inotify_event) char buffer[65536];
        ssize_t length;
        while ((length = read(watch, buffer, sizeof buffer)) > 0) {
            for (char* p = buffer; p < buffer + length;) {
                auto* event = reinterpret_cast<inotify_event*>(p);
                p += sizeof(inotify_event) + event->len;
                if (event->mask & IN_Q_OVERFLOW) overflowed = true;
                if (event->len == 0) continue;
                std::string name = event->name;
                if (event->mask & (IN_CREATE | IN_MOVED_TO)) {
                    named.insert(name);
                    std::string bytes = ReadNative(folder + "/" + name);
                    if (!IsWholeWord(bytes)) seenPartial.push_back(name + ": \"" + bytes + "\"");
                }
                if ((event->mask & IN_MODIFY) && named.count(name) > 0) writtenLater.push_back(name);
            }
        }
    }
    close(watch);
    EXPECT_EQ(writer.Wait(), 0);
    EXPECT_FALSE(overflowed);
    EXPECT_EQ(named.size(), static_cast<size_t>(WORDS));
    EXPECT_TRUE(seenPartial.empty()) << seenPartial.size() << " seen partial, first " << seenPartial.front();
    EXPECT_TRUE(writtenLater.empty()) << writtenLater.size() << " written after naming, first " << writtenLater.front();
    std::vector<std::string> files = ListNames("DATA/日本語/か行/き");
    EXPECT_EQ(files.size(), static_cast<size_t>(WORDS));
    for (const auto& file : files) EXPECT_TRUE(IsWholeWord(ReadNative(folder + "/" + file))) << file;
}

}  // namespace
#endif
