// Reading the little-endian layouts of compiled resources. Every read past
// the end yields zeros and marks the reader failed, so a parser reads on and
// asks once at the end whether the bytes were all there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wordoria::platform {

// The sz_Or_Ord of Win32's templates: nothing, an ordinal, or a name.
struct NameOrOrdinal {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::u16string name;  // empty for nothing
};

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    uint8_t Byte() { return static_cast<uint8_t>(Take(1)); }
    uint16_t Word() { return static_cast<uint16_t>(Take(2)); }
    uint32_t Dword() { return static_cast<uint32_t>(Take(4)); }
    int16_t Short() { return static_cast<int16_t>(Word()); }

    // A zero-terminated UTF-16 string.
    std::u16string String() {
        std::u16string text;
        for (char16_t unit = Word(); unit != 0 && !failed_; unit = Word()) text.push_back(unit);
        return text;
    }

    NameOrOrdinal NameOrOrd() {
        NameOrOrdinal value;
        uint16_t first = Word();
        if (first == 0xFFFF) {
            value.isOrdinal = true;
            value.ordinal = Word();
        } else if (first != 0) {
            value.name.push_back(static_cast<char16_t>(first));
            value.name += String();
        }
        return value;
    }

    // Templates align their parts on 32-bit boundaries from their own start.
    void AlignToDword() { Skip((4 - offset_ % 4) % 4); }
    void Skip(size_t count) {
        if (count > bytes_.size() - offset_) {
            failed_ = true;
            offset_ = bytes_.size();
        } else {
            offset_ += count;
        }
    }

    size_t Offset() const { return offset_; }
    size_t Left() const { return bytes_.size() - offset_; }
    bool Failed() const { return failed_; }

private:
    uint64_t Take(size_t count) {
        if (count > Left()) {
            failed_ = true;
            offset_ = bytes_.size();
            return 0;
        }
        uint64_t value = 0;
        for (size_t i = 0; i < count; ++i) value |= uint64_t{static_cast<uint8_t>(bytes_[offset_ + i])} << (8 * i);
        offset_ += count;
        return value;
    }

    std::string_view bytes_;
    size_t offset_ = 0;
    bool failed_ = false;
};

}  // namespace wordoria::platform
