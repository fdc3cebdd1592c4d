// The stand-in host's main window: the loaded modules with their version, date and
// description, and the list of commands (the modules' custom commands and the host's own).
// Choosing a command runs it on this, the user-interface, thread.
#pragma once

#include <windows.h>

#include "geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace host {

// A visible child of one of the host's own windows, in the dialog font.
HWND AddChild(HWND parent, const char* className, const char* text, DWORD style, const Box& box,
              int id);

// A command of the host itself; `run` returns the window that it opened or brought forward.
struct HostCommand {
    std::string label;
    std::string description;
    std::function<HWND()> run;
};

class MainWindow {
public:
    MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the class and creates the window, hidden; null on failure.
    HWND Create();
    HWND hwnd() const { return hwnd_; }

    void AddHostCommand(HostCommand command);
    // Shows the modules and commands as they are now.
    void Refresh();

    // Runs the command with this label: a module's command, or else one of the host's own.
    // False when there is none. `opened` receives the window that a host command opened.
    bool RunCommand(const std::string& label, HWND* opened = nullptr);
    // Labels and descriptions of the host's own commands.
    const std::vector<HostCommand>& HostCommands() const { return hostCommands_; }

    // Unloads every module (closing its windows first), reports each on standard output,
    // then destroys the window and ends the message loop with this exit code (or 1 when a
    // module did not go cleanly). Only the first call does anything.
    void Shutdown(int exitCode);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnSize(int width, int height);
    void OnPaint();
    void RunSelectedCommand();

    HWND hwnd_ = nullptr;
    HWND modulesText_ = nullptr;
    HWND commandList_ = nullptr;
    HWND modulesLabel_ = nullptr;
    HWND commandsLabel_ = nullptr;
    HWND openButton_ = nullptr;
    std::vector<HostCommand> hostCommands_;
    std::vector<std::string> listedLabels_; // item data of the list: index into this
    bool shuttingDown_ = false;
    int exitCode_ = 0;
};

} // namespace host
