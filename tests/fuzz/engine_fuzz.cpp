// The calculator engine under a key sequence: each input byte is one key. Checks what holds
// after every key, and compares each plain calculation (typed operand, one operator, typed
// operand, "=") with a reference that computes from the keys typed rather than the display.
#include "calculator.h"
#include "fuzz_check.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

// The number that a typed operand stands for, or nothing when it is no number (a lone
// point) or beyond what a double holds: the calculator then shows its read error.
std::optional<double> ReadTyped(const std::string& typed) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(typed.c_str(), &end);
    if (end == typed.c_str() || errno == ERANGE)
        return std::nullopt;
    return value;
}

// What the display shows after "=": the "%g" form of the result, or the division error.
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

// Appends the digits and points from keys[i] on to number; returns the index after them.
std::size_t TypeNumber(const Key* keys, std::size_t count, std::size_t i, std::string& number) {
    for (; i < count && keys[i] >= KeyDigit0 && keys[i] <= KeyPoint; ++i)
        number += keys[i] == KeyPoint ? '.' : static_cast<char>('0' + (keys[i] - KeyDigit0));
    return i;
}

// What a cleared calculator shows after the given keys when they make a plain calculation
// (typed number, operator, typed number, "="); nothing for any other sequence.
std::optional<std::string> PlainResult(const Key* keys, std::size_t count) {
    std::string first, second;
    std::size_t i = TypeNumber(keys, count, 0, first);
    if (first.empty() || i == count || keys[i] < KeyDivide || keys[i] > KeyAdd)
        return std::nullopt;
    const Key op = keys[i];
    i = TypeNumber(keys, count, i + 1, second);
    if (second.empty() || i + 1 != count || keys[i] != KeyEquals)
        return std::nullopt;
    const std::optional<double> a = ReadTyped(first);
    const std::optional<double> b = ReadTyped(second);
    if (!a || !b)
        return std::string(ReadErrorText);
    return Reference(op, *a, *b);
}

// Checks the display that the keys since the last AC have left.
void CheckPlain(const Calculator& calculator, const Key* keys, std::size_t count) {
    const std::optional<std::string> expected = PlainResult(keys, count);
    if (!expected)
        return;
    FUZZ_CHECK(*expected == calculator.Display());
    const bool failed = *expected == ReadErrorText || *expected == DivisionErrorText;
    FUZZ_CHECK(calculator.State() == (failed ? Error : Ready));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Key> keys;
    for (std::size_t i = 0; i < size; ++i)
        keys.push_back(static_cast<Key>(FirstKey + data[i] % (LastKey - FirstKey + 1)));
    Calculator calculator(nullptr);
    std::size_t cleared = 0; // the first key after the last AC
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Key key = keys[i];
        if (key == KeyAllClear) {
            CheckPlain(calculator, &keys[cleared], i - cleared);
            cleared = i + 1;
        }
        const CalcState stateBefore = calculator.State();
        const CalcOperator pendingBefore = calculator.PendingOperator();
        const std::string displayBefore = stateBefore == Error ? calculator.Display() : "";

        calculator.PressKey(key);

        FUZZ_CHECK(calculator.Display()[0] != '\0');
        FUZZ_CHECK(calculator.State() >= Ready && calculator.State() <= Error);
        FUZZ_CHECK(calculator.PendingOperator() >= None && calculator.PendingOperator() <= Divide);
        if (stateBefore == Error && key != KeyAllClear) {
            FUZZ_CHECK(displayBefore == calculator.Display());
            FUZZ_CHECK(calculator.State() == Error);
            FUZZ_CHECK(calculator.PendingOperator() == pendingBefore);
        }
    }
    CheckPlain(calculator, keys.data() + cleared, keys.size() - cleared);
    return 0;
}
