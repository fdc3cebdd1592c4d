// The property list through the module's own class: scroll bar, scrolling codes, the
// expand/collapse click, resizing, a window without a list, the creation API and the painted
// pixels, including pictures painted in strips compared with whole-window pictures.
#include "property_list_api.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using kelvo_test::ClientCapture;
using kelvo_test::LoadedModule;
using kelvo_test::PaintAndCapture;
using kelvo_test::PumpMessages;
using kelvo_test::RecordingWindow;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kTitleText = 0xB00000;
const COLORREF kPaleBlue = 0xFFE0E0;
const COLORREF kMarker = RGB(255, 0, 255);

COLORREF PenColour() {
    return GetSysColor(COLOR_BTNSHADOW);
}

// Pixels of a colour in the box left .. right - 1, top .. bottom - 1.
int Count(const ClientCapture& picture, int left, int top, int right, int bottom, COLORREF colour) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += picture.At(x, y) == colour;
    return count;
}

// Whether the whole box has the colour.
bool All(const ClientCapture& picture, int left, int top, int right, int bottom, COLORREF colour) {
    return Count(picture, left, top, right, bottom, colour) == (right - left) * (bottom - top);
}

// First pixel in rows top .. bottom - 1 at which a view of the content, scrolled by offset
// rows, differs from the whole content, as text, or "" when they are the same.
std::string FirstDifference(const ClientCapture& view, const ClientCapture& content, int offset,
                            int top = 0, int bottom = INT_MAX) {
    if (view.width() != content.width())
        return "widths differ";
    for (int y = std::max(top, 0); y < std::min(bottom, view.height()); ++y)
        for (int x = 0; x < view.width(); ++x) {
            if (view.At(x, y) != content.At(x, y + offset))
                return "at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    return "";
}

SCROLLINFO ScrollBar(HWND window) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, SB_VERT, &info);
    return info;
}

// Fills the client area with the marker colour without telling the window.
void Scribble(HWND window, int left, int top, int right, int bottom) {
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(kMarker);
    RECT box = {left, top, right, bottom};
    FillRect(dc, &box, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
    GdiFlush();
}

class PropertyListControl : public ::testing::Test {
protected:
    // A list whose client area is clientWidth x clientHeight while it has no scroll bar.
    void Make(int clientHeight, int valueX = 150, int clientWidth = 300,
              HINSTANCE instance = nullptr) {
        window = CreatePropertyList(instance ? instance : module.instance(), parent.hwnd(), 7, 10,
                                    10, clientWidth + 2, clientHeight + 2, valueX);
        ASSERT_NE(window, nullptr);
        list = GetPropertyList(window);
        ASSERT_NE(list, nullptr);
        PumpMessages();
    }

    // A section with items "Label i" / "Value i".
    PropertySection* Add(const char* title, bool expanded, int items) {
        PropertySection* section = AddPropertySection(window, title, expanded);
        for (int i = 0; i < items; ++i) {
            const std::string label = "Label " + std::to_string(i);
            const std::string value = "Value " + std::to_string(i);
            AddPropertyItem(window, section, label.c_str(), value.c_str());
        }
        PumpMessages();
        return section;
    }

    void Scroll(int code, int thumb = 0) {
        EXPECT_EQ(SendMessageA(window, WM_VSCROLL, MAKEWPARAM(code, thumb), 0), 0);
        PumpMessages();
    }
    void Click(int x, int y) {
        EXPECT_EQ(SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)), 0);
        PumpMessages();
    }
    int Position() const { return GetScrollPos(window, SB_VERT); }

    // The scroll position, and the view offset that must go with it.
    void ExpectPosition(int position) const {
        EXPECT_EQ(Position(), position);
        EXPECT_EQ(list->scrollOffset, position * ItemRowHeight);
    }

    void ExpectScrollBar(int maximum, int page) const {
        const SCROLLINFO bar = ScrollBar(window);
        EXPECT_EQ(bar.nMin, 0);
        EXPECT_EQ(bar.nMax, maximum);
        EXPECT_EQ(bar.nPage, static_cast<UINT>(page));
    }

    // The whole content as the module paints it in a second window of the class that is as
    // wide as the list's client area and tall enough to show every row unscrolled, with room
    // for text that reaches below the last row, on the same records: there no row lies outside
    // the window, so none can be skipped.
    ClientCapture WholeContent() const {
        const int height = list->contentHeight + 64;
        HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 460, 10, list->width,
                                     height, nullptr, nullptr, nullptr, nullptr);
        HWND tall =
            CreateWindowExA(0, PropertyListClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, list->width,
                            height, frame, nullptr, module.instance(), nullptr);
        PropertyList copy = *list;
        copy.hwnd = tall;
        copy.height = height;
        copy.scrollOffset = 0;
        SetWindowLongPtrA(tall, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&copy));
        const ClientCapture picture = PaintAndCapture(tall);
        SetWindowLongPtrA(tall, GWLP_USERDATA, 0);
        DestroyWindow(frame);
        return picture;
    }

    LoadedModule module;
    RecordingWindow parent{420, 340};
    HWND window = nullptr;
    PropertyList* list = nullptr;
};

