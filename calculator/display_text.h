// The calculator's display text: a growable, NUL-terminated string of 8-bit characters that
// reports when it cannot grow, instead of throwing (the module is built without exceptions
// and links no C++ runtime library).
#pragma once

#include <cstddef>

class DisplayText {
public:
    // Texts shorter than this fit the text's own storage: writing them never allocates and
    // never fails.
    static constexpr std::size_t ShortLength = 32;

    DisplayText();
    ~DisplayText();
    DisplayText(const DisplayText&) = delete;
    DisplayText& operator=(const DisplayText&) = delete;

    const char* c_str() const { return text_; }
    std::size_t size() const { return length_; }

    // Each returns false when the text would have to grow and memory runs out; the text is
    // then left as it was.
    bool Assign(const char* text);
    bool Assign(const char* text, std::size_t length); // length characters, no NUL among them
    bool Append(const char* text, std::size_t length); // length characters, no NUL among them
    bool Append(char c) { return Append(&c, 1); }

    // Keeps the first length characters (all of them, if there are no more).
    void Truncate(std::size_t length);

private:
    bool Reserve(std::size_t capacity);

    char* text_;
    std::size_t length_;
    std::size_t capacity_; // bytes at text_, the terminating NUL included
    char short_[ShortLength];
};
