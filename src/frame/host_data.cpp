#include "frame/host_data.h"

#include "frame/lang_settings.h"
#include "qvcore/iscii.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace qv::frame {
namespace {

bool CheckRange(const void* address, size_t bytes, DWORD allowed) {
    if (address == nullptr) {
        return false;
    }
    auto start = reinterpret_cast<uintptr_t>(address);
    if (bytes == 0) {
        bytes = 1;
    }
    if (start + bytes < start) {
        return false;
    }
    uintptr_t end = start + bytes;
    uintptr_t at = start;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info) == 0) {
            return false;
        }
        if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0 ||
            (info.Protect & allowed) == 0) {
            return false;
        }
        uintptr_t regionEnd = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (regionEnd <= at) {
            return false;
        }
        at = regionEnd;
    }
    return true;
}

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWritable =
    PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

} // namespace

bool IsReadable(const void* address, size_t bytes) {
    return CheckRange(address, bytes, kReadable);
}

bool IsWritable(void* address, size_t bytes) {
    return CheckRange(address, bytes, kWritable);
}

std::string ReadHostText(const char* text, size_t limit) {
    return HostTextReader().Read(text, limit);
}

size_t HostTextReader::ReadableFrom(uintptr_t at) {
    if (at < start_ || at >= end_) {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info) == 0 ||
            info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0 ||
            (info.Protect & kReadable) == 0) {
            return 0;
        }
        start_ = reinterpret_cast<uintptr_t>(info.BaseAddress);
        end_ = start_ + info.RegionSize;
        if (end_ <= at) {
            start_ = end_ = 0;
            return 0;
        }
    }
    return end_ - at;
}

std::string HostTextReader::Read(const char* text, size_t limit) {
    std::string out;
    if (text == nullptr) {
        return out;
    }
    size_t n = 0;
    while (n < limit) {
        // A text may end just before memory that cannot be read: look only
        // as far as the region known readable reaches.
        const size_t readable = ReadableFrom(reinterpret_cast<uintptr_t>(text + n));
        if (readable == 0) {
            break;
        }
        const size_t chunk = std::min(readable, limit - n);
        const void* terminator = std::memchr(text + n, '\0', chunk);
        const size_t length =
            terminator != nullptr
                ? static_cast<size_t>(static_cast<const char*>(terminator) - (text + n))
                : chunk;
        out.append(text + n, length);
        if (terminator != nullptr) {
            break;
        }
        n += chunk;
    }
    return out;
}

void TrustHostStrings(QVStringArray& array) {
    if (array.capacity < 0 || array.data == nullptr ||
        !IsWritable(array.data, static_cast<size_t>(array.capacity) * sizeof(QVString))) {
        array = QVStringArray{};
        return;
    }
    if (array.size < 0 || array.size > array.capacity) {
        array.size = array.size < 0 ? 0 : array.capacity;
    }
    for (int32_t i = 0; i < array.size; ++i) {
        if (array.data[i].text != nullptr && !IsReadable(array.data[i].text, 1)) {
            array.data[i].text = nullptr;
        }
    }
}

namespace {

core::IndicScript HostScript() {
    return core::ScriptOfLanguage(GetLangSettings().localLanguageName);
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// How many elements from the start of the host's block can be read.
template <class Array> int32_t ReadableCount(const Array* array, size_t elementSize) {
    if (array == nullptr || !IsReadable(array, sizeof *array) || array->data == nullptr ||
        array->size <= 0) {
        return 0;
    }
    const int32_t count = array->size < kMaxHostElements ? array->size : kMaxHostElements;
    if (IsReadable(array->data, static_cast<size_t>(count) * elementSize)) {
        return count;
    }
    // Readability only shrinks with the length: the longest readable start.
    int32_t readable = 0;
    int32_t unreadable = count;
    while (unreadable - readable > 1) {
        const int32_t middle = readable + (unreadable - readable) / 2;
        if (IsReadable(array->data, static_cast<size_t>(middle) * elementSize)) {
            readable = middle;
        } else {
            unreadable = middle;
        }
    }
    return readable;
}

} // namespace

std::string FromHostText(std::string_view hostText) {
    if (IsAscii(hostText)) {
        return std::string(hostText);
    }
    return core::IsciiToUnicode(hostText, HostScript());
}

std::string ToHostText(std::string_view text) {
    if (IsAscii(text)) {
        return std::string(text);
    }
    return core::UnicodeToIscii(text, HostScript());
}

std::string ReadHostTextShown(const char* text, size_t limit) {
    return FromHostText(ReadHostText(text, limit));
}

bool WriteHostText(char* buffer, size_t size, std::string_view text) {
    if (buffer == nullptr || size == 0 || !IsWritable(buffer, size)) {
        return false;
    }
    const std::string host = ToHostText(text);
    const size_t n = host.size() < size - 1 ? host.size() : size - 1;
    std::memcpy(buffer, host.data(), n);
    buffer[n] = '\0';
    return true;
}

std::vector<std::string> ReadHostStrings(const QVStringArray* array, size_t textLimit) {
    std::vector<std::string> texts;
    const int32_t count = ReadableCount(array, sizeof(QVString));
    texts.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        texts.push_back(ReadHostText(array->data[i].text, textLimit));
    }
    return texts;
}

std::vector<uint32_t> ReadHostUInts(const QVUIntArray* array) {
    const int32_t count = ReadableCount(array, sizeof(uint32_t));
    return std::vector<uint32_t>(array != nullptr ? array->data : nullptr,
                                 array != nullptr ? array->data + count : nullptr);
}

bool AssignHostUInts(QVUIntArray* array, const std::vector<uint32_t>& values) {
    if (array == nullptr || !IsWritable(array, sizeof *array) ||
        values.size() > static_cast<size_t>(kMaxHostElements)) {
        return false;
    }
    const bool ownBlock = array->data != nullptr && array->capacity >= 0 &&
                          HeapValidate(GetProcessHeap(), 0, array->data) &&
                          HeapSize(GetProcessHeap(), 0, array->data) >=
                              static_cast<size_t>(array->capacity) * sizeof(uint32_t);
    if (!ownBlock) {
        // Not a block the shared heap can grow: start a new one.
        array->data = nullptr;
        array->capacity = 0;
    }
    const auto count = static_cast<int32_t>(values.size());
    if (!QVArrayReserve(reinterpret_cast<void**>(&array->data), &array->capacity, array->growBy,
                        count, sizeof(uint32_t))) {
        array->size = 0;
        return false;
    }
    if (count > 0) {
        std::memcpy(array->data, values.data(), values.size() * sizeof(uint32_t));
    }
    array->size = count;
    return true;
}

} // namespace qv::frame