// --- Scroll bar, scrolling and resizing ----------------------------------------------------------

// The scroll message reaches the list's arithmetic (tested natively) with its code and thumb,
// the scroll bar's position and range and the window's page; collapsing pulls the view back
// and repaints the whole window.
TEST_F(PropertyListControl, TenItemsInAHundredPixelWindowScrollSixRowsThenCollapse) {
    Make(100);
    PropertySection* section = Add("Orbit", true, 10);
    EXPECT_EQ(list->contentHeight, 206);
    ExpectScrollBar(10, 5); // positions 0 .. 6, page 5
    const struct {
        int code, thumb, position;
    } steps[] = {{SB_THUMBTRACK, 3, 3}, {SB_THUMBPOSITION, 5, 3}, {SB_PAGEDOWN, 0, 6},
                 {SB_PAGEUP, 0, 1},     {SB_LINEUP, 0, 0},        {SB_BOTTOM, 0, 6}};
    for (const auto& step : steps) {
        SCOPED_TRACE("code " + std::to_string(step.code) + " to " + std::to_string(step.position));
        Scroll(step.code, step.thumb);
        ExpectPosition(step.position);
    }

    SetPropertySectionExpanded(window, section, false);
    EXPECT_FALSE(section->expanded);
    EXPECT_EQ(list->contentHeight, 20);
    ExpectScrollBar(4, 5);
    ExpectPosition(0);
    RECT update, client;
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    GetClientRect(window, &client);
    EXPECT_TRUE(EqualRect(&update, &client));
}

TEST_F(PropertyListControl, WindowUnderOneRowHighStepsByLinesOnly) {
    Make(10);
    ExpectScrollBar(0, 0);
    Add("Small", false, 0); // 20 high: one row of overhang
    ExpectScrollBar(1, 0);
    for (int code : {SB_PAGEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_PAGEUP})
        Scroll(code);
    ExpectPosition(1);
    Scroll(SB_LINEUP);
    ExpectPosition(0);
}

TEST_F(PropertyListControl, SizeMessageSetsRangeAndPageAgain) {
    Make(100);
    Add("Orbit", true, 10);
    SCROLLINFO wrong = {};
    wrong.cbSize = sizeof(wrong);
    wrong.fMask = SIF_RANGE | SIF_PAGE;
    wrong.nMax = 99;
    wrong.nPage = 3;
    SetScrollInfo(window, SB_VERT, &wrong, TRUE);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(list->width, list->height));
    EXPECT_EQ(list->contentHeight, 206);
    ExpectScrollBar(10, 5);

    // 130 high: page 7, ceil((206 - 130) / 18) = 5 rows over.
    SetWindowPos(window, nullptr, 0, 0, 302, 132, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    EXPECT_EQ(list->height, 130);
    ExpectScrollBar(11, 7);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(list->width, client.right);
}

// --- The expand/collapse click ------------------------------------------------------------------

