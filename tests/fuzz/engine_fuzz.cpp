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
#include <cstring>
#include <optional>
#include <string>

namespace {

bool IsTyped(Key key) {
    return key >= KeyDigit0 && key <= KeyPoint;
}

bool IsOperator(Key key) {
    return key >= KeyDivide && key <= KeyAdd;
}

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

// Follows the keys from a cleared calculator while they form a plain calculation; anything
// else (C, a second operator, an operator on a result) ends the model until the next AC.
class PlainCalculation {
public:
    void Check(Key key, const Calculator& calculator) {
        if (key == KeyAllClear) {
            phase = Phase::Fresh;
            return;
        }
        switch (phase) {
        case Phase::Fresh:
        case Phase::Operator:
            if (!IsTyped(key))
                break;
            typed[phase == Phase::Fresh ? 0 : 1] = Character(key);
            phase = phase == Phase::Fresh ? Phase::First : Phase::Second;
            return ExpectTyped(calculator);
        case Phase::First:
            if (IsTyped(key)) {
                typed[0] += Character(key);
                return ExpectTyped(calculator);
            }
            if (!IsOperator(key))
                break;
            op = key;
            if (!ReadTyped(typed[0]))
                return ExpectError(calculator, ReadErrorText);
            FUZZ_CHECK(typed[0] == calculator.Display());
            FUZZ_CHECK(calculator.State() == OperatorPending);
            phase = Phase::Operator;
            return;
        case Phase::Second:
            if (IsTyped(key)) {
                typed[1] += Character(key);
                return ExpectTyped(calculator);
            }
            if (key != KeyEquals)
                break;
            return ExpectResult(calculator);
        case Phase::Off:
            break;
        }
        phase = Phase::Off;
    }

private:
    enum class Phase { Fresh, First, Operator, Second, Off };

    static char Character(Key key) { return key == KeyPoint ? '.' : char('0' + key - KeyDigit0); }

    void ExpectTyped(const Calculator& calculator) const {
        FUZZ_CHECK(typed[phase == Phase::First ? 0 : 1] == calculator.Display());
    }

    void ExpectError(const Calculator& calculator, const char* text) {
        FUZZ_CHECK(std::strcmp(calculator.Display(), text) == 0);
        FUZZ_CHECK(calculator.State() == Error);
        phase = Phase::Off;
    }

    void ExpectResult(const Calculator& calculator) {
        const std::optional<double> a = ReadTyped(typed[0]);
        const std::optional<double> b = ReadTyped(typed[1]);
        if (!b)
            return ExpectError(calculator, ReadErrorText);
        const std::string expected = Reference(op, *a, *b);
        if (expected == DivisionErrorText)
            return ExpectError(calculator, DivisionErrorText);
        FUZZ_CHECK(expected == calculator.Display());
        FUZZ_CHECK(calculator.State() == Ready);
        // A result leaves the calculator as fresh as AC for the next typed operand.
        phase = Phase::Fresh;
    }

    Phase phase = Phase::Fresh;
    std::string typed[2];
    Key op = KeyAdd;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Calculator calculator(nullptr);
    PlainCalculation plain;
    for (std::size_t i = 0; i < size; ++i) {
        const Key key = static_cast<Key>(FirstKey + data[i] % (LastKey - FirstKey + 1));
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
        plain.Check(key, calculator);
    }
    return 0;
}
