#include "script.h"

#include "console_output.h"
#include "gallery.h"
#include "host_core.h"
#include "window_capture.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <stdexcept>

namespace host {

namespace {

using Arguments = std::vector<std::string>;

constexpr UINT kStepInterval = 20; // ms between steps: time for the windows to paint

// The script being run: one per host.
struct Run {
    MainWindow* host = nullptr;
    std::vector<ScriptStep> steps;
    std::size_t next = 0;
    UINT nextDelay = kStepInterval;
    HWND current = nullptr; // the window of the last command
    bool finished = false;
} g_run;

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The first of this thread's top-level windows (no parent) or of a parent's descendants
// that `match` accepts, or null.
struct WindowSearch {
    std::function<bool(HWND)> match;
    HWND found;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (!search->match(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindWindowWhere(HWND parent, std::function<bool(HWND)> match) {
    WindowSearch search{std::move(match), nullptr};
    const auto data = reinterpret_cast<LPARAM>(&search);
    if (parent)
        EnumChildWindows(parent, VisitWindow, data);
    else
        EnumThreadWindows(GetCurrentThreadId(), VisitWindow, data);
    return search.found;
}

int Number(const std::string& text, const char* what) {
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    throw std::runtime_error(std::string("not a number for ") + what + ": " + text);
}

HWND Current() {
    if (!g_run.current || !IsWindow(g_run.current))
        throw std::runtime_error("no target window: open one with 'command'");
    return g_run.current;
}

// A window named in a step: current, main, gallery, or a visible window's exact title.
HWND Target(const std::string& name) {
    if (name == "current")
        return Current();
    HWND window = name == "main"      ? g_run.host->hwnd()
                  : name == "gallery" ? GalleryWindow()
                                      : FindWindowWhere(nullptr, [&name](HWND w) {
                                            return IsWindowVisible(w) && WindowText(w) == name;
                                        });
    if (!window || !IsWindow(window))
        throw std::runtime_error("no window \"" + name + "\" is open");
    return window;
}

void DoCommand(const Arguments& a) {
    const std::vector<ModuleDialog> before = Dialogs();
    const CustomCommand* moduleCommand = FindCommand(a[0]);
    const HMODULE owner = moduleCommand ? moduleCommand->owner : nullptr;
    HWND opened = nullptr;
    if (!g_run.host->RunCommand(a[0], &opened))
        throw std::runtime_error("no command labelled \"" + a[0] + "\"");
    if (opened) {
        g_run.current = opened;
        return;
    }
    // The command's window: a dialog that it opened, or the module's dialog that it brought
    // forward.
    for (const ModuleDialog& dialog : Dialogs()) {
        bool isNew = true;
        for (const ModuleDialog& old : before)
            isNew = isNew && old.window != dialog.window;
        if (isNew || (owner && dialog.module == owner))
            g_run.current = dialog.window;
    }
}

void DoClick(const Arguments& a) {
    HWND button = FindWindowWhere(Current(), [&a](HWND child) {
        char name[16] = "";
        GetClassNameA(child, name, sizeof name);
        return lstrcmpiA(name, "Button") == 0 && WindowText(child) == a[0];
    });
    if (!button)
        throw std::runtime_error("no button \"" + a[0] + "\" in \"" + WindowText(g_run.current) +
                                 "\"");
    if (!IsWindowEnabled(button) || !IsWindowVisible(button))
        throw std::runtime_error("button \"" + a[0] + "\" cannot be clicked");
    // As a mouse click does: press and release on the button, which then tells its parent.
    SendMessageA(button, BM_CLICK, 0, 0);
}

void DoText(const Arguments& a) {
    const int dialogId = Number(a[0], "dialog");
    const int controlId = Number(a[1], "control");
    for (const ModuleDialog& dialog : Dialogs()) {
        if (dialog.resourceId != dialogId)
            continue;
        HWND control = GetDlgItem(dialog.window, controlId);
        if (!control)
            throw std::runtime_error("no control " + a[1] + " in dialog " + a[0]);
        PrintLine("text: " + WindowText(control));
        return;
    }
    throw std::runtime_error("no dialog " + a[0] + " is open");
}

void DoKey(const Arguments& a) {
    static const std::pair<const char*, UINT> keys[] = {{"escape", VK_ESCAPE}, {"esc", VK_ESCAPE},
                                                        {"return", VK_RETURN}, {"enter", VK_RETURN},
                                                        {"tab", VK_TAB},       {"space", VK_SPACE}};
    UINT key = 0;
    for (const auto& entry : keys)
        if (a[0] == entry.first)
            key = entry.second;
    if (!key)
        throw std::runtime_error("unknown key: " + a[0]);
    HWND window = Current();
    // Keys go to the focus, through the message loop and its dialog navigation.
    HWND focus = GetFocus();
    if (focus && (focus == window || IsChild(window, focus)))
        window = focus;
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void DoMouse(const Arguments& a) {
    const UINT message = a[0] == "down"   ? WM_LBUTTONDOWN
                         : a[0] == "move" ? WM_MOUSEMOVE
                         : a[0] == "up"   ? WM_LBUTTONUP
                                          : 0;
    if (!message)
        throw std::runtime_error("mouse action must be down, move or up: " + a[0]);
    const int id = Number(a[1], "control id");
    const int x = Number(a[2], "x");
    const int y = Number(a[3], "y");
    HWND control = GetDlgItem(Current(), id);
    if (!control)
        throw std::runtime_error("no control " + a[1] + " in \"" + WindowText(g_run.current) +
                                 "\"");
    PostMessageA(control, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

void DoScreenshot(const Arguments& a) {
    HWND window = Target(a[0]);
    // Everything repainted at once, so that the file shows what the screen would.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    const WindowPixels image = CaptureWindow(window, true);
    if (image.pixels.empty())
        throw std::runtime_error("cannot capture \"" + WindowText(window) + "\"");
    if (!SavePng(image, a[1]))
        throw std::runtime_error("cannot write " + a[1]);
    PrintLine("screenshot: " + a[1] + " (" + std::to_string(image.width) + "x" +
              std::to_string(image.height) + ")");
}

void DoDialogs(const Arguments&) {
    const std::vector<ModuleDialog>& dialogs = Dialogs();
    PrintLine("dialogs: " + std::to_string(dialogs.size()));
    for (const ModuleDialog& dialog : dialogs)
        PrintLine("dialog " + Quoted(WindowText(dialog.window)));
}

void DoModules(const Arguments&) {
    for (const LoadedModule& module : Modules()) {
        const ModuleInfo info = DescribeModule(module.handle);
        PrintLine("module " + Quoted(module.name) + " version " +
                  (info.version ? std::to_string(*info.version) : "none") + " date " +
                  (info.date ? Quoted(*info.date) : "none") + " description " +
                  Quoted(info.description) + " category " + Quoted(info.category));
    }
}

void DoCommands(const Arguments&) {
    for (const CustomCommand& command : Commands()) {
        std::string module = "?";
        for (const LoadedModule& loaded : Modules())
            if (loaded.handle == command.owner)
                module = loaded.name;
        PrintLine("command " + Quoted(command.label) + " " + Quoted(command.description) +
                  " from " + module);
    }
    for (const HostCommand& command : g_run.host->HostCommands())
        PrintLine("command " + Quoted(command.label) + " " + Quoted(command.description) +
                  " from host");
}

// The one list of verbs: parsing checks the argument counts, running calls the handler,
// --help prints the syntax and the help text.
struct Verb {
    const char* name;
    int minArguments;
    int maxArguments; // -1: any number
    void (*run)(const Arguments&);
    const char* syntax;
    const char* help;
};

const Verb kVerbs[] = {
    {"command", 1, 1, DoCommand, "LABEL", "run a command of the host's list"},
    {"click", 1, 1, DoClick, "CAPTION", "click the current window's button of that caption"},
    {"text", 2, 2, DoText, "DIALOG CONTROL",
     "print control CONTROL's text in open module dialog DIALOG"},
    {"key", 1, 1, DoKey, "escape|return|tab|space", "press a key in the current window"},
    {"mouse", 4, 4, DoMouse, "down|move|up ID X Y",
     "the left button at X, Y of control ID of the current window"},
    {"close", 0, 1,
     [](const Arguments& a) {
         // What the title bar's close box sends; the window decides what closing means.
         PostMessageA(Target(a.empty() ? "current" : a[0]), WM_SYSCOMMAND, SC_CLOSE, 0);
     },
     "[WINDOW]", "close a window as its close box does"},
    {"screenshot", 2, 2, DoScreenshot, "WINDOW FILE", "save a window as a PNG file"},
    {"wait", 1, 1,
     [](const Arguments& a) {
         g_run.nextDelay = static_cast<UINT>(std::max(1, Number(a[0], "wait")));
     },
     "MS", "let the host run for MS milliseconds"},
    {"echo", 0, -1,
     [](const Arguments& a) {
         std::string text;
         for (const std::string& word : a)
             text += (text.empty() ? "" : " ") + word;
         PrintLine(text);
     },
     "TEXT...", "print the text"},
    {"dialogs", 0, 0, DoDialogs, "", "print the open module dialogs"},
    {"modules", 0, 0, DoModules, "", "print the loaded modules"},
    {"commands", 0, 0, DoCommands, "", "print the command list"},
    {"notifications", 0, 0,
     [](const Arguments&) {
         for (const std::string& line : GalleryNotifications())
             PrintLine("notification " + line);
     },
     "", "print what the gallery's controls reported"},
    {"quit", 0, 0,
     [](const Arguments&) {
         g_run.finished = true;
         g_run.host->Shutdown(0);
     },
     "", "unload the modules and end"},
};

const Verb* FindVerb(const std::string& name) {
    for (const Verb& verb : kVerbs)
        if (name == verb.name)
            return &verb;
    return nullptr;
}

// Ends the step in `words` (if any) and checks it; an error text when it is not well formed.
std::string EndStep(std::vector<std::string>& words, int line, std::vector<ScriptStep>& steps) {
    if (words.empty())
        return "";
    ScriptStep step;
    for (char c : words.front())
        step.verb += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    step.arguments.assign(words.begin() + 1, words.end());
    step.line = line;
    words.clear();
    const std::string where = "line " + std::to_string(line) + ": ";
    const Verb* verb = FindVerb(step.verb);
    if (!verb)
        return where + "unknown step '" + step.verb + "'";
    const int count = static_cast<int>(step.arguments.size());
    if (count < verb->minArguments || (verb->maxArguments >= 0 && count > verb->maxArguments))
        return where + "wrong number of arguments for '" + step.verb + "'";
    steps.push_back(std::move(step));
    return "";
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);

// A thread timer: its WM_TIMER comes after posted messages and paints, so that what the
// last step caused has happened before the next step looks at it.
void Schedule(UINT milliseconds) {
    SetTimer(nullptr, 0, milliseconds, OnTimer);
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (g_run.finished || g_run.next >= g_run.steps.size())
        return;
    const ScriptStep& step = g_run.steps[g_run.next++];
    g_run.nextDelay = kStepInterval;
    try {
        FindVerb(step.verb)->run(step.arguments);
    } catch (const std::exception& error) {
        PrintError("script line " + std::to_string(step.line) + " (" + step.verb +
                   "): " + error.what());
        g_run.finished = true;
        g_run.host->Shutdown(1);
        return;
    }
    // A script without 'quit' leaves the host open for the user: `--run 'command X'` is how
    // `make run` opens the calculator interactively.
    if (!g_run.finished && g_run.next < g_run.steps.size())
        Schedule(g_run.nextDelay);
}

} // namespace

std::vector<ScriptStep> ParseScript(const std::string& text, std::string& error) {
    std::vector<ScriptStep> steps;
    std::vector<std::string> words;
    int line = 1, stepLine = 1;
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    for (std::size_t at = 0; at < text.size() && error.empty();) {
        const char c = text[at];
        if (c == '\n' || c == ';') {
            error = EndStep(words, stepLine, steps);
            line += c == '\n';
            ++at;
            continue;
        }
        if (isBlank(c)) {
            ++at;
            continue;
        }
        if (c == '#' && words.empty()) {
            at = std::min(text.find('\n', at), text.size());
            continue;
        }
        if (words.empty())
            stepLine = line;
        std::string word;
        if (c == '"') {
            const int quoteLine = line;
            for (++at; at < text.size() && text[at] != '"'; ++at) {
                if (text[at] == '\\' && at + 1 < text.size() &&
                    (text[at + 1] == '"' || text[at + 1] == '\\'))
                    ++at;
                else
                    line += text[at] == '\n';
                word += text[at];
            }
            if (at++ >= text.size())
                error = "line " + std::to_string(quoteLine) + ": unterminated quote";
        } else {
            for (; at < text.size() && !isBlank(text[at]) && text[at] != '\n' && text[at] != ';' &&
                   text[at] != '"';
                 ++at)
                word += text[at];
        }
        words.push_back(word);
    }
    if (error.empty())
        error = EndStep(words, stepLine, steps);
    if (!error.empty())
        steps.clear();
    return steps;
}

std::string ScriptHelp() {
    std::string help = "Script steps (separated by new lines or ';'):\n";
    for (const Verb& verb : kVerbs) {
        const std::string usage = std::string(verb.name) + " " + verb.syntax;
        help += "  " + usage + std::string(usage.size() < 28 ? 28 - usage.size() : 1, ' ') +
                verb.help + "\n";
    }
    return help + "WINDOW: current (the last command's), main, gallery, or a window title.\n";
}

void StartScript(MainWindow& host, std::vector<ScriptStep> steps) {
    g_run.host = &host;
    g_run.steps = std::move(steps);
    Schedule(kStepInterval);
}

} // namespace host
