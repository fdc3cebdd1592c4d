#include "gallery_layout.h"

#include "gauge_geometry.h"
#include "switch_geometry.h"

namespace host {

namespace {

// Horizontal gauges in a column, one every 56 pixels, caption above each.
GaugeSpec Horizontal(int row, int id, const char* caption, std::uint32_t style, int minimum,
                     int maximum, int value) {
    const int top = 26 + 56 * row;
    return {
        id, caption, style, minimum, maximum, value, {20, top + 18, 230, 22}, {20, top, 230, 16}};
}

// Vertical gauges side by side, caption under each.
GaugeSpec Vertical(int column, int id, const char* caption, std::uint32_t style, int minimum,
                   int maximum, int value) {
    const int left = 282 + 70 * column;
    return {id,      caption, style | GaugeVertical, minimum,
            maximum, value,   {left, 30, 22, 180},   {left - 24, 216, 70, 32}};
}

SwitchSpec Switch(int column, int id, const char* caption, unsigned flags, int position) {
    const int left = 40 + 110 * column;
    return {id, caption, flags, position, {left, 290, 40, 60}, {left - 30, 354, 100, 16}};
}

} // namespace

Size GalleryClientSize() {
    return {780, 502};
}

const std::vector<GroupSpec>& GalleryGroups() {
    static const std::vector<GroupSpec> groups = {
        {"Gauges", {8, 6, 462, 256}},
        {"Switches", {8, 268, 462, 120}},
        {"Property list", {480, 6, 292, 382}},
    };
    return groups;
}

const std::vector<GaugeSpec>& GalleryGauges() {
    static const std::vector<GaugeSpec> gauges = {
        Horizontal(0, 101, "Horizontal, 0 to 100", 0, 0, 100, 30),
        Horizontal(1, 102, "Inverted, 0 to 10", GaugeInverted, 0, 10, 7),
        Horizontal(2, 103, "Red bar, -50 to 50", GaugeRedBar, -50, 50, 10),
        Horizontal(3, 104, "Red, inverted, 0 to 3000", GaugeRedBar | GaugeInverted, 0, 3000, 1000),
        Vertical(0, 105, "Vertical, 0 to 20", 0, 0, 20, 5),
        Vertical(1, 106, "Inverted, red, 0 to 1000", GaugeInverted | GaugeRedBar, 0, 1000, 250),
        Vertical(2, 107, "Vertical, -5 to 5", 0, -5, 5, 2),
    };
    return gauges;
}

const std::vector<SwitchSpec>& GallerySwitches() {
    static const std::vector<SwitchSpec> switches = {
        Switch(0, 201, "Two-way A", 0, SwitchUp),
        Switch(1, 202, "Two-way B", 0, SwitchDown),
        Switch(2, 203, "Three-way A", SwitchThreeWay, SwitchMiddle),
        Switch(3, 204, "Three-way B", SwitchThreeWay, SwitchUp),
    };
    return switches;
}

Rect GalleryPropertyListBox() {
    return {490, 26, 272, 352};
}
int GalleryValueColumn() {
    return 150;
}

const std::vector<PropertySpec>& GallerySampleSections() {
    static const std::vector<PropertySpec> sections = {
        {"Vessel",
         true,
         {{"Name", "Kelvo-1"},
          {"Class", "Shuttle"},
          {"Mass", "12 400 kg"},
          {"Fuel", "86 %"},
          {"Crew", "3"}}},
        {"Orbit",
         false,
         {{"Apoapsis", "412.3 km"},
          {"Periapsis", "398.9 km"},
          {"Inclination", "51.64\xB0"},
          {"Period", "92.6 min"},
          {"Eccentricity", "0.0010"}}},
        {"Surface",
         true,
         {{"Latitude", "28.52\xB0 N"},
          {"Longitude", "80.68\xB0 W"},
          {"Altitude", "2.4 km"},
          {"Ground speed", "7.66 km/s"}}},
        {"Engines", true, {{"Main", "0 %"}, {"Retro", "0 %"}, {"Hover", "0 %"}}},
    };
    return sections;
}

Rect GalleryLogCaptionBox() {
    return {8, 396, 400, 16};
}
Rect GalleryLogBox() {
    return {8, 414, 764, 80};
}

int GaugeIndex(int id) {
    const auto& gauges = GalleryGauges();
    for (std::size_t i = 0; i < gauges.size(); ++i)
        if (gauges[i].id == id)
            return static_cast<int>(i);
    return -1;
}

int SwitchIndex(int id) {
    const auto& switches = GallerySwitches();
    for (std::size_t i = 0; i < switches.size(); ++i)
        if (switches[i].id == id)
            return static_cast<int>(i);
    return -1;
}

const char* SwitchPositionName(int position) {
    switch (position) {
    case SwitchUp:
        return "up";
    case SwitchDown:
        return "down";
    case SwitchMiddle:
        return "middle";
    default:
        return "other";
    }
}

std::string GaugeNotificationText(int id, int code, int value) {
    const int index = GaugeIndex(id);
    const char* name = code == 0   ? "SB_LINEUP"
                       : code == 1 ? "SB_LINEDOWN"
                       : code == 5 ? "SB_THUMBTRACK"
                                   : "";
    return "gauge " + std::to_string(id) + " (" +
           (index >= 0 ? GalleryGauges()[index].caption : "?") + "): code " + std::to_string(code) +
           (*name ? std::string(" ") + name : std::string()) + ", value " + std::to_string(value);
}

std::string SwitchNotificationText(int id, int position) {
    const int index = SwitchIndex(id);
    return "switch " + std::to_string(id) + " (" +
           (index >= 0 ? GallerySwitches()[index].caption : "?") + "): position " +
           std::to_string(position) + " (" + SwitchPositionName(position) + ")";
}

} // namespace host
