#include "script_runner.h"

#include "console_output.h"
#include "gallery.h"
#include "host_core.h"
#include "module_info.h"
#include "screenshot.h"

#include <stdexcept>

namespace host {

namespace {

constexpr UINT kStepInterval = 20; // ms between steps: time for the windows to paint
constexpr char kCalculatorTitle[] = "Calculator Kelvo";
constexpr int kDisplayId = -1;

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct WindowSearch {
    const std::string* text;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (IsWindowVisible(window) && WindowText(window) == *search->text) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MatchButton(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (lstrcmpiA(ClassOf(child).c_str(), "Button") == 0 && WindowText(child) == *search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of this thread with exactly this title.
HWND TopLevelByTitle(const std::string& title) {
    WindowSearch search{&title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The button among the window's children whose caption is exactly this text.
HWND ButtonByCaption(HWND parent, const std::string& caption) {
    WindowSearch search{&caption, nullptr};
    EnumChildWindows(parent, MatchButton, reinterpret_cast<LPARAM>(&search));
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

UINT VirtualKey(const std::string& name) {
    if (name == "escape" || name == "esc")
        return VK_ESCAPE;
    if (name == "return" || name == "enter")
        return VK_RETURN;
    if (name == "tab")
        return VK_TAB;
    if (name == "space")
        return VK_SPACE;
    throw std::runtime_error("unknown key: " + name);
}

} // namespace

ScriptRunner* ScriptRunner::active_ = nullptr;

ScriptRunner::ScriptRunner(MainWindow& host, std::vector<ScriptStep> steps)
    : host_(host), steps_(std::move(steps)) {}

ScriptRunner::~ScriptRunner() {
    if (timer_)
        KillTimer(nullptr, timer_);
    if (active_ == this)
        active_ = nullptr;
}

void ScriptRunner::Start() {
    active_ = this;
    Schedule(kStepInterval);
}

void ScriptRunner::Schedule(UINT milliseconds) {
    // A thread timer: its WM_TIMER comes after posted messages and paints, so that what the
    // last step caused has happened before the next step looks at it.
    timer_ = SetTimer(nullptr, 0, milliseconds, OnTimer);
}

void CALLBACK ScriptRunner::OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!active_ || active_->timer_ != timer)
        return;
    active_->timer_ = 0;
    try {
        active_->RunNextStep();
    } catch (...) {
        PrintError("the script runner failed");
        active_->host_.Shutdown(1);
    }
}

void ScriptRunner::RunNextStep() {
    if (finished_ || next_ >= steps_.size())
        return;
    const ScriptStep& step = steps_[next_++];
    nextDelay_ = kStepInterval;
    try {
        Run(step);
    } catch (const std::exception& error) {
        Fail(step, error.what());
        return;
    }
    if (finished_)
        return;
    // A script without 'quit' leaves the host open for the user: `--run 'command X'` is how
    // `make run` opens the calculator interactively.
    if (next_ < steps_.size())
        Schedule(nextDelay_);
}

void ScriptRunner::Fail(const ScriptStep& step, const std::string& reason) {
    PrintError("script line " + std::to_string(step.line) + " (" + step.verb + "): " + reason);
    finished_ = true;
    host_.Shutdown(1);
}

void ScriptRunner::Run(const ScriptStep& step) {
    const std::vector<std::string>& a = step.arguments;
    if (step.verb == "command")
        DoCommand(a[0]);
    else if (step.verb == "window")
        current_ = Target(a[0]);
    else if (step.verb == "click")
        DoClick(a[0]);
    else if (step.verb == "key")
        DoKey(a[0]);
    else if (step.verb == "mouse")
        DoMouse(a);
    else if (step.verb == "display")
        DoDisplay();
    else if (step.verb == "close")
        DoClose(a.empty() ? "current" : a[0]);
    else if (step.verb == "screenshot")
        DoScreenshot(a[0], a[1]);
    else if (step.verb == "wait")
        nextDelay_ = static_cast<UINT>(std::max(1, Number(a[0], "wait")));
    else if (step.verb == "dialogs")
        DoDialogs();
    else if (step.verb == "modules")
        DoModules();
    else if (step.verb == "commands")
        DoCommands();
    else if (step.verb == "notifications")
        DoNotifications();
    else if (step.verb == "echo") {
        std::string text;
        for (const std::string& word : a)
            text += (text.empty() ? "" : " ") + word;
        PrintLine(text);
    } else if (step.verb == "quit") {
        finished_ = true;
        host_.Shutdown(0);
    } else {
        throw std::runtime_error("unknown step");
    }
}

void ScriptRunner::DoCommand(const std::string& label) {
    const std::vector<ModuleDialog> before = Dialogs();
    const CustomCommand* moduleCommand = FindCommand(label);
    const HMODULE owner = moduleCommand ? moduleCommand->owner : nullptr;
    HWND opened = nullptr;
    if (!host_.RunCommand(label, &opened))
        throw std::runtime_error("no command labelled \"" + label + "\"");
    if (opened) {
        current_ = opened;
        return;
    }
    // The command's window: a dialog that it opened, or the module's dialog that it brought
    // forward.
    for (const ModuleDialog& dialog : Dialogs()) {
        bool isNew = true;
        for (const ModuleDialog& old : before)
            isNew = isNew && old.window != dialog.window;
        if (isNew || (owner && dialog.module == owner))
            current_ = dialog.window;
    }
}

HWND ScriptRunner::Target(const std::string& name) const {
    HWND window = nullptr;
    if (name == "current")
        return Current();
    if (name == "main")
        window = host_.hwnd();
    else if (name == "gallery")
        window = GalleryWindow();
    else if (name == "calculator")
        window = TopLevelByTitle(kCalculatorTitle);
    else
        window = TopLevelByTitle(name);
    if (!window || !IsWindow(window))
        throw std::runtime_error("no window \"" + name + "\" is open");
    return window;
}

HWND ScriptRunner::Current() const {
    if (!current_ || !IsWindow(current_))
        throw std::runtime_error("no target window: open one with 'command' or name one with "
                                 "'window'");
    return current_;
}

void ScriptRunner::DoClick(const std::string& caption) {
    HWND button = ButtonByCaption(Current(), caption);
    if (!button)
        throw std::runtime_error("no button \"" + caption + "\" in \"" + WindowText(current_) +
                                 "\"");
    if (!IsWindowEnabled(button) || !IsWindowVisible(button))
        throw std::runtime_error("button \"" + caption + "\" cannot be clicked");
    // As a mouse click does: press and release on the button, which then tells its parent.
    SendMessageA(button, BM_CLICK, 0, 0);
}

void ScriptRunner::DoKey(const std::string& name) {
    const UINT key = VirtualKey(name);
    HWND window = Current();
    // Keys go to the focus, through the message loop and its dialog navigation.
    HWND focus = GetFocus();
    if (focus && (focus == window || IsChild(window, focus)))
        window = focus;
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void ScriptRunner::DoMouse(const std::vector<std::string>& arguments) {
    const std::string& action = arguments[0];
    UINT message = 0;
    WPARAM buttons = 0;
    if (action == "down") {
        message = WM_LBUTTONDOWN;
        buttons = MK_LBUTTON;
    } else if (action == "move") {
        message = WM_MOUSEMOVE;
        buttons = MK_LBUTTON;
    } else if (action == "up") {
        message = WM_LBUTTONUP;
    } else {
        throw std::runtime_error("mouse action must be down, move or up: " + action);
    }
    const int id = Number(arguments[1], "control id");
    const int x = Number(arguments[2], "x");
    const int y = Number(arguments[3], "y");
    HWND control = GetDlgItem(Current(), id);
    if (!control)
        throw std::runtime_error("no control " + arguments[1] + " in \"" + WindowText(current_) +
                                 "\"");
    PostMessageA(control, message, buttons, MAKELPARAM(x, y));
}

void ScriptRunner::DoDisplay() {
    HWND calculator = Target("calculator");
    HWND display = GetDlgItem(calculator, kDisplayId);
    if (!display)
        throw std::runtime_error("the calculator window has no display");
    PrintLine("display: " + WindowText(display));
}

void ScriptRunner::DoClose(const std::string& target) {
    // What the title bar's close box sends; the window decides what closing means.
    PostMessageA(Target(target), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void ScriptRunner::DoScreenshot(const std::string& target, const std::string& path) {
    HWND window = Target(target);
    const RgbImage image = CaptureWindow(window);
    if (image.pixels.empty())
        throw std::runtime_error("cannot capture \"" + WindowText(window) + "\"");
    if (!WritePng(image, path))
        throw std::runtime_error("cannot write " + path);
    PrintLine("screenshot: " + path + " (" + std::to_string(image.width) + "x" +
              std::to_string(image.height) + ")");
}

void ScriptRunner::DoDialogs() {
    const std::vector<ModuleDialog>& dialogs = Dialogs();
    PrintLine("dialogs: " + std::to_string(dialogs.size()));
    for (const ModuleDialog& dialog : dialogs)
        PrintLine("dialog " + Quoted(WindowText(dialog.window)));
}

void ScriptRunner::DoModules() {
    for (const LoadedModule& module : Modules()) {
        const ModuleInfo info = DescribeModule(module);
        PrintLine("module " + Quoted(info.name) + " version " +
                  (info.hasVersion ? std::to_string(info.version) : "none") + " date " +
                  (info.hasDate ? Quoted(info.date) : "none") + " description " +
                  Quoted(info.description) + " category " + Quoted(info.category));
    }
}

void ScriptRunner::DoCommands() {
    for (const CustomCommand& command : Commands()) {
        std::string module = "?";
        for (const LoadedModule& loaded : Modules())
            if (loaded.handle == command.owner)
                module = FileNameOf(loaded.path);
        PrintLine("command " + Quoted(command.label) + " " + Quoted(command.description) +
                  " from " + module);
    }
    for (const HostCommand& command : host_.HostCommands())
        PrintLine("command " + Quoted(command.label) + " " + Quoted(command.description) +
                  " from host");
}

void ScriptRunner::DoNotifications() {
    for (const std::string& line : GalleryNotifications())
        PrintLine("notification " + line);
}

} // namespace host
