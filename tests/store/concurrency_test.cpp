// Two processes registering into one category at the same moment.
#include <word_file.h>

#include "../support/child_process.h"
#include "../support/test_folder.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace {

using namespace wordoria::test;

#ifdef _WIN32
const int WORDS_PER_WRITER = 200;  // Wine's file calls are slow; the race is the same
#else
const int WORDS_PER_WRITER = 1000;
#endif

class Concurrency : public TestFolder {};

TEST_F(Concurrency, TwoWritersNeverLoseOrOverwriteAFile) {
    ChildProcess first({"--write-words", "A", std::to_string(WORDS_PER_WRITER)});
    ChildProcess second({"--write-words", "B", std::to_string(WORDS_PER_WRITER)});
    EXPECT_EQ(first.Wait(), 0);
    EXPECT_EQ(second.Wait(), 0);

    const std::string folder = "DATA/日本語/か行/き";
    std::vector<std::string> names = ListNames(folder);
    EXPECT_EQ(names.size(), 2u * WORDS_PER_WRITER);
    std::set<std::string> words;
    for (int n = 1; n <= 2 * WORDS_PER_WRITER; ++n) {
        std::string bytes = ReadBytes(folder + "/" + std::to_string(n) + ".txt");
        size_t end = bytes.find("\r\n");
        ASSERT_NE(end, std::string::npos) << n << ".txt: " << bytes;
        std::string word = bytes.substr(0, end);
        EXPECT_EQ(bytes, word + "\r\ncontent of " + word) << n;
        words.insert(word);
    }
    EXPECT_EQ(words.size(), 2u * WORDS_PER_WRITER);
}

}  // namespace

namespace wordoria::test {

// The child's side: write COUNT words named TAG-i into き.
int WriteWordsChild(const char* tag, int count) {
    for (int i = 0; i < count; ++i) {
        WordEntry entry{};
        entry.nCategory = 7;
        std::strcpy(entry.szDisplay, GetCategoryDisplay(7));
        std::snprintf(entry.szName, sizeof entry.szName, "%s-%d", tag, i);
        std::snprintf(entry.szContent, sizeof entry.szContent, "content of %s-%d", tag, i);
        if (WriteWordKana(&entry) != WRITE_DONE) return 1;
    }
    return 0;
}

}  // namespace wordoria::test
