// The host's scripts: steps for tests and demos, such as
//     command "Calculator Kelvo"; click 1; click +; click 2; click =; display; quit
// Steps are separated by new lines or semicolons; words by blanks; a word with blanks or
// semicolons goes in double quotes (\" and \\ inside them); a step that starts with # is a
// comment. Portable: no window handles here.
#pragma once

#include <string>
#include <vector>

namespace host {

struct ScriptStep {
    std::string verb; // in lower case
    std::vector<std::string> arguments;
    int line = 0; // where the step starts, from 1
};

struct ParsedScript {
    std::vector<ScriptStep> steps;
    std::string error; // empty when the whole script is well formed
};

// Splits the text into steps and checks each verb and its number of arguments.
ParsedScript ParseScript(const std::string& text);

// One line for each verb, for --help.
const char* ScriptHelp();

} // namespace host
