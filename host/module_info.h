// What a loaded module tells about itself: its exports GetModuleVersion and ModuleDate and
// its string table's description and category.
#pragma once

#include "host_core.h"

#include <string>

namespace host {

struct ModuleInfo {
    std::string name; // the file name, without its folder
    bool hasVersion = false;
    int version = 0;
    bool hasDate = false;
    std::string date;
    std::string description;
    std::string category;
};

ModuleInfo DescribeModule(const LoadedModule& module);

// The file name of a path, without its folder.
std::string FileNameOf(const std::string& path);

} // namespace host
