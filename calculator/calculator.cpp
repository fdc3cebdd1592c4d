#include "calculator.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const DivisionErrorText = "DIV 0";
const char* const ReadErrorText = "ERROR";

namespace {

// A digit is read off as its key's distance from KeyDigit0, and the dialog passes every
// identifier from FirstKey to LastKey as a key: the template's keys must stand in a row.
constexpr int kKeyIdentifiers[] = {
    IDC_KEY_0,        IDC_KEY_1,         IDC_KEY_2,     IDC_KEY_3,      IDC_KEY_4,
    IDC_KEY_5,        IDC_KEY_6,         IDC_KEY_7,     IDC_KEY_8,      IDC_KEY_9,
    IDC_KEY_POINT,    IDC_KEY_ALL_CLEAR, IDC_KEY_CLEAR, IDC_KEY_DIVIDE, IDC_KEY_MULTIPLY,
    IDC_KEY_SUBTRACT, IDC_KEY_ADD,       IDC_KEY_EQUALS};

constexpr bool KeysInARow() {
    int next = FirstKey;
    for (int id : kKeyIdentifiers)
        if (id != next++)
            return false;
    return next == LastKey + 1;
}
static_assert(KeysInARow(), "the key identifiers of resource.h must follow one another");

// A run of characters within a longer text.
struct Span {
    const char* text;
    std::size_t length;
};

// Only these surround a pasted number; a vertical tab or a form feed is no blank.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The length of the longest start of text (length characters) that is a whole number as a
// paste gives it (see IsEnterableNumber); 0 when no start is one.
std::size_t NumberLength(const char* text, std::size_t length) {
    const char* c = text;
    const char* const end = text + length;
    const auto digits = [&c, end] {
        const char* const start = c;
        while (c != end && *c >= '0' && *c <= '9')
            ++c;
        return c - start;
    };
    if (c != end && *c == '-')
        ++c;
    std::ptrdiff_t mantissa = digits();
    if (c != end && *c == '.') {
        ++c;
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0;
    const std::size_t whole = static_cast<std::size_t>(c - text);
    if (c != end && (*c == 'e' || *c == 'E')) {
        ++c;
        if (c != end && (*c == '+' || *c == '-'))
            ++c;
        if (digits() > 0)
            return static_cast<std::size_t>(c - text);
    }
    return whole;
}

// The number that a pasted text holds, without the blanks around it; nothing when it holds
// none. The length limit applies to the text as given, blanks included.
std::optional<Span> PastedNumber(const char* text, std::size_t length) {
    if (length > LongestEntry)
        return std::nullopt;
    while (length > 0 && IsBlank(*text)) {
        ++text;
        --length;
    }
    while (length > 0 && IsBlank(text[length - 1]))
        --length;
    if (length == 0 || NumberLength(text, length) != length)
        return std::nullopt;
    return Span{text, length};
}

bool IsDigitOrPoint(Key key) {
    return (key >= KeyDigit0 && key <= KeyDigit9) || key == KeyPoint;
}

// The decimal point of the C locale that the process has chosen (any code in it may choose one),
// with which the C library writes and reads numbers, when it is not the display's point.
const char* LocalePoint() {
    const char* const point = std::localeconv()->decimal_point;
    return point[0] == '\0' || std::strcmp(point, ".") == 0 ? nullptr : point;
}

char CharacterOf(Key key) {
    return key == KeyPoint ? '.' : static_cast<char>('0' + (key - KeyDigit0));
}

CalcOperator OperatorOf(Key key) {
    switch (key) {
    case KeyDivide:
        return Divide;
    case KeyMultiply:
        return Multiply;
    case KeySubtract:
        return Subtract;
    case KeyAdd:
        return Add;
    default:
        return None;
    }
}

} // namespace

Calculator::Calculator(HINSTANCE__* instance_)
    : instance(instance_), dialog(nullptr), state(Ready), pending(None), first(0.0), second(0.0),
      pasted(false) {
    display.Assign("0");
}

bool Calculator::PressKey(Key key) {
    if (key == KeyAllClear) {
        AllClear();
        return true;
    }
    if (state == Error)
        return true;
    if (IsDigitOrPoint(key)) {
        // Out of memory the digit is not taken: the number, the operands and the pending
        // operator stay as they were, so nothing of the pilot's work is lost.
        return AppendCharacter(CharacterOf(key));
    } else if (OperatorOf(key) != None) {
        return state == EnteringSecond ? ChainOperator(OperatorOf(key))
                                       : ChooseOperator(OperatorOf(key));
    } else if (key == KeyEquals) {
        if (state == EnteringSecond)
            return Equals();
    } else if (key == KeyClear) {
        if (state == EnteringFirst || state == EnteringSecond)
            Backspace();
    }
    return true;
}

Calculator::Entry Calculator::EnterNumber(const char* text, std::size_t length) {
    const std::optional<Span> number = PastedNumber(text, length);
    if (!number)
        return Entry::Refused;
    if (state == Error)
        return Entry::Ignored;
    // Assigned whole before anything else changes, so that a text that finds no memory
    // changes nothing.
    if (!display.Assign(number->text, number->length))
        return Entry::Refused;
    if (state == Ready)
        state = EnteringFirst;
    else if (state == OperatorPending)
        state = EnteringSecond;
    pasted = true;
    return Entry::Entered;
}

bool Calculator::AppendCharacter(char c) {
    if (state == Ready || state == OperatorPending) {
        state = state == Ready ? EnteringFirst : EnteringSecond;
        display.Assign("");
        pasted = false;
    }
    return display.Append(c);
}

bool Calculator::ChooseOperator(CalcOperator op) {
    if (state == OperatorPending) {
        // A second operator key only replaces the earlier choice.
        pending = op;
        return true;
    }
    double value;
    const Reading reading = ReadOperand(value);
    if (reading != Reading::Number)
        return reading != Reading::NoMemory;
    first = value;
    pending = op;
    state = OperatorPending;
    return true;
}

bool Calculator::ChainOperator(CalcOperator op) {
    const Reading reading = ReadOperand(second);
    if (reading != Reading::Number)
        return reading != Reading::NoMemory;
    if (!Evaluate(pending, first, second, display)) {
        state = Error;
        return true;
    }
    // The next calculation goes on with the result as the display shows it (a short text,
    // which reading never needs memory for).
    if (ReadOperand(first) == Reading::Number) {
        pending = op;
        state = OperatorPending;
    }
    return true;
}

bool Calculator::Equals() {
    const Reading reading = ReadOperand(second);
    if (reading == Reading::Number)
        state = Evaluate(pending, first, second, display) ? Ready : Error;
    return reading != Reading::NoMemory;
}

void Calculator::Backspace() {
    display.Truncate(display.size() - 1);
    if (pasted)
        display.Truncate(NumberLength(display.c_str(), display.size()));
    if (display.size() == 0)
        display.Assign("0");
}

void Calculator::AllClear() {
    state = Ready;
    pending = None;
    display.Assign("0");
}

bool IsEnterableNumber(const char* text, std::size_t length) {
    return PastedNumber(text, length).has_value();
}

std::optional<Key> KeyForCharacter(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<Key>(KeyDigit0 + (c - '0'));
    switch (c) {
    case '.':
    case ',':
        return KeyPoint;
    case '+':
        return KeyAdd;
    case '-':
        return KeySubtract;
    case '*':
    case 'x':
    case 'X':
        return KeyMultiply;
    case '/':
        return KeyDivide;
    case '=':
    case '\r':
        return KeyEquals;
    case '\b':
        return KeyClear;
    default:
        return std::nullopt;
    }
}

Reading Calculator::ReadOperand(double& value) {
    const Reading reading = ParseDisplay(display.c_str(), value);
    if (reading == Reading::NoNumber) {
        // A display that is not a usable number (a lone point, or a value beyond the range of
        // a double) stops the calculation like a division by zero: computing on with a made-up
        // value would show a wrong answer as if it were right. Only AC leaves this state.
        display.Assign(ReadErrorText);
        state = Error;
    }
    return reading;
}

bool Evaluate(CalcOperator op, double a, double b, DisplayText& display) {
    double r;
    switch (op) {
    case Add:
        r = a + b;
        break;
    case Subtract:
        r = a - b;
        break;
    case Multiply:
        r = a * b;
        break;
    case Divide:
        if (b == 0.0) {
            display.Assign(DivisionErrorText);
            return false;
        }
        r = a / b;
        break;
    default:
        return true;
    }
    // C libraries differ in the sign they print for a not-a-number; the display shows "nan".
    if (std::isnan(r)) {
        display.Assign("nan");
        return true;
    }
    // Short enough for the display's own storage, so writing it cannot fail.
    char text[DisplayText::ShortLength];
    std::snprintf(text, sizeof text, "%g", r);
    if (const char* const point = LocalePoint()) {
        if (char* const at = std::strstr(text, point)) {
            const std::size_t length = std::strlen(point);
            *at = '.';
            std::memmove(at + 1, at + length, std::strlen(at + length) + 1);
        }
    }
    display.Assign(text);
    return true;
}

Reading ParseDisplay(const char* text, double& value) {
    DisplayText translated;
    const char* const point = LocalePoint();
    if (const char* const dot = point ? std::strchr(text, '.') : nullptr) {
        const std::size_t before = static_cast<std::size_t>(dot - text);
        if (!translated.Assign(text, before) || !translated.Append(point, std::strlen(point)) ||
            !translated.Append(dot + 1, std::strlen(dot + 1)))
            return Reading::NoMemory;
        text = translated.c_str();
    }
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text, &end);
    if (end == text || errno == ERANGE)
        return Reading::NoNumber;
    value = parsed;
    return Reading::Number;
}
