// What the control gallery holds and where: its gauges, switches, property list contents and
// the texts of the notifications that it shows. Portable: no window handles here.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace host {

struct Rect {
    int x, y, width, height;
};

struct Size {
    int width, height;
};

struct GaugeSpec {
    int id;
    const char* caption;
    std::uint32_t style; // GaugeInverted, GaugeVertical, GaugeRedBar
    int minimum, maximum, value;
    Rect box;
    Rect captionBox;
};

struct SwitchSpec {
    int id;
    const char* caption;
    unsigned flags; // SwitchThreeWay
    int position;   // SwitchUp, SwitchDown, SwitchMiddle
    Rect box;
    Rect captionBox;
};

struct GroupSpec {
    const char* caption;
    Rect box;
};

struct PropertySpec {
    const char* title;
    bool expanded;
    std::vector<std::pair<const char*, const char*>> items; // label, value
};

Size GalleryClientSize();
const std::vector<GroupSpec>& GalleryGroups();
const std::vector<GaugeSpec>& GalleryGauges();
const std::vector<SwitchSpec>& GallerySwitches();
Rect GalleryPropertyListBox();
int GalleryValueColumn();
// The sample sections shown after the live values.
const std::vector<PropertySpec>& GallerySampleSections();
Rect GalleryLogCaptionBox();
Rect GalleryLogBox();

// Index in GalleryGauges / GallerySwitches of a control id, or -1.
int GaugeIndex(int id);
int SwitchIndex(int id);

// "up", "down", "middle", or the number for any other position.
const char* SwitchPositionName(int position);
// One line of the gallery's log.
std::string GaugeNotificationText(int id, int code, int value);
std::string SwitchNotificationText(int id, int position);

} // namespace host
