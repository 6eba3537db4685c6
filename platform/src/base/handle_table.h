// Win32-style handles for objects of the layer: small numbers that index a
// table, so a stale or made-up handle is refused instead of followed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace wordoria::platform {

template <typename Object>
class HandleTable {
public:
    // A fresh (default-constructed) object and its handle.
    HANDLE Open() {
        std::lock_guard<std::mutex> lock(mutex_);
        size_t index = slots_.size();
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            slots_.emplace_back();
        }
        slots_[index] = std::make_unique<Object>();
        return ToHandle(index);
    }

    Object* Find(HANDLE handle) {
        std::lock_guard<std::mutex> lock(mutex_);
        size_t index;
        return IndexOf(handle, &index) ? slots_[index].get() : nullptr;
    }

    // Releases what the object holds; false for a handle that is not open.
    bool Close(HANDLE handle) {
        std::lock_guard<std::mutex> lock(mutex_);
        size_t index;
        if (!IndexOf(handle, &index)) return false;
        slots_[index].reset();
        free_.push_back(index);
        return true;
    }

private:
    // Multiples of 4 from 4, as kernel handles are: never NULL, never INVALID_HANDLE_VALUE.
    static HANDLE ToHandle(size_t index) { return reinterpret_cast<HANDLE>((index + 1) * 4); }

    bool IndexOf(HANDLE handle, size_t* index) const {
        auto value = reinterpret_cast<uintptr_t>(handle);
        if (value == 0 || value % 4 != 0) return false;
        *index = value / 4 - 1;
        return *index < slots_.size() && slots_[*index] != nullptr;
    }

    std::mutex mutex_;
    std::vector<std::unique_ptr<Object>> slots_;  // empty when closed
    std::vector<size_t> free_;
};

}  // namespace wordoria::platform
