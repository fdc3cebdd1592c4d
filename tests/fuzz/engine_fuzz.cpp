// The calculator engine under a key sequence: each input byte is one key. Checks what holds
// after every key, and compares each chain calculation (typed operand, then operators and
// typed operands, then "=") with a reference that computes from the keys typed, reading back
// only its own printed intermediate results.
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

// The number that a typed operand or a printed result stands for, or nothing when it is no
// number (a lone point) or out of range: the calculator then shows its read error.
std::optional<double> ReadNumber(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || errno == ERANGE)
        return std::nullopt;
    return value;
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

// Appends the digits and points from keys[i] on to number; returns the index after them.
std::size_t TypeNumber(const Key* keys, std::size_t count, std::size_t i, std::string& number) {
    for (; i < count && keys[i] >= KeyDigit0 && keys[i] <= KeyPoint; ++i)
        number += keys[i] == KeyPoint ? '.' : static_cast<char>('0' + (keys[i] - KeyDigit0));
    return i;
}

bool IsOperator(Key key) {
    return key >= KeyDivide && key <= KeyAdd;
}

// What a cleared calculator shows after the given keys when they make a chain calculation
// (typed number, then one or more groups of operator keys and a typed number, then "="):
// each group's last operator key is the one that counts, and every intermediate result is
// read back from its "%g" form. Nothing for any other sequence.
std::optional<std::string> ChainResult(const Key* keys, std::size_t count) {
    struct Step {
        Key op;
        std::string operand;
    };
    std::string first;
    std::vector<Step> steps;
    std::size_t i = TypeNumber(keys, count, 0, first);
    while (!first.empty() && i < count && IsOperator(keys[i])) {
        Step step{keys[i], {}};
        while (++i < count && IsOperator(keys[i]))
            step.op = keys[i];
        i = TypeNumber(keys, count, i, step.operand);
        if (step.operand.empty())
            return std::nullopt;
        steps.push_back(step);
    }
    if (steps.empty() || i + 1 != count || keys[i] != KeyEquals)
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
void CheckChain(const Calculator& calculator, const Key* keys, std::size_t count) {
    const std::optional<std::string> expected = ChainResult(keys, count);
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
            CheckChain(calculator, &keys[cleared], i - cleared);
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
    CheckChain(calculator, keys.data() + cleared, keys.size() - cleared);
    return 0;
}
