// The stand-in host's core: the six functions that Orbiter.exe exports to its modules, and
// the bookkeeping behind them (loaded modules, custom commands, open dialogs).
//
// Used by the stand-in host program and by the Windows-side tests, which are hosts too.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct CustomCommand {
    DWORD id;
    std::string label;
    std::string description;
    void (*callback)(void*);
    void* context;
    HMODULE owner; // the module whose code the callback is
};

struct ModuleDialog {
    HWND window;
    HINSTANCE module;
    int resourceId;
    int(CALLBACK* proc)(HWND, UINT, WPARAM, LPARAM);
    void* context;
};

struct LoadedModule {
    HMODULE handle;
    std::string path;
    std::string name; // the file name, without its folder
};

// What a module tells about itself: its exports GetModuleVersion and ModuleDate (none when it
// lacks them) and the description and category in its string table.
struct ModuleInfo {
    std::optional<int> version;
    std::optional<std::string> date;
    std::string description;
    std::string category;
};
ModuleInfo DescribeModule(HMODULE module);

// One call of a host function, as the module made it.
struct HostCall {
    std::string function;
    std::vector<LONG_PTR> arguments; // handles, pointers, numbers and flags, each whole
    std::string text;                // the text argument of Date2Int and oapiRegisterCustomCmd
};

// Everything the module has called, in order. Tests read it; `--trace` prints it.
std::vector<HostCall>& CallLog();

// Replacements for the host's own behaviour, for tests that need another answer.
struct Overrides {
    std::function<int(const char*)> date2Int;
    std::function<HWND(HINSTANCE, int)> openDialog; // return value replaces the real dialog
    std::function<int(HWND, UINT, WPARAM, LPARAM)> defDialogProc;
};
Overrides& HostOverrides();

// The window that owns the module dialogs (the host's main window); null for none.
void SetDialogOwner(HWND owner);

// Called with a module just before UnloadModule closes its dialogs, so that the host can
// close its own windows that hold controls of the module's classes.
void SetBeforeUnloadHandler(std::function<void(HMODULE)> handler);

// What UnloadModule did with a module's dialogs and its library.
struct Unloaded {
    int dialogsClosed = 0;
    int dialogsLeftOpen = 0; // windows that would not go
    bool released = false;   // the library is no longer mapped in the process
};

// Modules: LoadModule loads the DLL (its entry calls InitLib) and calls its InitModule.
// UnloadModule first closes the module's dialogs and forgets its commands, so nothing of
// the module can run after its ExitModule, then frees it.
HMODULE LoadModule(const std::string& path);
Unloaded UnloadModule(HMODULE module);
void UnloadAllModules();
const std::vector<LoadedModule>& Modules();

const std::vector<CustomCommand>& Commands();
const CustomCommand* FindCommand(const std::string& label);
// Runs a command's callback; false when no such command exists.
bool RunCommand(const std::string& label);

const std::vector<ModuleDialog>& Dialogs();
// The open dialog of a module's template, or null.
HWND FindDialog(HINSTANCE module, int resourceId);

// A class of the host's own top-level windows (the tests' too), registered once under the
// program: the arrow cursor and the given background. False when it cannot be registered.
bool RegisterHostClass(const char* name, WNDPROC proc,
                       HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

// Gives a message to the open dialogs (keyboard navigation); true when one took it.
bool TranslateDialogMessage(MSG* message);

// The host's version number of a "Mon DD YYYY" date: YYYYMMDD, or 0 for a bad text.
int DateToVersion(const char* date);

} // namespace host
