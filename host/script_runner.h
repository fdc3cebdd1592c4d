// Runs a script (script.h) inside the host's own message loop: one step at a time from a
// timer, so that the windows are real, receive their messages and paint between steps.
#pragma once

#include <windows.h>

#include "main_window.h"
#include "script.h"

#include <string>
#include <vector>

namespace host {

class ScriptRunner {
public:
    ScriptRunner(MainWindow& host, std::vector<ScriptStep> steps);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Schedules the first step; the steps then run as the message loop turns.
    void Start();

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
    void Schedule(UINT milliseconds);
    void RunNextStep();
    // Runs one step; throws std::runtime_error with the reason when it cannot be done.
    void Run(const ScriptStep& step);
    void Fail(const ScriptStep& step, const std::string& reason);

    void DoCommand(const std::string& label);
    void DoClick(const std::string& caption);
    void DoKey(const std::string& name);
    void DoMouse(const std::vector<std::string>& arguments);
    void DoDisplay();
    void DoClose(const std::string& target);
    void DoScreenshot(const std::string& target, const std::string& path);
    void DoDialogs();
    void DoModules();
    void DoCommands();
    void DoNotifications();

    HWND Target(const std::string& name) const; // throws when there is no such window
    HWND Current() const;                       // throws when there is none

    static ScriptRunner* active_;
    MainWindow& host_;
    std::vector<ScriptStep> steps_;
    std::size_t next_ = 0;
    UINT_PTR timer_ = 0;
    UINT nextDelay_ = 0;
    HWND current_ = nullptr;
    bool finished_ = false;
};

} // namespace host
