// The calculator's state and its key handling: an immediate-execution, four-function
// machine whose operands are read back from the display text. Knows nothing of windows.
#pragma once

#include "display_text.h"
#include "resource.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// Handle types as the Windows headers declare them, so that this header needs none.
struct HINSTANCE__;
struct HWND__;

enum CalcState : std::int32_t {
    Ready = 0,           // "0" or the result of "="; a digit starts a new first operand
    EnteringFirst = 1,   // the first operand is being typed
    OperatorPending = 2, // an operator is chosen; a digit starts the second operand
    EnteringSecond = 3,  // the second operand is being typed
    Error = 4,           // "DIV 0" (or ErrorText) on the display; only AC is taken
};

enum CalcOperator : std::int32_t { None = 0, Add = 1, Subtract = 2, Multiply = 3, Divide = 4 };

// A keypad key, numbered by the control identifier of its button in the dialog template.
enum Key : std::int32_t {
    KeyDigit0 = IDC_KEY_0, // IDC_KEY_1 to IDC_KEY_9 follow it
    KeyDigit9 = IDC_KEY_9,
    KeyPoint = IDC_KEY_POINT,
    KeyAllClear = IDC_KEY_ALL_CLEAR,
    KeyClear = IDC_KEY_CLEAR,
    KeyDivide = IDC_KEY_DIVIDE,
    KeyMultiply = IDC_KEY_MULTIPLY,
    KeySubtract = IDC_KEY_SUBTRACT,
    KeyAdd = IDC_KEY_ADD,
    KeyEquals = IDC_KEY_EQUALS,
};

constexpr std::int32_t FirstKey = KeyDigit0;
constexpr std::int32_t LastKey = KeyEquals;

// How reading a number from the display went (ParseDisplay).
enum class Reading { Number, NoNumber, NoMemory };

// Shown when a division by zero stops the calculation.
extern const char* const DivisionErrorText; // "DIV 0"
// Shown when the display cannot be read as a number (a lone "." or a number out of range).
extern const char* const ReadErrorText; // "ERROR"

class Calculator {
public:
    explicit Calculator(HINSTANCE__* instance);

    // Applies one key; values outside FirstKey..LastKey are not keys and must not be passed.
    // Returns false when the key found no memory (the display text could not grow, or an
    // operand could not be read): the key is then ignored, and the calculation stays as it was.
    //
    // A number being entered is typed (every character came from a key) or pasted (it began as
    // a paste, perhaps with digits and points typed on). C keeps what each can show: after C a
    // typed number is text that typing alone could have made (its last character gone, "0" for
    // the last one), and a pasted number is a whole number that reads as what it shows (the
    // longest start of the shortened text that is one, "0" when none is).
    bool PressKey(Key key);

    // Enters a whole number, as pasted: `text` (length characters) trimmed of surrounding
    // blanks and line ends must be a number the calculator could show (IsEnterableNumber). It
    // then becomes the operand being typed, shown as given: it replaces a number being typed,
    // follows an operator as the second operand, or starts a new calculation after a result.
    enum class Entry { Entered, Ignored, Refused };
    // Refused for any other text, in every state, or when the display cannot hold the number
    // for want of memory; a number is Ignored in the error state, as a digit is. Nothing
    // changes unless it is Entered.
    Entry EnterNumber(const char* text, std::size_t length);

    const char* Display() const { return display.c_str(); }
    CalcState State() const { return state; }
    CalcOperator PendingOperator() const { return pending; }

    HINSTANCE__* instance; // module instance; used to open the dialog
    HWND__* dialog;        // the last opened calculator window, null when closed
    DisplayText display;   // what the display shows; never empty
    CalcState state;
    CalcOperator pending;
    double first;
    double second;
    bool pasted; // the number being entered began as a paste

private:
    bool AppendCharacter(char c);
    bool ChooseOperator(CalcOperator op);
    bool ChainOperator(CalcOperator op);
    bool Equals();
    void Backspace();
    void AllClear();
    // Reads an operand from the display. A display that is no number stops the calculation
    // (the error state); one that finds no memory changes nothing.
    Reading ReadOperand(double& value);
};

// Applies op to a and b and writes the "%g" result, with a point whatever locale the process
// has chosen (or "DIV 0"), into display. Returns false on
// a division by zero. An unknown operator leaves the display alone and returns true.
bool Evaluate(CalcOperator op, double a, double b, DisplayText& display);

// Longest text that EnterNumber considers, blanks included.
constexpr std::size_t LongestEntry = 4096;

// Whether text (length characters), at most LongestEntry of them, is a number the calculator
// could show once trimmed of the spaces, tabs and line ends (CR, LF) around it: an optional
// minus sign, digits with at most one point, and an optional exponent ("e" or "E", an optional
// sign, digits).
bool IsEnterableNumber(const char* text, std::size_t length);

// The keypad key that a typed character stands for: the digits, either decimal separator ("."
// or ","), the operators ("*", "x" and "X" multiply), "=" and Enter (carriage return) for
// equals, Backspace for C. Nothing for any other character.
std::optional<Key> KeyForCharacter(char c);

// Reads the number at the start of text as strtod does, with the point as the decimal point
// whatever locale the process has chosen (a display holds no other separator). NoNumber when no
// number stands there or when the value is out of range; NoMemory when the text, translated for a
// locale whose decimal point is another, could not be stored. value is set only for a Number.
Reading ParseDisplay(const char* text, double& value);
