// The gauge's and the switch's window-free arithmetic with extreme slot values and sizes:
// UBSan stops the run at any overflow or division by zero; the checks below keep the gauge's
// values and parts in their ranges.
#include "fuzz_check.h"
#include "gauge_geometry.h"
#include "switch_geometry.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace {

// A slot value: mostly the edge values, otherwise any 32-bit number.
std::int32_t SlotValue(FuzzedDataProvider& input) {
    constexpr std::int32_t edges[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    if (input.ConsumeBool())
        return input.PickValueInArray(edges);
    return input.ConsumeIntegral<std::int32_t>();
}

// A client width or height: empty, one pixel, or anything up to the largest.
int ClientSize(FuzzedDataProvider& input) {
    constexpr int edges[] = {0, 1, 2, 3, INT_MAX};
    if (input.ConsumeBool())
        return input.PickValueInArray(edges);
    return input.ConsumeIntegralInRange(0, INT_MAX);
}

// A pointer coordinate: a press reports it as an unsigned word, a drag as a signed one.
int PointerPosition(FuzzedDataProvider& input) {
    return input.ConsumeIntegralInRange(SHRT_MIN, USHRT_MAX);
}

bool Inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom && inner.left <= inner.right && inner.top <= inner.bottom;
}

void CheckGauge(FuzzedDataProvider& input) {
    const int width = ClientSize(input);
    const int height = ClientSize(input);
    const std::uint32_t flags = input.ConsumeIntegral<std::uint32_t>();
    const std::int32_t value = SlotValue(input);
    const std::int32_t minimum = SlotValue(input);
    const std::int32_t maximum = SlotValue(input);
    const bool vertical = (flags & GaugeVertical) != 0;
    const bool inverted = (flags & GaugeInverted) != 0;
    const auto extent = GaugeExtentOf(width, height, vertical);

    // The parts follow one another along the axis.
    const int p = PointerPosition(input);
    const int q = PointerPosition(input);
    FUZZ_CHECK(static_cast<int>(GaugeHitTest(extent, std::min(p, q))) <=
               static_cast<int>(GaugeHitTest(extent, std::max(p, q))));
    (void)GaugePressBits(GaugeHitTest(extent, p), flags);

    const unsigned interval = GaugeRepeatInterval(minimum, maximum);
    FUZZ_CHECK(interval >= 1 && interval <= 1000);

    // A repeat step moves by one at most, the way asked, and never out of the range.
    const GaugeRepeat repeat = GaugeRepeatOf(flags);
    const std::int64_t stepped = GaugeSteppedValue(repeat, value, minimum, maximum);
    FUZZ_CHECK(stepped - value >= (repeat == GaugeRepeatDown ? -1 : 0));
    FUZZ_CHECK(stepped - value <= (repeat == GaugeRepeatUp ? 1 : 0));
    if (minimum <= value && value <= maximum)
        FUZZ_CHECK(minimum <= stepped && stepped <= maximum);

    // The bar lies in the track, empty at the minimum and filling it at the maximum.
    Box bar{};
    Box track{};
    const bool hasTrack = GaugeTrackRect(width, height, vertical, track);
    const bool hasBar = GaugeBarRect(width, height, flags, value, minimum, maximum, bar);
    FUZZ_CHECK(hasBar == (hasTrack && minimum < maximum));
    if (hasBar) {
        FUZZ_CHECK(Inside(bar, track));
        const int barLength = vertical ? bar.Height() : bar.Width();
        if (value <= minimum)
            FUZZ_CHECK(barLength == 0);
        if (value >= maximum)
            FUZZ_CHECK(barLength == extent.track);
    }

    // A drag sets a value in the range, in the order of the positions, with the range's ends
    // at the track's ends.
    std::int32_t low = 0, high = 0;
    const bool settable =
        GaugeValueAt(extent, inverted, std::min(p, q), minimum, maximum, inverted ? high : low);
    FUZZ_CHECK(settable == (hasTrack && minimum < maximum));
    if (settable) {
        GaugeValueAt(extent, inverted, std::max(p, q), minimum, maximum, inverted ? low : high);
        FUZZ_CHECK(minimum <= low && low <= high && high <= maximum);
        std::int32_t first = 0, second = 0;
        GaugeValueAt(extent, inverted, extent.thickness, minimum, maximum, first);
        GaugeValueAt(extent, inverted, extent.length - extent.thickness, minimum, maximum, second);
        FUZZ_CHECK(first == (inverted ? maximum : minimum));
        FUZZ_CHECK(second == (inverted ? minimum : maximum));
    }

    (void)GaugeButtonLinesOf(width, height, vertical);
}

// The switch's shapes and click rule are checked by the native tests over a sweep of sizes;
// here no size may make its arithmetic overflow.
void CheckSwitch(FuzzedDataProvider& input) {
    const int width = ClientSize(input);
    const int height = ClientSize(input);
    const auto metrics = ComputeSwitchMetrics(width, height);
    (void)SwitchNutPoints(metrics);
    (void)SwitchNutShadow(metrics);
    (void)SwitchBezelBox(metrics);
    (void)SwitchRecessBox(metrics);
    (void)SwitchShadingRadials(metrics);
    (void)SwitchLeverShape(metrics, input.ConsumeIntegralInRange(-1, SwitchMiddle + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool())
        CheckGauge(input);
    else
        CheckSwitch(input);
    return 0;
}