// Each click, in the view scrolled to the given position, and the states after it. (Where the
// rows lie is the layout's arithmetic, tested natively.)
TEST_F(PropertyListControl, ClickLeftOfATitleFrameTogglesItsSection) {
    Make(60);
    PropertySection* sections[] = {Add("First", false, 2), Add(nullptr, false, 0),
                                   Add("Third", false, 3)};
    const struct {
        int position, x, y;
        bool expanded[3];
    } clicks[] = {{0, 18, 5, {false, false, false}},
                  {0, 17, 0, {true, false, false}}, // then the untitled title row is 62 .. 81
                  {0, 5, 62, {true, true, false}},  // an empty section opens its gap only
                  {0, 5, 61, {true, true, false}},
                  {0, 0, 81, {true, false, false}},
                  {3, 5, 28, {true, false, true}},      // 54 rows scrolled: the third's title row
                  {0, 0x8000, 0, {true, false, true}},  // unsigned words: far right of the strip
                  {1, 5, 0xFFF0, {true, false, true}}}; // and far below the content
    for (const auto& click : clicks) {
        SCOPED_TRACE("click at " + std::to_string(click.x) + ", " + std::to_string(click.y));
        Scroll(SB_THUMBTRACK, click.position);
        ASSERT_EQ(Position(), click.position);
        Click(click.x, click.y);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(sections[i]->expanded, click.expanded[i]) << "section " << i;
        EXPECT_EQ(list->contentHeight, 60 + (click.expanded[0] ? 42 : 0) +
                                           (click.expanded[1] ? 6 : 0) +
                                           (click.expanded[2] ? 60 : 0));
    }
    // Expanding an expanded section changes nothing.
    UpdateWindow(window);
    SetPropertySectionExpanded(window, sections[2], true);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "nothing to repaint";
}

// --- A window without a list ---------------------------------------------------------------------

TEST(PropertyListWithoutRecord, AnswersMessagesAndPaintsWhite) {
    LoadedModule module;
    RecordingWindow parent;
    HWND window =
        CreateWindowExA(0, PropertyListClassName, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10,
                        200, 120, parent.hwnd(), nullptr, module.instance(), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(150, 100)), 0);
    EXPECT_EQ(SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), 0);
    InvalidateRect(window, nullptr, TRUE);
    EXPECT_EQ(SendMessageA(window, WM_PAINT, 0, 0), 0);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE)) << "the paint validates the window";
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 0);
    const ClientCapture picture = PaintAndCapture(window);
    EXPECT_TRUE(All(picture, 0, 0, picture.width(), picture.height(), kWhite));
    DestroyWindow(window);
}

// --- Creation API ------------------------------------------------------------------------------

TEST_F(PropertyListControl, ApiCopiesTextsAndKeepsSectionsInOrder) {
    Make(200);
    char label[] = "Label";
    PropertySection* section = AddPropertySection(window, "Title", true);
    PropertyItem* item = AddPropertyItem(window, section, label, "Value");
    ASSERT_NE(item, nullptr);
    std::strcpy(label, "XXXXX");
    EXPECT_STREQ(item->label, "Label");
    SetPropertyItemText(window, item, nullptr, "Changed"); // null keeps the label
    EXPECT_STREQ(item->label, "Label");
    EXPECT_STREQ(item->value, "Changed");
    PropertyItem* bare = AddPropertyItem(window, section, nullptr, nullptr);
    EXPECT_EQ(bare->label, nullptr);
    EXPECT_EQ(section->GetItem(1), bare);
    EXPECT_EQ(section->GetItem(2), nullptr);
    EXPECT_EQ(section->GetItem(-1), nullptr);

    // Enough sections and items to grow the arrays a few times.
    std::vector<PropertySection*> sections = {section};
    int height = 20 + 2 * 18 + 6;
    for (int i = 1; i < 9; ++i) {
        sections.push_back(Add(nullptr, i % 2 == 0, i * 3));
        height += 20 + (i % 2 == 0 ? i * 3 * 18 + 6 : 0);
    }
    ASSERT_EQ(list->sectionCount, 9);
    for (int i = 1; i < 9; ++i) {
        EXPECT_EQ(list->sections[i], sections[i]);
        ASSERT_EQ(sections[i]->itemCount, i * 3);
        EXPECT_STREQ(sections[i]->GetItem(i * 3 - 1)->label,
                     ("Label " + std::to_string(i * 3 - 1)).c_str());
    }
    EXPECT_EQ(list->contentHeight, height);
    RemovePropertySection(window, sections[4]); // expanded, 12 items
    RemovePropertySection(window, sections[0]);
    ASSERT_EQ(list->sectionCount, 7);
    EXPECT_EQ(list->sections[0], sections[1]);
    EXPECT_EQ(list->sections[3], sections[5]);
    EXPECT_EQ(list->contentHeight, height - (20 + 12 * 18 + 6) - (20 + 2 * 18 + 6));
}

