#include "cp932_stand_ins.h"

namespace wordoria::cp932 {
namespace {

// Every character of the table lies below U+10000.
std::string Utf8Of(char32_t character) {
    std::string bytes;
    if (character < 0x80) {
        bytes += static_cast<char>(character);
    } else if (character < 0x800) {
        bytes += static_cast<char>(0xC0 | character >> 6);
        bytes += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        bytes += static_cast<char>(0xE0 | character >> 12);
        bytes += static_cast<char>(0x80 | (character >> 6 & 0x3F));
        bytes += static_cast<char>(0x80 | (character & 0x3F));
    }
    return bytes;
}

struct EncodedStandIn {
    std::string typed;
    std::string stored;
};

const std::array<EncodedStandIn, kStandIns.size()>& EncodedStandIns() {
    static const std::array<EncodedStandIn, kStandIns.size()> encoded = [] {
        std::array<EncodedStandIn, kStandIns.size()> made;
        for (size_t i = 0; i < kStandIns.size(); ++i)
            made[i] = {Utf8Of(kStandIns[i].typed), Utf8Of(kStandIns[i].stored)};
        return made;
    }();
    return encoded;
}

}  // namespace

// A typed character's bytes begin with a lead byte, which never stands
// inside another sequence: a match is always a whole character.
std::string WithStandIns(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const EncodedStandIn* found = nullptr;
        if (static_cast<unsigned char>(utf8[i]) >= 0xC0) {
            for (const EncodedStandIn& standIn : EncodedStandIns())
                if (utf8.substr(i, standIn.typed.size()) == standIn.typed) found = &standIn;
        }
        if (found == nullptr) {
            result += utf8[i++];
            continue;
        }
        result += found->stored;
        i += found->typed.size();
    }
    return result;
}

}  // namespace wordoria::cp932
