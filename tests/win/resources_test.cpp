// The module's resources read back from the built DLL: dialog template 102 field by field,
// and the two description strings.
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const WORD kUkEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);

// Reads an extended dialog template in order.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : p_(data), start_(data) {}
    WORD Word() {
        WORD v;
        memcpy(&v, p_, 2);
        p_ += 2;
        return v;
    }
    DWORD Dword() {
        DWORD v;
        memcpy(&v, p_, 4);
        p_ += 4;
        return v;
    }
    short Short() { return static_cast<short>(Word()); }
    std::string Text() {
        std::string s;
        for (WORD c = Word(); c; c = Word())
            s += static_cast<char>(c);
        return s;
    }
    // A name-or-ordinal field: "#n" for an ordinal.
    std::string NameOrOrdinal() {
        WORD first;
        memcpy(&first, p_, 2);
        if (first == 0xFFFF) {
            p_ += 2;
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword() {
        while ((p_ - start_) % 4)
            ++p_;
    }

private:
    const BYTE* p_;
    const BYTE* start_;
};

struct ExpectedControl {
    DWORD id;
    const char* windowClass; // ordinal of the predefined class
    const char* caption;
    short x, y, cx, cy;
    DWORD style;
};

const DWORD kKey = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
const ExpectedControl kControls[] = {
    {1002, "#128", "0", 7, 92, 20, 18, kKey},
    {1012, "#128", ".", 32, 92, 20, 18, kKey},
    {1003, "#128", "1", 7, 72, 20, 18, kKey},
    {1004, "#128", "2", 32, 72, 20, 18, kKey},
    {1005, "#128", "3", 57, 72, 20, 18, kKey},
    {1006, "#128", "4", 7, 52, 20, 18, kKey},
    {1007, "#128", "5", 32, 52, 20, 18, kKey},
    {1008, "#128", "6", 57, 52, 20, 18, kKey},
    {1009, "#128", "7", 7, 32, 20, 18, kKey},
    {1010, "#128", "8", 32, 32, 20, 18, kKey},
    {1011, "#128", "9", 57, 32, 20, 18, kKey},
    {1013, "#128", "AC", 107, 32, 20, 18, kKey},
    {1014, "#128", "C", 82, 32, 20, 18, kKey},
    {1015, "#128", "/", 107, 52, 20, 18, kKey},
    {1016, "#128", "X", 82, 52, 20, 18, kKey},
    {1017, "#128", "-", 107, 72, 20, 18, kKey},
    {1018, "#128", "+", 82, 72, 20, 18, kKey},
    {1019, "#128", "=", 82, 92, 20, 18, kKey},
    {0xFFFFFFFF, "#130", "Static", 19, 7, 95, 13,
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_GROUP | SS_RIGHT},
};

class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(kelvo_test::TestFile("CalculatorKelvo.dll").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module);
    }
    void TearDown() override { FreeLibrary(module); }

    const BYTE* Resource(LPCSTR type, LPCSTR name, WORD language) {
        HRSRC found = FindResourceExA(module, type, name, language);
        if (!found)
            return nullptr;
        return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    }

    HMODULE module = nullptr;
};

TEST_F(ModuleResources, CalculatorDialogTemplateHeader) {
    const BYTE* data =
        Resource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(102), kUkEnglish);
    ASSERT_NE(nullptr, data) << "dialog 102 in English (United Kingdom)";
    TemplateReader t(data);
    EXPECT_EQ(1, t.Word());      // dlgVer: extended template
    EXPECT_EQ(0xFFFF, t.Word()); // signature
    EXPECT_EQ(0u, t.Dword());    // helpID
    EXPECT_EQ(0u, t.Dword());    // exStyle
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT),
              t.Dword());
    EXPECT_EQ(19, t.Word()); // controls
    EXPECT_EQ(0, t.Short());
    EXPECT_EQ(0, t.Short());
    EXPECT_EQ(134, t.Short());
    EXPECT_EQ(117, t.Short());
    EXPECT_EQ("", t.NameOrOrdinal()); // no menu
    EXPECT_EQ("", t.NameOrOrdinal()); // the standard dialog class
    EXPECT_EQ("Calculator Kelvo", t.Text());
    EXPECT_EQ(10, t.Word());  // points
    EXPECT_EQ(700, t.Word()); // bold
    const WORD italicAndCharset = t.Word();
    EXPECT_EQ(0, italicAndCharset & 0xFF);
    EXPECT_EQ(0, italicAndCharset >> 8);
    EXPECT_EQ("Microsoft Sans Serif", t.Text());
}

TEST_F(ModuleResources, CalculatorDialogControlsInOrder) {
    const BYTE* data = Resource(MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(102), kUkEnglish);
    ASSERT_NE(nullptr, data);
    TemplateReader t(data);
    // Skip the header checked above.
    t.Word(), t.Word(), t.Dword(), t.Dword(), t.Dword();
    ASSERT_EQ(19, t.Word());
    t.Short(), t.Short(), t.Short(), t.Short();
    t.NameOrOrdinal(), t.NameOrOrdinal(), t.Text();
    t.Word(), t.Word(), t.Word(), t.Text();

    for (const ExpectedControl& c : kControls) {
        SCOPED_TRACE(c.caption);
        t.AlignDword();
        EXPECT_EQ(0u, t.Dword()); // helpID
        EXPECT_EQ(0u, t.Dword()); // exStyle
        EXPECT_EQ(c.style, t.Dword());
        EXPECT_EQ(c.x, t.Short());
        EXPECT_EQ(c.y, t.Short());
        EXPECT_EQ(c.cx, t.Short());
        EXPECT_EQ(c.cy, t.Short());
        EXPECT_EQ(c.id, t.Dword());
        EXPECT_EQ(c.windowClass, t.NameOrOrdinal());
        EXPECT_EQ(c.caption, t.NameOrOrdinal());
        EXPECT_EQ(0, t.Word()); // no creation data
    }
}

TEST_F(ModuleResources, DescriptionStrings) {
    // Strings 1000 and 1001 live in block 1000 / 16 + 1 = 63.
    EXPECT_NE(nullptr,
              Resource(MAKEINTRESOURCEA(6) /* RT_STRING */, MAKEINTRESOURCEA(63), kUkEnglish));
    char text[256];
    ASSERT_GT(LoadStringA(module, 1000, text, sizeof text), 0);
    EXPECT_STREQ("Calculator Kelvo:\r\n\r\nA basic calculator for in-sim math.", text);
    ASSERT_GT(LoadStringA(module, 1001, text, sizeof text), 0);
    EXPECT_STREQ("Tools and dialogs", text);
}

} // namespace
