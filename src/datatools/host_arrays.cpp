#include "datatools/host_arrays.h"

#include "frame/host_data.h"

#include <cstring>

namespace qv::datatools {
namespace {

// The most elements read from one host array.
constexpr int32_t kMaxElements = 1 << 20;

// How many elements from the start of the host's block can be read.
template <class Array> int32_t ReadableCount(const Array* array, size_t elementSize) {
    if (array == nullptr || !frame::IsReadable(array, sizeof *array) || array->data == nullptr ||
        array->size <= 0) {
        return 0;
    }
    int32_t count = array->size < kMaxElements ? array->size : kMaxElements;
    while (count > 0 && !frame::IsReadable(array->data, static_cast<size_t>(count) * elementSize)) {
        count /= 2;
    }
    return count;
}

} // namespace

std::vector<std::string> ReadHostStrings(const QVStringArray* array, size_t textLimit) {
    std::vector<std::string> texts;
    const int32_t count = ReadableCount(array, sizeof(QVString));
    texts.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        texts.push_back(frame::ReadHostText(array->data[i].text, textLimit));
    }
    return texts;
}

std::vector<uint32_t> ReadHostUInts(const QVUIntArray* array) {
    const int32_t count = ReadableCount(array, sizeof(uint32_t));
    return std::vector<uint32_t>(array != nullptr ? array->data : nullptr,
                                 array != nullptr ? array->data + count : nullptr);
}

bool AssignHostUInts(QVUIntArray* array, const std::vector<uint32_t>& values) {
    if (array == nullptr || !frame::IsWritable(array, sizeof *array) ||
        values.size() > static_cast<size_t>(kMaxElements)) {
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

} // namespace qv::datatools
