// The calculator engine driven by key sequences, as the keypad drives it.
#include "calculator.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// While set, this program's realloc (below) fails as if memory had run out.
bool g_reallocFails = false;

} // namespace

// Under AddressSanitizer the allocator is the sanitizer's, reached through its interceptor.
extern "C" void* __interceptor_realloc(void* block, size_t size) __attribute__((weak));

// Stands in for the C library's realloc, which the display text grows with.
extern "C" void* realloc(void* block, size_t size) noexcept {
    using Realloc = void* (*)(void*, size_t);
    static const auto next = __interceptor_realloc
                                 ? __interceptor_realloc
                                 : reinterpret_cast<Realloc>(dlsym(RTLD_NEXT, "realloc"));
    return g_reallocFails ? nullptr : next(block, size);
}

namespace {

Key KeyOf(const std::string& caption) {
    if (caption.size() == 1 && caption[0] >= '0' && caption[0] <= '9')
        return static_cast<Key>(KeyDigit0 + (caption[0] - '0'));
    if (caption == ".")
        return KeyPoint;
    if (caption == "AC")
        return KeyAllClear;
    if (caption == "C")
        return KeyClear;
    if (caption == "/")
        return KeyDivide;
    if (caption == "X")
        return KeyMultiply;
    if (caption == "-")
        return KeySubtract;
    if (caption == "+")
        return KeyAdd;
    if (caption == "=")
        return KeyEquals;
    ADD_FAILURE() << "no key captioned " << caption;
    return KeyAllClear;
}

// Presses the keys of a comma-separated caption list, e.g. "1,+,2,=".
void Press(Calculator& calculator, const std::string& keys) {
    size_t start = 0;
    while (start <= keys.size()) {
        const size_t comma = keys.find(',', start);
        const size_t end = comma == std::string::npos ? keys.size() : comma;
        calculator.PressKey(KeyOf(keys.substr(start, end - start)));
        start = end + 1;
    }
}

// "k,k,...,k": the key k pressed n times.
std::string Repeat(const std::string& key, int n) {
    std::string keys = key;
    for (int i = 1; i < n; ++i)
        keys += "," + key;
    return keys;
}

std::string After(const std::string& keys) {
    Calculator calculator(nullptr);
    Press(calculator, keys);
    return calculator.Display();
}

TEST(CalculatorEngine, NewCalculatorShowsZeroAndIgnoresEquals) {
    Calculator calculator(nullptr);
    EXPECT_STREQ("0", calculator.Display());
    EXPECT_EQ(Ready, calculator.State());
    EXPECT_EQ(None, calculator.PendingOperator());
    calculator.PressKey(KeyEquals);
    EXPECT_STREQ("0", calculator.Display());
    EXPECT_EQ(Ready, calculator.State());
}

TEST(CalculatorEngine, ArithmeticAndChaining) {
    Calculator calculator(nullptr);
    Press(calculator, "1,+,2,=");
    EXPECT_STREQ("3", calculator.Display());
    EXPECT_EQ(Ready, calculator.State());

    Calculator chain(nullptr);
    Press(chain, "2,X,3,X");
    EXPECT_STREQ("6", chain.Display());
    EXPECT_EQ(OperatorPending, chain.State());
    Press(chain, "4,=");
    EXPECT_STREQ("24", chain.Display());

    EXPECT_EQ("-2", After("3,-,5,="));
    EXPECT_EQ("0.3", After("0,.,1,+,0,.,2,="));
}

TEST(CalculatorEngine, SecondOperatorKeyReplacesTheFirst) {
    EXPECT_EQ("5", After("7,+,-,2,="));
}

TEST(CalculatorEngine, EqualsWithoutSecondOperandChangesNothing) {
    Calculator calculator(nullptr);
    Press(calculator, "3,+,=");
    EXPECT_STREQ("3", calculator.Display());
    EXPECT_EQ(OperatorPending, calculator.State());
}

TEST(CalculatorEngine, OperandsAreReadBackFromTheDisplay) {
    Calculator calculator(nullptr);
    Press(calculator, "1,/,3,=");
    EXPECT_STREQ("0.333333", calculator.Display());
    Press(calculator, "X,3,=");
    EXPECT_STREQ("0.999999", calculator.Display());
}

TEST(CalculatorEngine, AfterEqualsADigitStartsAnewAndAnOperatorContinues) {
    EXPECT_EQ("7", After("2,+,3,=,7"));
    EXPECT_EQ("20", After("2,+,3,=,X,4,="));
}

TEST(CalculatorEngine, ResultsHaveSixSignificantDigits) {
    EXPECT_EQ("1.23457e+06", After("1,2,3,4,5,6,7,+,1,="));
    EXPECT_EQ("9.9998e+09", After("9,9,9,9,9,X,9,9,9,9,9,="));
}

TEST(CalculatorEngine, DivisionByZeroHoldsUntilAllClear) {
    Calculator calculator(nullptr);
    Press(calculator, "5,/,0,=");
    EXPECT_STREQ("DIV 0", calculator.Display());
    EXPECT_EQ(Error, calculator.State());
    for (const char* keys : {"8", "+", "=", "C", ".", "X"}) {
        Press(calculator, keys);
        EXPECT_STREQ("DIV 0", calculator.Display()) << "after " << keys;
        EXPECT_EQ(Error, calculator.State());
    }
    Press(calculator, "AC");
    EXPECT_STREQ("0", calculator.Display());
    EXPECT_EQ(Ready, calculator.State());
    EXPECT_EQ(None, calculator.PendingOperator());

    Calculator chained(nullptr);
    Press(chained, "5,/,0,+");
    EXPECT_STREQ("DIV 0", chained.Display());
    EXPECT_EQ(Error, chained.State());
}

TEST(CalculatorEngine, NegativeZeroDivisorIsZero) {
    // 3 - 5 = -2; -2 X 0 = -0; 1 / -0 divides by zero.
    EXPECT_EQ("DIV 0", After("3,-,5,=,X,0,=,AC,1,/,0,="));
    DisplayText display;
    EXPECT_FALSE(Evaluate(Divide, 1.0, -0.0, display));
    EXPECT_STREQ("DIV 0", display.c_str());
}

TEST(CalculatorEngine, NotANumberDivisorIsNotZero) {
    DisplayText display;
    EXPECT_TRUE(Evaluate(Divide, 1.0, std::nan(""), display));
    double value = 0.0;
    ASSERT_TRUE(ParseDisplay(display.c_str(), value));
    EXPECT_TRUE(std::isnan(value)) << display.c_str();
}

TEST(CalculatorEngine, UnknownOperatorLeavesTheDisplay) {
    DisplayText display;
    ASSERT_TRUE(display.Assign("12"));
    EXPECT_TRUE(Evaluate(None, 1.0, 2.0, display));
    EXPECT_STREQ("12", display.c_str());
    EXPECT_TRUE(Evaluate(static_cast<CalcOperator>(9), 1.0, 2.0, display));
    EXPECT_STREQ("12", display.c_str());
}

TEST(CalculatorEngine, Backspace) {
    EXPECT_EQ("12", After("1,2,3,C"));
    Calculator calculator(nullptr);
    Press(calculator, "5,C");
    EXPECT_STREQ("0", calculator.Display());
    EXPECT_EQ(EnteringFirst, calculator.State());
    Press(calculator, "7");
    EXPECT_STREQ("07", calculator.Display());
    // The second operand backspaces the same way.
    EXPECT_EQ("4", After("9,+,4,5,C"));
}

TEST(CalculatorEngine, BackspaceIsIgnoredOutsideTyping) {
    EXPECT_EQ("3", After("3,+,C"));
    Calculator calculator(nullptr);
    Press(calculator, "C");
    EXPECT_STREQ("0", calculator.Display());
    EXPECT_EQ(Ready, calculator.State());
    EXPECT_EQ("5", After("2,+,3,=,C"));
}

TEST(CalculatorEngine, TypingRules) {
    EXPECT_EQ("00", After("0,0"));
    EXPECT_EQ(".", After("."));
    EXPECT_EQ("1.5", After(".,5,+,1,="));
    EXPECT_EQ("2.2", After("1,.,2,.,3,+,1,="));
    // No length limit on typed digits.
    EXPECT_EQ(std::string(40, '9'), After(Repeat("9", 40)));
}

TEST(CalculatorEngine, NegativeZeroPrintsAndCalculationGoesOn) {
    Calculator calculator(nullptr);
    Press(calculator, "3,-,5,=,X,0,=");
    EXPECT_STREQ("-0", calculator.Display());
    Press(calculator, "+,1,=");
    EXPECT_STREQ("1", calculator.Display());
}

TEST(CalculatorEngine, OverflowShowsInfinityAndReadsItBack) {
    Calculator calculator(nullptr);
    Press(calculator, "9,9,9,9,9");
    // Each step multiplies by about 1e5: seventy of them overflow a double.
    for (int i = 0; i < 70; ++i)
        Press(calculator, "X,9,9,9,9,9,=");
    char infinity[32];
    std::snprintf(infinity, sizeof infinity, "%g", HUGE_VAL);
    EXPECT_STREQ(infinity, calculator.Display());
    EXPECT_EQ(Ready, calculator.State());
    Press(calculator, "X,0,=");
    double value = 0.0;
    ASSERT_TRUE(ParseDisplay(calculator.Display(), value)) << calculator.Display();
    EXPECT_TRUE(std::isnan(value)) << calculator.Display();
    Press(calculator, "+,1,=");
    ASSERT_TRUE(ParseDisplay(calculator.Display(), value));
    EXPECT_TRUE(std::isnan(value)) << calculator.Display();
}

TEST(CalculatorEngine, AllClearFromEveryState) {
    for (const char* keys : {"1", "1,+", "1,+,2", "1,+,2,=", "5,/,0,=", "AC"}) {
        Calculator calculator(nullptr);
        Press(calculator, keys);
        Press(calculator, "AC");
        EXPECT_STREQ("0", calculator.Display()) << keys;
        EXPECT_EQ(Ready, calculator.State()) << keys;
        EXPECT_EQ(None, calculator.PendingOperator()) << keys;
    }
}

TEST(ParseDisplay, ReadsTheNumberAtTheStart) {
    double value = -1.0;
    ASSERT_TRUE(ParseDisplay("1.2.3", value));
    EXPECT_EQ(1.2, value);
    ASSERT_TRUE(ParseDisplay(".5", value));
    EXPECT_EQ(0.5, value);
    ASSERT_TRUE(ParseDisplay("  -2.5e+03xyz", value));
    EXPECT_EQ(-2500.0, value);
    ASSERT_TRUE(ParseDisplay("07", value));
    EXPECT_EQ(7.0, value);
}

TEST(ParseDisplay, FailsWithoutANumberOrOutOfRange) {
    double value = 42.0;
    EXPECT_FALSE(ParseDisplay(".", value));
    EXPECT_FALSE(ParseDisplay("", value));
    EXPECT_FALSE(ParseDisplay("DIV 0", value));
    EXPECT_FALSE(ParseDisplay(("1" + std::string(400, '0')).c_str(), value));
    EXPECT_EQ(42.0, value);
}

// A digit that finds no memory to grow the display clears the calculator as AC does, before
// an operator or after one; with memory back, long numbers are typed and used again.
TEST(CalculatorEngine, KeyThatCannotGrowTheDisplayActsAsAllClear) {
    const std::string fill = Repeat("7", DisplayText::ShortLength - 1); // the text's own storage
    for (const std::string& keys : {fill, "1,+," + fill}) {
        Calculator calculator(nullptr);
        Press(calculator, keys);
        g_reallocFails = true;
        const bool pressed = calculator.PressKey(KeyDigit9);
        g_reallocFails = false;
        EXPECT_FALSE(pressed) << keys;
        EXPECT_STREQ("0", calculator.Display()) << keys;
        EXPECT_EQ(Ready, calculator.State()) << keys;
        EXPECT_EQ(None, calculator.PendingOperator()) << keys;
        Press(calculator, Repeat("9", 40) + ",+,1,=");
        EXPECT_STREQ("1e+40", calculator.Display()) << keys;
    }
}

// A display that cannot be read as a number stops the calculation with "ERROR"; only AC
// leaves it, as after a division by zero.
TEST(CalculatorEngine, UnreadableOperandStopsWithError) {
    const std::string huge = "1," + Repeat("0", 400);
    for (const std::string& keys : {std::string(".,+"), std::string("2,+,.,="),
                                    std::string("2,+,.,X"), huge + ",+", "1,+," + huge + ",="}) {
        Calculator calculator(nullptr);
        Press(calculator, keys);
        EXPECT_STREQ("ERROR", calculator.Display()) << keys;
        EXPECT_EQ(Error, calculator.State()) << keys;
        Press(calculator, "1,+,=,C");
        EXPECT_STREQ("ERROR", calculator.Display()) << keys;
        Press(calculator, "AC,4,+,1,=");
        EXPECT_STREQ("5", calculator.Display()) << keys;
    }
}

} // namespace
