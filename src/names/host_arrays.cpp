#include "names/host_arrays.h"

#include "frame/host_data.h"

#include <cstring>

namespace qv::names {
namespace {

// How many elements from the start of the host's block can be read.
template <class Array> int32_t ReadableCount(const Array* array, size_t elementSize) {
    if (array == nullptr || !frame::IsReadable(array, sizeof *array) || array->data == nullptr ||
        array->size <= 0) {
        return 0;
    }
    const int32_t count = array->size < kMaxHostElements ? array->size : kMaxHostElements;
    if (frame::IsReadable(array->data, static_cast<size_t>(count) * elementSize)) {
        return count;
    }
    // Readability only shrinks with the length: find the longest readable start.
    int32_t readable = 0;
    int32_t unreadable = count;
    while (unreadable - readable > 1) {
        const int32_t mid = readable + (unreadable - readable) / 2;
        if (frame::IsReadable(array->data, static_cast<size_t>(mid) * elementSize)) {
            readable = mid;
        } else {
            unreadable = mid;
        }
    }
    return readable;
}

bool IsHeapBlock(const void* block) {
    return block != nullptr && HeapValidate(GetProcessHeap(), 0, block);
}

// True when the header describes what the shared-heap helpers can grow and
// shrink: no block and no elements, or a block of the shared heap large enough
// for `capacity` elements, `size` of them in use.
template <class Array> bool IsEditable(const Array* array, size_t elementSize) {
    if (array->data == nullptr) {
        return array->size == 0 && array->capacity == 0;
    }
    if (array->size < 0 || array->size > array->capacity ||
        static_cast<size_t>(array->capacity) > static_cast<size_t>(-1) / elementSize ||
        !IsHeapBlock(array->data)) {
        return false;
    }
    const SIZE_T bytes = HeapSize(GetProcessHeap(), 0, array->data);
    return bytes != static_cast<SIZE_T>(-1) &&
           bytes >= static_cast<size_t>(array->capacity) * elementSize;
}

} // namespace

std::vector<std::string> ReadHostStrings(const QVStringArray* array, size_t textLimit) {
    std::vector<std::string> texts;
    const int32_t count = ReadableCount(array, sizeof(QVString));
    texts.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        texts.push_back(frame::ReadHostTextShown(array->data[i].text, textLimit));
    }
    return texts;
}

std::vector<uint32_t> ReadHostUInts(const QVUIntArray* array) {
    const int32_t count = ReadableCount(array, sizeof(uint32_t));
    if (count == 0) {
        return {};
    }
    return std::vector<uint32_t>(array->data, array->data + count);
}

// ---- strings ------------------------------------------------------------------------

HostStringArray::HostStringArray(QVStringArray* array, size_t textLimit)
    : array_(array), texts_(ReadHostStrings(array, textLimit)) {}

bool HostStringArray::MakeEditable() {
    if (array_ == nullptr || !frame::IsWritable(array_, sizeof *array_)) {
        return false;
    }
    if (IsEditable(array_, sizeof(QVString)) &&
        static_cast<size_t>(array_->size) == texts_.size()) {
        return true;
    }
    // A new block with what could be read; the old one is not ours to free.
    const size_t count = texts_.size();
    QVString* block = nullptr;
    if (count > 0) {
        block = static_cast<QVString*>(QVAlloc(count * sizeof(QVString)));
        if (block == nullptr) {
            return false;
        }
        for (size_t i = 0; i < count; ++i) {
            const std::string host = frame::ToHostText(texts_[i]);
            block[i].text = QVStrDupN(host.c_str(), host.size());
        }
    }
    array_->data = block;
    array_->size = static_cast<int32_t>(count);
    array_->capacity = static_cast<int32_t>(count);
    return true;
}

bool HostStringArray::RemoveAt(size_t index) {
    if (index >= texts_.size() || !MakeEditable()) {
        return false;
    }
    QVString& removed = array_->data[index];
    if (IsHeapBlock(removed.text)) {
        QVFree(removed.text);
    }
    std::memmove(&array_->data[index], &array_->data[index + 1],
                 (static_cast<size_t>(array_->size) - index - 1) * sizeof(QVString));
    --array_->size;
    array_->data[array_->size].text = nullptr;
    texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool HostStringArray::Append(const std::string& text) {
    if (!MakeEditable() || !QVStringArrayAdd(array_, frame::ToHostText(text).c_str())) {
        return false;
    }
    texts_.push_back(text);
    return true;
}

// ---- numbers ------------------------------------------------------------------------

HostUIntArray::HostUIntArray(QVUIntArray* array) : array_(array), values_(ReadHostUInts(array)) {}

bool HostUIntArray::MakeEditable() {
    if (array_ == nullptr || !frame::IsWritable(array_, sizeof *array_)) {
        return false;
    }
    if (IsEditable(array_, sizeof(uint32_t)) &&
        static_cast<size_t>(array_->size) == values_.size()) {
        return true;
    }
    uint32_t* block = nullptr;
    if (!values_.empty()) {
        block = static_cast<uint32_t*>(QVAlloc(values_.size() * sizeof(uint32_t)));
        if (block == nullptr) {
            return false;
        }
        std::memcpy(block, values_.data(), values_.size() * sizeof(uint32_t));
    }
    array_->data = block;
    array_->size = static_cast<int32_t>(values_.size());
    array_->capacity = static_cast<int32_t>(values_.size());
    return true;
}

bool HostUIntArray::RemoveAt(size_t index) {
    if (index >= values_.size() || !MakeEditable()) {
        return false;
    }
    std::memmove(&array_->data[index], &array_->data[index + 1],
                 (static_cast<size_t>(array_->size) - index - 1) * sizeof(uint32_t));
    --array_->size;
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool HostUIntArray::Append(uint32_t value) {
    if (!MakeEditable() || !QVUIntArrayAdd(array_, value)) {
        return false;
    }
    values_.push_back(value);
    return true;
}

bool HostUIntArray::Assign(const std::vector<uint32_t>& values) {
    if (values.size() > static_cast<size_t>(kMaxHostElements) || !MakeEditable()) {
        return false;
    }
    const auto count = static_cast<int32_t>(values.size());
    if (!QVArrayReserve(reinterpret_cast<void**>(&array_->data), &array_->capacity, array_->growBy,
                        count, sizeof(uint32_t))) {
        return false;
    }
    if (count > 0) {
        std::memcpy(array_->data, values.data(), values.size() * sizeof(uint32_t));
    }
    array_->size = count;
    values_ = values;
    return true;
}

} // namespace qv::names
