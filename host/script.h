// The host's scripts: steps for tests and demos, such as
//     command "Calculator Kelvo"; click 1; click +; click 2; click =; text 102 -1; quit
// Steps are separated by new lines or semicolons; words by blanks; a word with blanks or
// semicolons goes in double quotes (\" and \\ inside them); a step that starts with # is a
// comment.
#pragma once

#include "main_window.h"

#include <string>
#include <vector>

namespace host {

struct ScriptStep {
    std::string verb; // in lower case
    std::vector<std::string> arguments;
    int line = 0; // where the step starts, from 1
};

// Splits the text into steps and checks each verb and its number of arguments. On a fault,
// no steps and `error` says what and where.
std::vector<ScriptStep> ParseScript(const std::string& text, std::string& error);

// One line for each verb, for --help.
std::string ScriptHelp();

// Runs the steps inside the host's message loop, one at a time from a timer, so that the
// windows are real, receive their messages and paint between steps. A failing step prints
// why and shuts the host down with exit code 1.
void StartScript(MainWindow& host, std::vector<ScriptStep> steps);

} // namespace host
