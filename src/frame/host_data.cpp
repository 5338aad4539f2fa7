#include "frame/host_data.h"

#include "frame/lang_settings.h"
#include "qvcore/iscii.h"

#include <windows.h>

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
    std::string out;
    if (text == nullptr) {
        return out;
    }
    // Check one page at a time: a text may end just before an unreadable page.
    const size_t page = 4096;
    size_t n = 0;
    while (n < limit) {
        auto at = reinterpret_cast<uintptr_t>(text + n);
        size_t chunk = page - (at % page);
        if (!IsReadable(text + n, 1)) {
            break;
        }
        for (size_t i = 0; i < chunk && n < limit; ++i, ++n) {
            if (text[n] == '\0') {
                return out;
            }
            out.push_back(text[n]);
        }
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

} // namespace qv::frame