TEST_F(PropertyListControl, ApiIgnoresForeignWindowsAndSections) {
    Make(200);
    PropertySection* section = Add("Mine", true, 1);
    EXPECT_EQ(AddPropertySection(parent.hwnd(), "x", true), nullptr);
    EXPECT_EQ(AddPropertyItem(parent.hwnd(), section, "a", "b"), nullptr);
    PropertySection stranger = {};
    EXPECT_EQ(AddPropertyItem(window, &stranger, "a", "b"), nullptr);
    RemovePropertySection(window, &stranger);
    SetPropertySectionExpanded(window, &stranger, true);
    EXPECT_EQ(list->sectionCount, 1);
    EXPECT_EQ(list->contentHeight, 20 + 18 + 6);
    DestroyPropertyList(parent.hwnd());
    EXPECT_TRUE(IsWindow(parent.hwnd()));
    DestroyPropertyList(window);
    EXPECT_FALSE(IsWindow(window));
}

// --- Pixels --------------------------------------------------------------------------------------

// A title row is a pale blue band framed in the pen's colour, with the title in dark blue or,
// untitled, with none; left of the frame the icon from the host's bitmap 286 (this program
// carries the stand-in host's): the expanded cell beside an open section, the collapsed one
// beside a shut one.
TEST_F(PropertyListControl, TitleRowIsAFramedPaleBlueBandWithTextAndIcon) {
    Make(200);
    Add("Engines", true, 3); // title 0 .. 19, items at 20, 38, 56, gap 74 .. 79
    Add(nullptr, true, 1);   // title 80 .. 99, item 100, gap 118 .. 123
    Add("Fuel", false, 2);   // title 124 .. 143
    const ClientCapture picture = PaintAndCapture(window);
    const int right = list->width - 4; // the frame's exclusive right edge
    const struct {
        int top;
        bool titled;
        int iconX;
    } rows[] = {{0, true, 28}, {80, false, 28}, {124, true, 42}};
    for (const auto& row : rows) {
        const int top = row.top;
        SCOPED_TRACE("title row at " + std::to_string(top));
        for (int x : {18, 100, right - 1}) {
            EXPECT_EQ(picture.At(x, top), PenColour());
            EXPECT_EQ(picture.At(x, top + 17), PenColour());
            EXPECT_EQ(picture.At(x, top + 18), kWhite); // two free rows under the frame
            EXPECT_EQ(picture.At(x, top + 19), kWhite);
        }
        EXPECT_EQ(Count(picture, 18, top + 1, 19, top + 17, PenColour()), 16);
        EXPECT_EQ(Count(picture, right - 1, top + 1, right, top + 17, PenColour()), 16);
        EXPECT_TRUE(All(picture, 19, top + 1, 20, top + 17, kPaleBlue));
        EXPECT_TRUE(All(picture, right - 2, top + 1, right - 1, top + 17, kPaleBlue));
        EXPECT_TRUE(All(picture, right, top, picture.width(), top + 20, kWhite));
        // Title text from (20, top + 1): dark blue glyphs on the pale blue band, nothing black.
        EXPECT_EQ(Count(picture, 20, top + 1, 80, top + 17, kTitleText) > 10, row.titled);
        EXPECT_EQ(Count(picture, 19, top + 1, right - 1, top + 17, kBlack), 0);
        EXPECT_EQ(kelvo_test::IconStripMismatches(picture, top, row.iconX), 0);
    }
    EXPECT_GT(Count(picture, 20, 100, 70, 116, kBlack), 10); // the untitled section's item
    EXPECT_TRUE(All(picture, 0, 144, picture.width(), picture.height(), kWhite));
}

