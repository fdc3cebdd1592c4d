#include "main_window.h"

#include "console_output.h"
#include "host_core.h"

namespace host {

namespace {

constexpr char kClassName[] = "KelvoStandInHost";
constexpr char kTitle[] = "Orbiter (stand-in host)";
constexpr int kModulesTextId = 100;
constexpr int kCommandListId = 101;
constexpr int kMargin = 10;
// The left part of the client area stands for the simulator's view: module dialogs open at
// the client area's top-left corner (their templates' position 0, 0), so they land there.
constexpr int kViewWidth = 300;
constexpr int kLabelHeight = 18;
constexpr int kModulesTextHeight = 150;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;

std::string ModulesText() {
    std::string text;
    for (const LoadedModule& module : Modules()) {
        const ModuleInfo info = DescribeModule(module.handle);
        text += module.name;
        if (info.version)
            text += "    version " + std::to_string(*info.version);
        if (info.date)
            text += "    built " + *info.date;
        text += "\r\n";
        if (!info.category.empty())
            text += "[" + info.category + "]\r\n";
        if (!info.description.empty())
            text += info.description + "\r\n";
        text += "\r\n";
    }
    return text.empty() ? "No module loaded." : text;
}

} // namespace

HWND AddChild(HWND parent, const char* className, const char* text, DWORD style, const Box& box,
              int id) {
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, box.left,
                                 box.top, box.Width(), box.Height(), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return child;
}

HWND MainWindow::Create() {
    if (RegisterHostClass(kClassName, Proc))
        CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, kTitle,
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 10, 900, 470, nullptr, nullptr,
                        GetModuleHandleA(nullptr), this);
    return hwnd_;
}

void MainWindow::AddHostCommand(HostCommand command) {
    hostCommands_.push_back(std::move(command));
}

LRESULT CALLBACK MainWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        PrintError(error.what());
    } catch (...) {
        PrintError("unexpected failure in the main window");
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK ||
            (LOWORD(wParam) == kCommandListId && HIWORD(wParam) == LBN_DBLCLK))
            RunSelectedCommand();
        return 0;
    case WM_CLOSE:
        Shutdown(exitCode_);
        return 0;
    case WM_DESTROY:
        SetDialogOwner(nullptr);
        hwnd_ = nullptr;
        PostQuitMessage(exitCode_);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCreate() {
    // Placed by OnSize.
    const Box box = BoxAt(0, 0, 10, 10);
    modulesLabel_ = AddChild(hwnd_, "STATIC", "Loaded modules:", 0, box, -1);
    modulesText_ =
        AddChild(hwnd_, "EDIT", "",
                 WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                 box, kModulesTextId);
    commandsLabel_ = AddChild(
        hwnd_, "STATIC", "Commands (double-click one, or select it and press Open):", 0, box, -1);
    commandList_ = AddChild(hwnd_, "LISTBOX", "",
                            WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS |
                                LBS_NOINTEGRALHEIGHT,
                            box, kCommandListId);
    const INT tabStop = 90; // dialog units: the descriptions line up after the labels
    SendMessageA(commandList_, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    openButton_ = AddChild(hwnd_, "BUTTON", "Open", WS_TABSTOP | BS_DEFPUSHBUTTON, box, IDOK);
}

void MainWindow::OnSize(int width, int height) {
    const int left = kViewWidth + kMargin;
    const int inner = std::max(0, width - left - kMargin);
    int y = kMargin;
    MoveWindow(modulesLabel_, left, y, inner, kLabelHeight, TRUE);
    y += kLabelHeight;
    MoveWindow(modulesText_, left, y, inner, kModulesTextHeight, TRUE);
    y += kModulesTextHeight + kMargin;
    MoveWindow(commandsLabel_, left, y, inner, kLabelHeight, TRUE);
    y += kLabelHeight;
    const int buttonTop = height - kMargin - kButtonHeight;
    MoveWindow(commandList_, left, y, inner, std::max(0, buttonTop - kMargin - y), TRUE);
    MoveWindow(openButton_, width - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight,
               TRUE);
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int height = client.bottom;
    const RECT view = {0, 0, kViewWidth, height};
    FillRect(dc, &view, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int saved = SaveDC(dc); // text colour, mode and font come back with RestoreDC
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(150, 150, 170));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT caption = {kMargin, height - 3 * kLabelHeight, kViewWidth - kMargin, height - kMargin};
    DrawTextA(dc, "Simulator view: module dialogs open here.", -1, &caption,
              DT_CENTER | DT_WORDBREAK);
    RestoreDC(dc, saved);
    EndPaint(hwnd_, &paint);
}

void MainWindow::Refresh() {
    if (!hwnd_)
        return;
    SetWindowTextA(modulesText_, ModulesText().c_str());
    SendMessageA(commandList_, LB_RESETCONTENT, 0, 0);
    listedLabels_.clear();
    // The list keeps the order of adding: item i is label i.
    auto add = [this](const std::string& label, const std::string& description) {
        const std::string line = label + "\t" + description;
        SendMessageA(commandList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        listedLabels_.push_back(label);
    };
    for (const CustomCommand& command : Commands())
        add(command.label, command.description);
    for (const HostCommand& command : hostCommands_)
        add(command.label, command.description + "  (host)");
    SendMessageA(commandList_, LB_SETCURSEL, 0, 0);
}

void MainWindow::RunSelectedCommand() {
    const auto selected = static_cast<std::size_t>(SendMessageA(commandList_, LB_GETCURSEL, 0, 0));
    if (selected < listedLabels_.size()) // LB_ERR is -1: none
        RunCommand(listedLabels_[selected]);
}

bool MainWindow::RunCommand(const std::string& label, HWND* opened) {
    if (opened)
        *opened = nullptr;
    if (host::RunCommand(label))
        return true;
    for (const HostCommand& command : hostCommands_) {
        if (command.label != label)
            continue;
        HWND window = command.run();
        if (opened)
            *opened = window;
        return true;
    }
    return false;
}

void MainWindow::Shutdown(int exitCode) {
    if (shuttingDown_)
        return;
    shuttingDown_ = true;
    exitCode_ = exitCode;
    while (!Modules().empty()) {
        const LoadedModule module = Modules().back();
        const Unloaded unloaded = UnloadModule(module.handle);
        PrintLine("unloaded " + module.name + ": " + std::to_string(unloaded.dialogsClosed) +
                  " window(s) closed, " + std::to_string(unloaded.dialogsLeftOpen) +
                  " left open, library " + (unloaded.released ? "released" : "still mapped"));
        if (unloaded.dialogsLeftOpen || !unloaded.released)
            exitCode_ = 1;
    }
    if (hwnd_)
        DestroyWindow(hwnd_);
}

} // namespace host
