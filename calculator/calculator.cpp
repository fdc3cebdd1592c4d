#include "calculator.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

const char* const DivisionErrorText = "DIV 0";
const char* const ReadErrorText = "ERROR";

namespace {

bool IsDigitOrPoint(Key key) {
    return (key >= KeyDigit0 && key <= KeyDigit9) || key == KeyPoint;
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
    : instance(instance_), dialog(nullptr), display("0"), state(Ready), pending(None), first(0.0),
      second(0.0) {}

void Calculator::PressKey(Key key) {
    if (key == KeyAllClear) {
        AllClear();
        return;
    }
    if (state == Error)
        return;
    if (IsDigitOrPoint(key)) {
        AppendCharacter(CharacterOf(key));
    } else if (OperatorOf(key) != None) {
        if (state == EnteringSecond)
            ChainOperator(OperatorOf(key));
        else
            ChooseOperator(OperatorOf(key));
    } else if (key == KeyEquals) {
        if (state == EnteringSecond)
            Equals();
    } else if (key == KeyClear) {
        if (state == EnteringFirst || state == EnteringSecond)
            Backspace();
    }
}

void Calculator::AppendCharacter(char c) {
    if (state == Ready || state == OperatorPending) {
        state = state == Ready ? EnteringFirst : EnteringSecond;
        display.clear();
    }
    display += c;
}

void Calculator::ChooseOperator(CalcOperator op) {
    if (state == OperatorPending) {
        // A second operator key only replaces the earlier choice.
        pending = op;
        return;
    }
    double value;
    if (!ReadOperand(value))
        return;
    first = value;
    pending = op;
    state = OperatorPending;
}

void Calculator::ChainOperator(CalcOperator op) {
    if (!ReadOperand(second))
        return;
    if (!Evaluate(pending, first, second, display)) {
        state = Error;
        return;
    }
    // The next calculation goes on with the result as the display shows it.
    if (!ReadOperand(first))
        return;
    pending = op;
    state = OperatorPending;
}

void Calculator::Equals() {
    if (!ReadOperand(second))
        return;
    state = Evaluate(pending, first, second, display) ? Ready : Error;
}

void Calculator::Backspace() {
    if (display.size() == 1)
        display = "0";
    else
        display.pop_back();
}

void Calculator::AllClear() {
    state = Ready;
    pending = None;
    display = "0";
}

bool Calculator::ReadOperand(double& value) {
    if (ParseDisplay(display.c_str(), value))
        return true;
    // A display that is not a usable number (a lone point, or a value beyond the range of a
    // double) stops the calculation like a division by zero: computing on with a made-up
    // value would show a wrong answer as if it were right. Only AC leaves this state.
    display = ReadErrorText;
    state = Error;
    return false;
}

bool Evaluate(CalcOperator op, double a, double b, std::string& display) {
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
            display = DivisionErrorText;
            return false;
        }
        r = a / b;
        break;
    default:
        return true;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g", r);
    display = text;
    return true;
}

bool ParseDisplay(const char* text, double& value) {
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text, &end);
    if (end == text || errno == ERANGE)
        return false;
    value = parsed;
    return true;
}
