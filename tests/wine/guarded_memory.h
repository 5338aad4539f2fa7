// Memory for handing hostile data to the exports: a block that ends right
// where a page begins that can be neither read nor written, so that a read or
// a write past its end faults at once, with guard bytes before it, so that a
// write before its start shows.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qvtest {

class GuardedBlock {
  public:
    static constexpr uint8_t kGuardByte = 0xA5;

    explicit GuardedBlock(size_t size, uint8_t fill = 0) : size_(size) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const size_t page = info.dwPageSize;
        const size_t pages = (size + 64 + page - 1) / page;
        base_ = static_cast<uint8_t*>(
            VirtualAlloc(nullptr, (pages + 1) * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (base_ != nullptr) {
            DWORD old = 0;
            VirtualProtect(base_ + pages * page, page, PAGE_NOACCESS, &old);
            data_ = base_ + pages * page - size;
            std::memset(base_, kGuardByte, static_cast<size_t>(data_ - base_));
            Fill(fill);
        }
    }
    ~GuardedBlock() {
        if (base_ != nullptr) {
            VirtualFree(base_, 0, MEM_RELEASE);
        }
    }
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    // NULL when the memory could not be had.
    void* get() const { return data_; }
    char* text() const { return reinterpret_cast<char*>(data_); }
    template <class T> T* as() const { return reinterpret_cast<T*>(data_); }
    size_t size() const { return size_; }

    void Fill(uint8_t byte) {
        if (data_ != nullptr) {
            std::memset(data_, byte, size_);
        }
    }
    // True while nothing was written into the guard bytes before the block.
    bool GuardIntact() const {
        for (const uint8_t* at = base_; at < data_; ++at) {
            if (*at != kGuardByte) {
                return false;
            }
        }
        return true;
    }

  private:
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

} // namespace qvtest
