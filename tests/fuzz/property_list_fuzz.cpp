// The property list's layout and scroll arithmetic on random lists: up to 50 sections of up to
// 10,000 items, any window height that WM_SIZE can report, every scroll code and thumb.
#include "fuzz_check.h"
#include "property_list_layout.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

struct Section {
    int itemCount;
    bool expanded;
};

constexpr int MaxSections = 50;
constexpr int MaxItems = 10000;
constexpr int Probes = 8;

// The hit test against the layout: a click toggles section i exactly when it lands left of
// the frames within the title row that starts at tops[i].
void CheckClick(const std::vector<const Section*>& sections, const std::vector<int>& tops, int x,
                int contentY) {
    const int hit = ClickedSection(sections.data(), static_cast<int>(sections.size()), x, contentY);
    const auto after = std::upper_bound(tops.begin(), tops.end(), contentY);
    const bool inTitle =
        after != tops.begin() && contentY < *(after - 1) + TitleRowHeight && x < TitleFrameLeft;
    FUZZ_CHECK(hit == (inTitle ? static_cast<int>(after - tops.begin()) - 1 : -1));
}

// A scroll request from any position of the bar's range: the target stays in the range, moves
// the way the code says, and lines, ends and thumb land where the scroll bar puts them.
void CheckScroll(FuzzedDataProvider& input, const ScrollBarSetting& bar, int lastPosition,
                 int windowHeight, int contentHeight) {
    const int current = input.ConsumeIntegralInRange(bar.minimum, lastPosition);
    // Every code, and one that no scroll bar sends.
    const auto code = static_cast<ScrollCode>(input.ConsumeIntegralInRange(0, ScrollEnd + 1));
    const int thumb = input.ConsumeIntegral<std::uint16_t>(); // HIWORD of the word parameter
    const auto target = ScrollTarget(
        ScrollRequest{code, thumb, current, bar.minimum, bar.maximum, windowHeight, contentHeight});
    if (target) {
        FUZZ_CHECK(*target >= bar.minimum && *target <= lastPosition && *target != current);
        const bool up = code == ScrollLineUp || code == ScrollPageUp || code == ScrollTop;
        const bool down = code == ScrollLineDown || code == ScrollPageDown || code == ScrollBottom;
        FUZZ_CHECK(up || down || code == ScrollThumbTrack);
        FUZZ_CHECK(!up || *target < current);
        FUZZ_CHECK(!down || *target > current);
    }
    // A page may be 0 rows: for the page codes the direction is all there is to check.
    if (code == ScrollPageUp || code == ScrollPageDown)
        return;
    int wanted = current; // for the codes that move nothing
    if (code == ScrollLineUp)
        wanted = std::max(current - 1, bar.minimum);
    else if (code == ScrollLineDown)
        wanted = std::min(current + 1, lastPosition);
    else if (code == ScrollTop)
        wanted = bar.minimum;
    else if (code == ScrollBottom)
        wanted = lastPosition;
    else if (code == ScrollThumbTrack)
        wanted = std::min(thumb, lastPosition);
    FUZZ_CHECK(target.value_or(current) == wanted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int windowHeight = input.ConsumeIntegral<std::uint16_t>(); // as WM_SIZE reports it
    std::vector<Section> records(input.ConsumeIntegralInRange(0, MaxSections));
    for (Section& section : records)
        section = Section{input.ConsumeIntegralInRange(0, MaxItems), input.ConsumeBool()};
    std::vector<const Section*> sections;
    std::vector<int> tops; // content row of each title row, as the sections stack
    int bottom = 0;
    for (const Section& section : records) {
        sections.push_back(&section);
        tops.push_back(bottom);
        bottom += SectionHeight(section.itemCount, section.expanded);
    }
    const int contentHeight = ContentHeight(sections.data(), static_cast<int>(sections.size()));
    FUZZ_CHECK(contentHeight == bottom);

    for (int i = 0; i < Probes && input.remaining_bytes() > 0; ++i)
        CheckClick(sections, tops, input.ConsumeIntegralInRange(0, 2 * TitleFrameLeft),
                   input.ConsumeIntegralInRange(-TitleRowHeight, contentHeight + TitleRowHeight));

    // The scroll bar's last position, as the system computes it from range and page.
    const ScrollBarSetting bar = ScrollBarFor(contentHeight, windowHeight);
    FUZZ_CHECK(bar.minimum == 0 && bar.page >= 0 && bar.maximum >= bar.minimum);
    const int lastPosition = bar.maximum - std::max(bar.page - 1, 0);
    FUZZ_CHECK(lastPosition >= bar.minimum);
    // There the last content row is in view, and one row less would hide it.
    FUZZ_CHECK(lastPosition * ItemRowHeight + windowHeight >= contentHeight);
    FUZZ_CHECK(lastPosition == 0 ||
               (lastPosition - 1) * ItemRowHeight + windowHeight < contentHeight);

    for (int i = 0; i < Probes && input.remaining_bytes() > 0; ++i)
        CheckScroll(input, bar, lastPosition, windowHeight, contentHeight);
    return 0;
}
