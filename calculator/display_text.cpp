#include "display_text.h"

#include <cstdlib>
#include <cstring>

DisplayText::DisplayText() : text_(short_), length_(0), capacity_(ShortLength), short_{} {}

DisplayText::~DisplayText() {
    if (text_ != short_)
        std::free(text_);
}

bool DisplayText::Reserve(std::size_t capacity) {
    if (capacity <= capacity_)
        return true;
    // Doubling keeps a long run of appended digits linear.
    const std::size_t grown = capacity < 2 * capacity_ ? 2 * capacity_ : capacity;
    const bool onHeap = text_ != short_;
    char* bigger = static_cast<char*>(std::realloc(onHeap ? text_ : nullptr, grown));
    if (!bigger)
        return false;
    if (!onHeap)
        std::memcpy(bigger, short_, length_ + 1);
    text_ = bigger;
    capacity_ = grown;
    return true;
}

bool DisplayText::Assign(const char* text) {
    return Assign(text, std::strlen(text));
}

bool DisplayText::Assign(const char* text, std::size_t length) {
    if (!Reserve(length + 1))
        return false;
    std::memmove(text_, text, length);
    text_[length] = '\0';
    length_ = length;
    return true;
}

bool DisplayText::Append(const char* text, std::size_t length) {
    if (!Reserve(length_ + length + 1))
        return false;
    std::memcpy(text_ + length_, text, length);
    length_ += length;
    text_[length_] = '\0';
    return true;
}

void DisplayText::Truncate(std::size_t length) {
    if (length < length_)
        text_[length_ = length] = '\0';
}
