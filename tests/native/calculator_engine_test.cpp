// The calculator engine driven by key sequences, as the keypad drives it.
#include "calculator.h"
#include "key_captions.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <regex>
#include <sstream>
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

void Press(Calculator& calculator, const std::string& captions) {
    for (Key key : kelvo_test::KeysCaptioned(captions))
        calculator.PressKey(key);
}

// This program in the C locale, or in one whose decimal point is a comma, as any code in a host
// process may choose; the engine must write and read a point in both. The comma locale is
// compiled into the build tree by the test Locale.DecimalComma.
class ScopedLocale {
public:
    explicit ScopedLocale(bool comma) : previous_(std::setlocale(LC_ALL, nullptr)) {
        EXPECT_NE(std::setlocale(LC_ALL, comma ? "de_DE.UTF-8" : "C"), nullptr)
            << "no de_DE.UTF-8 locale under LOCPATH=" << std::getenv("LOCPATH");
        EXPECT_STREQ(std::localeconv()->decimal_point, comma ? "," : ".");
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    const std::string previous_;
};

constexpr bool kLocales[] = {false, true}; // C, then a decimal comma

// "k,k,...,k": the key k pressed n times.
std::string Repeat(const std::string& key, int n) {
    std::string keys = key;
    for (int i = 1; i < n; ++i)
        keys += "," + key;
    return keys;
}

const std::string kLarge = "1," + Repeat("0", 300); // 1e300
const std::string kHuge = "1," + Repeat("0", 400);  // beyond the range of a double

void Expect(const Calculator& calculator, const std::string& display, CalcState state,
            std::optional<CalcOperator> pending = std::nullopt) {
    EXPECT_EQ(display, calculator.Display());
    EXPECT_EQ(state, calculator.State());
    if (pending) {
        EXPECT_EQ(*pending, calculator.PendingOperator());
    }
}

void ExpectNotANumber(const char* display) {
    double value = 0.0;
    ASSERT_EQ(Reading::Number, ParseDisplay(display, value)) << display;
    EXPECT_TRUE(std::isnan(value)) << display;
}

struct Sequence {
    std::string keys; // from a new calculator
    std::string display;
    CalcState state;
    std::optional<CalcOperator> pending = std::nullopt; // checked where it matters
};

// Each sequence from a new calculator, in the C locale and in a decimal-comma one; then, in the
// error state, every key but AC changes nothing, and AC clears the calculator from any state.
// (What only the display shows after a sequence is in the manual's examples, below.)
TEST(CalculatorEngine, KeySequences) {
    const Sequence sequences[] = {
        {"", "0", Ready, None},
        {"=", "0", Ready, None},
        // An operator key applies the pending operator, then waits with its own.
        {"2,X,3,X", "6", OperatorPending, Multiply},
        {"2,+,3,X", "5", OperatorPending, Multiply},
        {"7,+,-", "7", OperatorPending, Subtract},
        {"3,+,=", "3", OperatorPending, Add},
        {"2,+,3,=,7", "7", EnteringFirst},
        // Typing: no length limit, leading zeros kept, a second point accepted.
        {Repeat("9", 40), std::string(40, '9'), EnteringFirst},
        {"0,0", "00", EnteringFirst},
        {".", ".", EnteringFirst},
        {"1,.,2,.,3", "1.2.3", EnteringFirst},
        // Backspace works while a number is typed, and only then.
        {"9,+,4,5,C", "4", EnteringSecond},
        {"1,.,2,.,3,C", "1.2.", EnteringFirst},
        {"C", "0", Ready},
        {"3,+,C", "3", OperatorPending},
        {"2,+,3,=,C", "5", Ready},
        // A division by zero, and a display that is no number, stop the calculation.
        {"5,/,0,=", "DIV 0", Error, Divide},
        {"5,/,0,+", "DIV 0", Error, Divide},
        {".,+", "ERROR", Error},
        {"2,+,.,=", "ERROR", Error},
        {"2,+,.,X", "ERROR", Error},
        {kHuge + ",+", "ERROR", Error},
        {"1,+," + kHuge + ",=", "ERROR", Error},
    };
    for (const bool comma : kLocales) {
        const ScopedLocale locale(comma);
        for (const Sequence& s : sequences) {
            SCOPED_TRACE(s.keys + (comma ? " (decimal comma)" : ""));
            Calculator calculator(nullptr);
            Press(calculator, s.keys);
            Expect(calculator, s.display, s.state, s.pending);
            const CalcOperator pending = calculator.PendingOperator();
            for (int key = FirstKey; s.state == Error && key <= LastKey; ++key) {
                if (key != KeyAllClear)
                    calculator.PressKey(static_cast<Key>(key));
                Expect(calculator, s.display, Error, pending);
            }
            Press(calculator, "AC");
            Expect(calculator, "0", Ready, None);
        }
    }
}

// Plays keys written as the documents write them: captions and runs of digits and points
// separated by blanks, "(paste TEXT)" for a text pasted.
void Play(Calculator& calculator, const std::string& keys) {
    static const std::regex token(R"(\(paste ([^)]*)\)|\S+)");
    for (std::sregex_iterator t(keys.begin(), keys.end(), token), end; t != end; ++t) {
        const std::string word = t->str();
        if ((*t)[1].matched)
            calculator.EnterNumber(t->str(1).c_str(), t->length(1));
        else if (word.find_first_not_of("0123456789.") == std::string::npos)
            for (const char c : word)
                calculator.PressKey(kelvo_test::KeyCaptioned(std::string(1, c)));
        else
            calculator.PressKey(kelvo_test::KeyCaptioned(word));
    }
}

// Every worked example of the pilot's manual and the README, written "**keys** shows
// **display**", from a new calculator, in both locales. Every bold text followed by "shows" or
// "gives" must be such an example, so none is left unchecked for want of the form.
TEST(CalculatorEngine, DocumentedExamplesShowWhatTheySay) {
    static const std::regex example(R"(\*\*([^*]+)\*\*\s+shows\s+\*\*([^*]+)\*\*)");
    static const std::regex claim(R"(\*\*\s+(shows|gives)\s)");
    for (const char* document : {"/docs/manual/CalculatorKelvo.rst", "/README.md"}) {
        std::ifstream file(KELVO_SOURCE_DIR + std::string(document));
        std::stringstream read;
        read << file.rdbuf();
        const std::string text = read.str();
        const auto examples = std::distance(std::sregex_iterator(text.begin(), text.end(), example),
                                            std::sregex_iterator());
        EXPECT_GT(examples, 0) << document;
        EXPECT_EQ(examples, std::distance(std::sregex_iterator(text.begin(), text.end(), claim),
                                          std::sregex_iterator()))
            << document << ": a bold text followed by \"shows\" or \"gives\" is no example";
        for (const bool comma : kLocales) {
            const ScopedLocale locale(comma);
            for (std::sregex_iterator e(text.begin(), text.end(), example), end; e != end; ++e) {
                Calculator calculator(nullptr);
                Play(calculator, e->str(1));
                EXPECT_EQ(e->str(2), calculator.Display())
                    << document << ": " << e->str(1) << (comma ? " (decimal comma)" : "");
            }
        }
        std::cout << document << ": " << examples << " examples\n";
    }
}

TEST(CalculatorEngine, EvaluateTakesEitherZeroAsDivisorAndSkipsUnknownOperators) {
    DisplayText display;
    EXPECT_FALSE(Evaluate(Divide, 1.0, -0.0, display));
    EXPECT_STREQ("DIV 0", display.c_str());
    for (CalcOperator op : {None, static_cast<CalcOperator>(9)}) {
        EXPECT_TRUE(Evaluate(op, 1.0, 2.0, display));
        EXPECT_STREQ("DIV 0", display.c_str()) << op;
    }
}

// Not-a-number is no zero divisor; it is printed, read back and calculated on.
TEST(CalculatorEngine, NotANumber) {
    DisplayText display;
    EXPECT_TRUE(Evaluate(Divide, 1.0, std::nan(""), display));
    ExpectNotANumber(display.c_str());

    Calculator calculator(nullptr);
    Press(calculator, kLarge + ",X," + kLarge + ",=,X,0,="); // infinity times zero
    EXPECT_EQ(Ready, calculator.State());
    ExpectNotANumber(calculator.Display());
    Press(calculator, "+,1,=");
    ExpectNotANumber(calculator.Display());
}

TEST(ParseDisplay, ReadsTheNumberAtTheStartWithAPointInEveryLocale) {
    const std::string huge = "1" + std::string(400, '0');
    const struct {
        const char* text;
        std::optional<double> value; // none: no number, or out of range
    } cases[] = {{"1.2.3", 1.2}, {".5", 0.5},   {"  -2.5e+03xyz", -2500.0}, {"07", 7.0}, {".", {}},
                 {"", {}},       {"DIV 0", {}}, {huge.c_str(), {}}};
    for (const bool comma : kLocales) {
        const ScopedLocale locale(comma);
        for (const auto& c : cases) {
            double value = 42.0; // left alone on failure
            EXPECT_EQ(ParseDisplay(c.text, value), c.value ? Reading::Number : Reading::NoNumber)
                << c.text;
            EXPECT_EQ(value, c.value.value_or(42.0)) << c.text;
        }
    }
}

// A pasted number that finds no memory to grow the display is not taken, in any state; nor is
// a digit that lengthens a number being typed. The number, the state and the pending operator
// stay; with memory back, long numbers are typed and used again.
TEST(CalculatorEngine, InputThatCannotGrowTheDisplayIsIgnored) {
    const std::string fill = Repeat("7", DisplayText::ShortLength - 1); // the text's own storage
    const std::string number(DisplayText::ShortLength, '8');
    for (const std::string& keys : {std::string(), fill, std::string("1,+"), "1,+," + fill}) {
        SCOPED_TRACE(keys);
        Calculator calculator(nullptr);
        Press(calculator, keys);
        const std::string display = calculator.Display();
        const CalcState state = calculator.State();
        const CalcOperator pending = calculator.PendingOperator();
        g_reallocFails = true;
        EXPECT_EQ(Calculator::Entry::Refused,
                  calculator.EnterNumber(number.c_str(), number.size()));
        if (state == EnteringFirst || state == EnteringSecond) {
            EXPECT_FALSE(calculator.PressKey(KeyDigit9));
        }
        g_reallocFails = false;
        Expect(calculator, display, state, pending);
        Press(calculator, "AC," + Repeat("9", 40) + ",+,1,=");
        EXPECT_STREQ("1e+40", calculator.Display());
    }
    // In a decimal-comma locale an operand is read from a copy of the display with the locale's
    // point: an operator or "=" that finds no memory for it is ignored too.
    const ScopedLocale comma(true);
    const std::string operand = Repeat("9", 40) + ",.,5";
    for (const std::string& keys : {operand, "1,+," + operand}) {
        for (const Key key : {KeyAdd, KeyEquals}) {
            SCOPED_TRACE(keys + " then key " + std::to_string(key));
            Calculator calculator(nullptr);
            Press(calculator, keys);
            const CalcState state = calculator.State();
            const CalcOperator pending = calculator.PendingOperator();
            g_reallocFails = true;
            // "=" reads nothing while the first operand is typed.
            EXPECT_EQ(state == EnteringFirst && key == KeyEquals, calculator.PressKey(key));
            g_reallocFails = false;
            Expect(calculator, std::string(40, '9') + ".5", state, pending);
            Press(calculator, "+,1,=");
            EXPECT_STREQ("1e+40", calculator.Display());
        }
    }
}

// What each typed character stands for; every other character is no key.
TEST(CalculatorEngine, TypedCharactersStandForKeys) {
    const struct {
        const char* characters;
        const char* caption;
    } keys[] = {{"0", "0"}, {"1", "1"},   {"2", "2"}, {"3", "3"},   {"4", "4"},  {"5", "5"},
                {"6", "6"}, {"7", "7"},   {"8", "8"}, {"9", "9"},   {".,", "."}, {"+", "+"},
                {"-", "-"}, {"*xX", "X"}, {"/", "/"}, {"=\r", "="}, {"\b", "C"}};
    for (int c = CHAR_MIN; c <= CHAR_MAX; ++c) {
        std::optional<Key> expected;
        for (const auto& key : keys)
            if (c != 0 && std::strchr(key.characters, c))
                expected = kelvo_test::KeyCaptioned(key.caption);
        EXPECT_EQ(expected, KeyForCharacter(static_cast<char>(c))) << "character " << c;
    }
}

// A pasted number, trimmed, becomes the number being typed, in every state but the error
// state; keys that follow act on it. Any other text changes nothing.
TEST(CalculatorEngine, PastedNumbersAreTypedNumbers) {
    using Entry = Calculator::Entry;
    const std::string longest = " " + std::string(LongestEntry - 2, '1') + "\n";
    const struct {
        std::string before, text;
        Entry entry;
        std::string display;
        CalcState state;
        std::string after, result; // keys pressed next, and the display then
    } cases[] = {
        {"", "42", Entry::Entered, "42", EnteringFirst, "+,1,=", "43"},
        {"1,2", " -2.5\r\n", Entry::Entered, "-2.5", EnteringFirst, "X,2,=", "-5"},
        {"1,+", "\t1.5E+03 ", Entry::Entered, "1.5E+03", EnteringSecond, "=", "1501"},
        {"1,+,2", ".5", Entry::Entered, ".5", EnteringSecond, "5,=", "1.55"},
        {"1,+,2,=", "-7.", Entry::Entered, "-7.", EnteringFirst, "C,C,9,=", "09"},
        // C leaves a pasted number whole, typed digits and points on it included.
        {"7,+", ".5", Entry::Entered, ".5", EnteringSecond, "C,=", "7"},
        {"", ".5e3", Entry::Entered, ".5e3", EnteringFirst, "C,C", "0"},
        {"", "1e5", Entry::Entered, "1e5", EnteringFirst, ".,5,C", "1e5"},
        {"2,X", "1e-5", Entry::Entered, "1e-5", EnteringSecond, "=", "2e-05"},
        {"", "1e999", Entry::Entered, "1e999", EnteringFirst, "+", "ERROR"},
        {"", longest, Entry::Entered, std::string(LongestEntry - 2, '1'), EnteringFirst, "", ""},
        {"5,/,0,=", "4", Entry::Ignored, "DIV 0", Error, "AC", "0"},
        {".,+", "-4", Entry::Ignored, "ERROR", Error, "AC", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before + " then " + c.text);
        Calculator calculator(nullptr);
        Press(calculator, c.before);
        EXPECT_EQ(c.entry, calculator.EnterNumber(c.text.c_str(), c.text.size()));
        Expect(calculator, c.display, c.state);
        if (!c.after.empty()) {
            Press(calculator, c.after);
            EXPECT_EQ(c.result, calculator.Display());
        }
    }
    // Only spaces, tabs and line ends are blanks; the limit counts them.
    const std::string overlong = std::string(LongestEntry, '1') + " ";
    const std::string refused[] = {"",    " \r\n", ".",     "-",    "+5",  "1,5", "1.2.3", "0x1A",
                                   "inf", "nan",   "1e",    "1e+",  "e5",  "abc", "DIV 0", "ERROR",
                                   "1 2", "--1",   "1e5.5", "12-3", "\v1", "1\f", overlong};
    for (const char* before : {"", "4", "4,+", "4,+,2", "5,/,0,=", ".,+"}) {
        for (const std::string& text : refused) {
            SCOPED_TRACE(before + (" then " + text));
            Calculator calculator(nullptr);
            Press(calculator, before);
            const std::string display = calculator.Display();
            const CalcState state = calculator.State();
            const CalcOperator pending = calculator.PendingOperator();
            EXPECT_EQ(Entry::Refused, calculator.EnterNumber(text.c_str(), text.size()));
            EXPECT_FALSE(IsEnterableNumber(text.c_str(), text.size()));
            Expect(calculator, display, state, pending);
        }
    }
    const char withNul[] = {'1', '\0', '2'};
    EXPECT_FALSE(IsEnterableNumber(withNul, sizeof withNul));
}

} // namespace
