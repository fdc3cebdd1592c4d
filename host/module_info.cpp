#include "module_info.h"

#include "resource.h"

namespace host {

namespace {

template <typename Function> Function ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string StringResource(HMODULE module, UINT id) {
    char text[1024];
    const int length = LoadStringA(module, id, text, sizeof text);
    return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

} // namespace

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

ModuleInfo DescribeModule(const LoadedModule& module) {
    ModuleInfo info;
    info.name = FileNameOf(module.path);
    if (auto version = ExportOf<int (*)()>(module.handle, "GetModuleVersion")) {
        info.hasVersion = true;
        info.version = version();
    }
    if (auto date = ExportOf<const char* (*)()>(module.handle, "ModuleDate")) {
        const char* text = date();
        info.hasDate = text != nullptr;
        info.date = text ? text : "";
    }
    info.description = StringResource(module.handle, IDS_MODULE_DESCRIPTION);
    info.category = StringResource(module.handle, IDS_MODULE_CATEGORY);
    return info;
}

} // namespace host
