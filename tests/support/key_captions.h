// Key sequences written as the keypad's captions, comma-separated ("1,+,2,="), for the tests
// of the engine and of the calculator window alike.
#pragma once

#include "calculator.h"

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvo_test {

// The key captioned "0" to "9", ".", "AC", "C", "/", "X", "-", "+" or "=".
inline Key KeyCaptioned(const std::string& caption) {
    if (caption.size() == 1 && caption[0] >= '0' && caption[0] <= '9')
        return static_cast<Key>(KeyDigit0 + (caption[0] - '0'));
    static const struct {
        const char* caption;
        Key key;
    } others[] = {{".", KeyPoint},    {"AC", KeyAllClear}, {"C", KeyClear}, {"/", KeyDivide},
                  {"X", KeyMultiply}, {"-", KeySubtract},  {"+", KeyAdd},   {"=", KeyEquals}};
    for (const auto& other : others)
        if (caption == other.caption)
            return other.key;
    throw std::invalid_argument("no key captioned \"" + caption + "\"");
}

// The keys of a comma-separated caption list; an empty list has none.
inline std::vector<Key> KeysCaptioned(const std::string& captions) {
    std::vector<Key> keys;
    std::istringstream list(captions);
    for (std::string caption; std::getline(list, caption, ',');)
        keys.push_back(KeyCaptioned(caption));
    return keys;
}

} // namespace kelvo_test
