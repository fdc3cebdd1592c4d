// The calculator engine under keys (bytes up to 17), typed characters (other bytes) and pastes
// (the bytes between two kPaste; kRepeat n repeats the character before it 32 (n + 1) times).
// Checks what holds after every step, and compares each chain calculation (typed, pasted and
// backspaced operands, operators, "=") with a reference that computes from the inputs, reading
// back only its own printed intermediate results.
#include "calculator.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kPaste = 0xFF, kRepeat = 0xFE;
constexpr const char* kTyped = "0123456789.";

// A key, or a number that a paste entered (whose key is AC, which never stands in a chain).
struct Input {
    Key key;
    std::string number;
};

// The number that an operand or a printed result stands for, or nothing when it is no number
// (a lone point) or out of range (the calculator shows its read error); length: what it took.
std::optional<double> ReadNumber(const std::string& text, std::size_t* length = nullptr) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (length)
        *length = static_cast<std::size_t>(end - text.c_str());
    if (end == text.c_str() || errno == ERANGE)
        return std::nullopt;
    return value;
}

// The number that a pasted text holds, or "" if none: the text within its spaces, tabs and line
// ends, if strtod reads it whole and it is no hexadecimal, infinity or not-a-number, no "+5".
std::string PastedNumber(const std::string& text) {
    const std::size_t from = std::min(text.find_first_not_of(" \t\r\n"), text.size());
    const std::string number = text.substr(from, text.find_last_not_of(" \t\r\n") + 1 - from);
    std::size_t length = 0;
    ReadNumber(number, &length);
    const bool valid = !number.empty() && number[0] != '+' && length == number.size();
    return valid && number.find_first_not_of("0123456789.eE+-") == std::string::npos ? number : "";
}

// Whether text is what typing alone makes: digits and points, at least one.
bool IsTyped(const std::string& text) {
    return !text.empty() && std::strspn(text.c_str(), kTyped) == text.size();
}

// Whether text is a pasted number, then nothing or digits and points typed on to it (strtod
// reads on unless a second point comes): never a lone point.
bool IsPastedThenTyped(const std::string& text) {
    std::size_t length = 0;
    ReadNumber(text, &length);
    const std::string number = text.substr(0, length);
    return !number.empty() && PastedNumber(number) == number &&
           std::strspn(text.c_str() + length, kTyped) == text.size() - length;
}

// What the display shows after a calculation: the "%g" form of the result, or the division
// error.
std::string Reference(Key op, double a, double b) {
    double result = 0.0;
    if (op == KeyAdd)
        result = a + b;
    else if (op == KeySubtract)
        result = a - b;
    else if (op == KeyMultiply)
        result = a * b;
    else if (b == 0.0)
        return DivisionErrorText;
    else
        result = a / b;
    char text[32];
    std::snprintf(text, sizeof text, "%g", result);
    return text;
}

// Enters the digits, points, pastes and C from keys[i] on into number; returns the index after
// them. C before a number is begun does nothing.
std::size_t TypeNumber(const Input* keys, std::size_t count, std::size_t i, std::string& number) {
    bool pasted = false;
    for (; i < count; ++i) {
        const Key key = keys[i].key;
        if (!keys[i].number.empty()) {
            number = keys[i].number;
            pasted = true;
        } else if (key >= KeyDigit0 && key <= KeyPoint) {
            number += key == KeyPoint ? '.' : static_cast<char>('0' + (key - KeyDigit0));
        } else if (key != KeyClear) {
            return i;
        } else if (!number.empty()) {
            // C: a typed number loses its last character; a pasted one becomes the longest
            // shorter start of it that is a whole pasted number. "0" when nothing is left.
            std::size_t n = number.size() - 1;
            while (pasted && n > 0 && PastedNumber(number.substr(0, n)) != number.substr(0, n))
                --n;
            number = n > 0 ? number.substr(0, n) : "0";
        }
    }
    return i;
}

bool IsOperator(const Input& input) {
    return input.key >= KeyDivide && input.key <= KeyAdd;
}

