#include "host_core.h"

#include "host_api.h"
#include "resource.h"

#include <algorithm>
#include <initializer_list>
#include <cstdio>
#include <cstring>

namespace host {

namespace {

std::vector<HostCall> g_calls;
Overrides g_overrides;
std::vector<LoadedModule> g_modules;
std::vector<CustomCommand> g_commands;
std::vector<ModuleDialog> g_dialogs;
DWORD g_nextCommandId = 1;
HWND g_dialogOwner = nullptr;
std::function<void(HMODULE)> g_beforeUnload;

LONG_PTR AsArgument(const void* pointer) {
    return reinterpret_cast<LONG_PTR>(pointer);
}

// The log is a diagnostic: a call that cannot be logged (out of memory) still goes ahead.
void Record(const char* function, std::initializer_list<LONG_PTR> arguments,
            const char* text = "") noexcept {
    try {
        // A long session sends the dialog procedure many messages: keep the recent calls.
        if (g_calls.size() >= 100000)
            g_calls.erase(g_calls.begin(), g_calls.begin() + 50000);
        g_calls.push_back(HostCall{function, arguments, text ? text : ""});
    } catch (...) {
    }
}

HMODULE ModuleOfAddress(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
}

template <typename Function> Function ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Dialogs can also end without oapiCloseDialog (their own DestroyWindow, the host's exit).
void ForgetDestroyedDialogs() {
    g_dialogs.erase(std::remove_if(g_dialogs.begin(), g_dialogs.end(),
                                   [](const ModuleDialog& d) { return !IsWindow(d.window); }),
                    g_dialogs.end());
}

} // namespace

std::vector<HostCall>& CallLog() {
    return g_calls;
}
Overrides& HostOverrides() {
    return g_overrides;
}
const std::vector<LoadedModule>& Modules() {
    return g_modules;
}
const std::vector<CustomCommand>& Commands() {
    return g_commands;
}
void SetDialogOwner(HWND owner) {
    g_dialogOwner = owner;
}
void SetBeforeUnloadHandler(std::function<void(HMODULE)> handler) {
    g_beforeUnload = std::move(handler);
}

const std::vector<ModuleDialog>& Dialogs() {
    ForgetDestroyedDialogs();
    return g_dialogs;
}

int DateToVersion(const char* date) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!date || std::strlen(date) < 10)
        return 0;
    int month = 0;
    for (int i = 0; i < 12; ++i)
        if (std::strncmp(date, months[i], 3) == 0)
            month = i + 1;
    int day = 0, year = 0;
    char tail = 0;
    if (month == 0 || std::sscanf(date + 3, " %d %d%c", &day, &year, &tail) != 2)
        return 0;
    if (day < 1 || day > 31 || year < 1 || year > 9999)
        return 0;
    return year * 10000 + month * 100 + day;
}

ModuleInfo DescribeModule(HMODULE module) {
    ModuleInfo info;
    if (auto version = ExportOf<int (*)()>(module, "GetModuleVersion"))
        info.version = version();
    if (auto date = ExportOf<const char* (*)()>(module, "ModuleDate"))
        if (const char* text = date())
            info.date = text;
    char text[1024];
    info.description.assign(
        text, std::max(0, LoadStringA(module, IDS_MODULE_DESCRIPTION, text, sizeof text)));
    info.category.assign(text,
                         std::max(0, LoadStringA(module, IDS_MODULE_CATEGORY, text, sizeof text)));
    return info;
}

HMODULE LoadModule(const std::string& path) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        return nullptr;
    // The same library named twice is one module: initialise it once only.
    for (const LoadedModule& m : g_modules)
        if (m.handle == module) {
            FreeLibrary(module);
            return module;
        }
    try {
        g_modules.push_back(LoadedModule{module, path, path.substr(path.find_last_of("\\/:") + 1)});
    } catch (...) {
        FreeLibrary(module);
        throw;
    }
    if (auto init = ExportOf<void (*)(HINSTANCE)>(module, "InitModule"))
        init(module);
    return module;
}

Unloaded UnloadModule(HMODULE module) {
    Unloaded result;
    if (std::none_of(g_modules.begin(), g_modules.end(),
                     [module](const LoadedModule& m) { return m.handle == module; }))
        return result;
    if (g_beforeUnload)
        g_beforeUnload(module);
    // Nothing of the module may run after its ExitModule: close its windows and forget its
    // commands before the library goes.
    std::vector<HWND> windows;
    for (const ModuleDialog& d : Dialogs())
        if (d.module == module)
            windows.push_back(d.window);
    for (HWND window : windows)
        DestroyWindow(window);
    for (HWND window : windows)
        ++(IsWindow(window) ? result.dialogsLeftOpen : result.dialogsClosed);
    ForgetDestroyedDialogs();
    g_commands.erase(std::remove_if(g_commands.begin(), g_commands.end(),
                                    [module](const CustomCommand& c) { return c.owner == module; }),
                     g_commands.end());
    // The handler may have changed the list: find the module again.
    g_modules.erase(std::remove_if(g_modules.begin(), g_modules.end(),
                                   [module](const LoadedModule& m) { return m.handle == module; }),
                    g_modules.end());
    FreeLibrary(module);
    result.released = !ModuleOfAddress(module);
    return result;
}

void UnloadAllModules() {
    while (!g_modules.empty())
        UnloadModule(g_modules.back().handle);
}

const CustomCommand* FindCommand(const std::string& label) {
    for (const CustomCommand& c : g_commands)
        if (c.label == label)
            return &c;
    return nullptr;
}