// Labels and values in black, a null one leaving its column empty; n - 1 separators.
TEST_F(PropertyListControl, ItemsShowBlackTextAndNMinusOneSeparators) {
    Make(200, 150);
    Add("One", true, 1); // title 0, item 20, gap 38 .. 43
    PropertySection* sparse = AddPropertySection(window, "Sparse", true); // title 44
    const struct {
        const char *label, *value;
        int top;
    } rows[] = {{"Label 0", "Value 0", 20},
                {"Label", nullptr, 64},
                {nullptr, "Value", 82},
                {"Label", "Value", 100}}; // then the gap 118 .. 123
    for (const auto& row : rows)
        if (row.top > 20)
            AddPropertyItem(window, sparse, row.label, row.value);
    const ClientCapture picture = PaintAndCapture(window);
    const int right = list->width - 4;
    for (const auto& row : rows) {
        SCOPED_TRACE("item row at " + std::to_string(row.top));
        const int top = row.top;
        EXPECT_EQ(Count(picture, 20, top, 70, top + 16, kBlack) > 10, row.label != nullptr);
        EXPECT_EQ(Count(picture, 150, top, 200, top + 16, kBlack) > 10, row.value != nullptr);
        EXPECT_TRUE(All(picture, 0, top, 20, top + 16, kWhite));
        EXPECT_TRUE(All(picture, 90, top, 145, top + 16, kWhite));
    }
    // Separators 2 rows above the next row, x 20 .. right - 1; none under a section's last item.
    for (const auto& band : {std::make_pair(20, 44), std::make_pair(64, 124)}) {
        for (int y = band.first; y < band.second; ++y) {
            const bool separator = y == 80 || y == 98;
            EXPECT_EQ(All(picture, 20, y, right, y + 1, PenColour()), separator) << "y " << y;
            if (separator) {
                EXPECT_EQ(picture.At(19, y), kWhite);
                EXPECT_EQ(picture.At(right, y), kWhite);
            }
        }
    }
}

// --- Painting only what is invalid ------------------------------------------------------------

TEST_F(PropertyListControl, OneRowScrollMovesThePictureAndPaintsOnlyTheUncoveredStrip) {
    Make(100);
    Add("Orbit", true, 10);
    UpdateWindow(window);
    Scribble(window, 250, 50, 251, 51); // a mark in the background right of the values
    Scroll(SB_LINEDOWN);
    const ClientCapture scrolled(window);
    EXPECT_EQ(scrolled.At(250, 32), kMarker) << "moved up one row, not repainted";
    const ClientCapture content = WholeContent();
    EXPECT_EQ(FirstDifference(scrolled, content, ItemRowHeight, 0, 32), "");
    EXPECT_EQ(FirstDifference(scrolled, content, ItemRowHeight, 33, 100), "");
}

// Pictures painted in parts, by scrolling and one row at a time, must be the same as the
// picture drawn with no row skipped: with the list's fonts, and with fonts whose text boxes are
// taller than the rows, so that text reaches into the rows below, a gap and the next title row,
// and below the last frame.
TEST_F(PropertyListControl, PaintedStripsMatchTheWholePicture) {
    Make(60, 120);
    Add("Navigation", true, 3);                                           // content 0 .. 79
    Add(nullptr, true, 2);                                                // 80 .. 141
    Add("Collapsed", false, 4);                                           // 142 .. 161
    PropertySection* sparse = AddPropertySection(window, "Sparse", true); // 162 .. 223
    AddPropertyItem(window, sparse, nullptr, "only a value");
    AddPropertyItem(window, sparse, "only a label", nullptr);
    Add("End", false, 0); // 224 .. 243: 11 rows over the 60-row window
    HFONT tallTitle =
        CreateFontA(-30, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Microsoft Sans Serif");
    HFONT tallItem = CreateFontA(-28, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, "Microsoft Sans Serif");
    for (const bool tall : {false, true}) {
        if (tall) {
            std::swap(list->titleFont, tallTitle);
            std::swap(list->itemFont, tallItem);
        }
        // One row down, down past the whole window, back up, to the bottom.
        for (int position : {0, 1, 5, 3, 11}) {
            SCOPED_TRACE(std::string(tall ? "tall" : "list's") + " fonts, position " +
                         std::to_string(position));
            Scroll(SB_THUMBTRACK, position);
            ASSERT_EQ(Position(), position);
            const ClientCapture content = WholeContent();
            const int offset = list->scrollOffset;
            EXPECT_EQ(FirstDifference(ClientCapture(window), content, offset), "")
                << "after scrolling";
            for (int top = 0; top < list->height; ++top) {
                Scribble(window, 0, 0, 400, 400);
                RECT strip = {0, top, list->width, top + 1};
                InvalidateRect(window, &strip, TRUE);
                EXPECT_EQ(FirstDifference(PaintAndCapture(window), content, offset, top, top + 1),
                          "")
                    << "row " << top;
            }
            // The whole picture again, for the next scroll to move.
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    }
    std::swap(list->titleFont, tallTitle);
    std::swap(list->itemFont, tallItem);
    DeleteObject(tallTitle);
    DeleteObject(tallItem);
}

} // namespace