// What a cleared calculator shows after the given keys when they make a chain calculation
// (number, then one or more groups of operator keys and a number, then "="):
// each group's last operator key is the one that counts, and every intermediate result is
// read back from its "%g" form. Nothing for any other sequence.
std::optional<std::string> ChainResult(const Input* keys, std::size_t count) {
    struct Step {
        Key op;
        std::string operand;
    };
    std::string first;
    std::vector<Step> steps;
    std::size_t i = TypeNumber(keys, count, 0, first);
    while (!first.empty() && i < count && IsOperator(keys[i])) {
        Step step{keys[i].key, {}};
        while (++i < count && IsOperator(keys[i]))
            step.op = keys[i].key;
        i = TypeNumber(keys, count, i, step.operand);
        if (step.operand.empty())
            return std::nullopt;
        steps.push_back(step);
    }
    if (steps.empty() || i + 1 != count || keys[i].key != KeyEquals)
        return std::nullopt;
    std::optional<double> value = ReadNumber(first);
    for (std::size_t k = 0;; ++k) {
        const std::optional<double> operand = ReadNumber(steps[k].operand);
        if (!value || !operand)
            return std::string(ReadErrorText);
        const std::string shown = Reference(steps[k].op, *value, *operand);
        if (k + 1 == steps.size() || shown == DivisionErrorText)
            return shown;
        value = ReadNumber(shown);
    }
}

// Checks the display that the keys since the last AC have left.
void CheckChain(const Calculator& calculator, const Input* keys, std::size_t count) {
    const std::optional<std::string> expected = ChainResult(keys, count);
    if (!expected)
        return;
    FUZZ_CHECK(*expected == calculator.Display());
    const bool failed = *expected == ReadErrorText || *expected == DivisionErrorText;
    FUZZ_CHECK(calculator.State() == (failed ? Error : Ready));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Entry = Calculator::Entry;
    Calculator calculator(nullptr);
    std::vector<Input> keys; // since the last AC
    bool pasted = false;     // the number being entered began as a paste
    for (std::size_t i = 0; i < size; ++i) {
        const CalcState stateBefore = calculator.State();
        const CalcOperator pendingBefore = calculator.PendingOperator();
        const std::string displayBefore = calculator.Display();
        const std::optional<Key> key = data[i] <= LastKey - FirstKey
                                           ? static_cast<Key>(FirstKey + data[i])
                                           : KeyForCharacter(static_cast<char>(data[i]));
        if (data[i] == kPaste) {
            std::string text;
            while (++i < size && data[i] != kPaste)
                if (data[i] == kRepeat && i + 1 < size && !text.empty())
                    text.append(32 * (data[++i] + 1u), text.back());
                else
                    text += static_cast<char>(data[i]);
            const std::string number = text.size() <= LongestEntry ? PastedNumber(text) : "";
            const Entry entry = calculator.EnterNumber(text.data(), text.size());
            const bool entered = entry == Entry::Entered;
            FUZZ_CHECK(IsEnterableNumber(text.data(), text.size()) == !number.empty());
            FUZZ_CHECK(entry == (number.empty()         ? Entry::Refused
                                 : stateBefore == Error ? Entry::Ignored
                                                        : Entry::Entered));
            FUZZ_CHECK(calculator.Display() == (entered ? number : displayBefore));
            FUZZ_CHECK(calculator.State() == (!entered                       ? stateBefore
                                              : stateBefore <= EnteringFirst ? EnteringFirst
                                                                             : EnteringSecond));
            FUZZ_CHECK(calculator.PendingOperator() == pendingBefore);
            if (entered)
                keys.push_back({KeyAllClear, number});
            pasted = pasted || entered;
        } else if (key) {
            if (*key == KeyAllClear) {
                CheckChain(calculator, keys.data(), keys.size());
                keys.clear();
            } else {
                keys.push_back({*key, {}});
            }
            calculator.PressKey(*key);
            if (*key >= KeyDigit0 && *key <= KeyPoint &&
                (stateBefore == Ready || stateBefore == OperatorPending))
                pasted = false; // a typed number begins
            if (stateBefore == Error && *key != KeyAllClear) {
                FUZZ_CHECK(displayBefore == calculator.Display());
                FUZZ_CHECK(calculator.State() == Error);
                FUZZ_CHECK(calculator.PendingOperator() == pendingBefore);
            }
        }
        const std::string display = calculator.Display();
        const CalcState state = calculator.State();
        FUZZ_CHECK(!display.empty());
        FUZZ_CHECK(state >= Ready && state <= Error);
        FUZZ_CHECK(calculator.PendingOperator() >= None && calculator.PendingOperator() <= Divide);
        // No road leads to a display that reads as other than it shows: a number being entered
        // is typed text or a pasted number (with digits and points typed on), as it began, and
        // a result (in Ready or OperatorPending) reads whole.
        std::size_t length = 0;
        ReadNumber(display, &length);
        const bool entering = state == EnteringFirst || state == EnteringSecond;
        FUZZ_CHECK(state == Error ||
                   (entering ? (pasted ? IsPastedThenTyped(display) : IsTyped(display))
                             : IsTyped(display) || IsPastedThenTyped(display) ||
                                   length == display.size()));
    }
    CheckChain(calculator, keys.data(), keys.size());
    return 0;
}