bool RunCommand(const std::string& label) {
    const CustomCommand* command = FindCommand(label);
    if (!command)
        return false;
    // Copy: the callback may register or withdraw commands.
    const CustomCommand run = *command;
    run.callback(run.context);
    return true;
}

HWND FindDialog(HINSTANCE module, int resourceId) {
    for (const ModuleDialog& d : Dialogs())
        if (d.module == module && d.resourceId == resourceId)
            return d.window;
    return nullptr;
}

bool RegisterHostClass(const char* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    WNDCLASSA existing;
    return GetClassInfoA(windowClass.hInstance, name, &existing) || RegisterClassA(&windowClass);
}

bool TranslateDialogMessage(MSG* message) {
    for (const ModuleDialog& d : Dialogs())
        if (IsDialogMessageA(d.window, message))
            return true;
    return false;
}

} // namespace host

using namespace host;

// The host functions, exported under the host's decorated names
// (module/orbiter_host_<processor>.def). No exception may leave them into the module: each body
// runs under Guarded.

namespace {

template <typename Result, typename Body> Result Guarded(Result fallback, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

} // namespace

void InitLib(HINSTANCE module) {
    // The host learns of modules as it loads them; the call is only recorded.
    Record("InitLib", {AsArgument(module)});
}

int Date2Int(char* date) {
    Record("Date2Int", {}, date);
    return Guarded(0, [&] {
        if (g_overrides.date2Int)
            return g_overrides.date2Int(date);
        return DateToVersion(date);
    });
}

DWORD oapiRegisterCustomCmd(char* label, char* description, OapiCustomCmdCallback callback,
                            void* context) {
    Record("oapiRegisterCustomCmd",
           {AsArgument(reinterpret_cast<void*>(callback)), AsArgument(context)}, label);
    // 0 is no command: out of memory leaves the command unregistered.
    return Guarded<DWORD>(0, [&] {
        g_commands.push_back(CustomCommand{g_nextCommandId, label ? label : "",
                                           description ? description : "", callback, context,
                                           ModuleOfAddress(reinterpret_cast<void*>(callback))});
        return g_nextCommandId++;
    });
}

namespace {

// The module's procedure of the dialog being created, for its messages before it is in
// g_dialogs. Until then g_dialogs holds only live windows (FindDialog has just forgotten the
// others), so no entry there can have the new window's handle.
OapiDialogProc g_openingProc = nullptr;

// A module's dialog procedure answers an int, a dialog procedure an INT_PTR (64 bits on x64):
// the host calls the module's procedure from its own and widens the answer. The window is
// looked up in the host's own list: a window property would cost a call to the window server
// at every message.
INT_PTR CALLBACK ModuleDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    OapiDialogProc proc = g_openingProc;
    for (const ModuleDialog& d : g_dialogs)
        if (d.window == window)
            proc = d.proc;
    return proc ? proc(window, message, wParam, lParam) : FALSE;
}

} // namespace

HWND oapiOpenDialogEx(HINSTANCE module, int resourceId, OapiDialogProc proc, DWORD flags,
                      void* context) {
    Record("oapiOpenDialogEx",
           {AsArgument(module), resourceId, AsArgument(reinterpret_cast<void*>(proc)),
            static_cast<LONG_PTR>(flags), AsArgument(context)});
    return Guarded<HWND>(nullptr, [&]() -> HWND {
        if (g_overrides.openDialog)
            return g_overrides.openDialog(module, resourceId);
        // One window per template: picking the command again brings the open one to the front.
        if (HWND open = FindDialog(module, resourceId)) {
            ShowWindow(open, SW_SHOWNORMAL);
            SetForegroundWindow(open);
            return open;
        }
        // A dialog opened while another is being created (from its WM_INITDIALOG) hands the
        // outer one its procedure back for the rest of its creation.
        const OapiDialogProc outer = g_openingProc;
        g_openingProc = proc;
        HWND window = CreateDialogParamA(module, MAKEINTRESOURCEA(resourceId), g_dialogOwner,
                                         ModuleDialogProc, reinterpret_cast<LPARAM>(context));
        try {
            if (window)
                g_dialogs.push_back(ModuleDialog{window, module, resourceId, proc, context});
        } catch (...) {
            // A window the host cannot track could outlive its module: none at all instead.
            DestroyWindow(window);
            window = nullptr;
        }
        g_openingProc = outer;
        if (!window)
            return nullptr;
        ShowWindow(window, SW_SHOWNORMAL);
        return window;
    });
}

void oapiCloseDialog(HWND dialog) {
    Record("oapiCloseDialog", {AsArgument(dialog)});
    // Only windows that oapiOpenDialogEx made: a stale handle, which Windows may have given to
    // another window since, must close nothing.
    ForgetDestroyedDialogs();
    const bool opened = std::any_of(g_dialogs.begin(), g_dialogs.end(),
                                    [dialog](const ModuleDialog& d) { return d.window == dialog; });
    if (opened)
        DestroyWindow(dialog);
    ForgetDestroyedDialogs();
}

int oapiDefDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Record("oapiDefDialogProc", {AsArgument(dialog), static_cast<LONG_PTR>(message),
                                 static_cast<LONG_PTR>(wParam), static_cast<LONG_PTR>(lParam)});
    // FALSE hands the message to the system's dialog manager, which gives Esc and the close
    // box their cancel command.
    return Guarded(FALSE, [&] {
        if (g_overrides.defDialogProc)
            return g_overrides.defDialogProc(dialog, message, wParam, lParam);
        return FALSE;
    });
}
