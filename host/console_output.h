// Lines for the person or script that started the host: standard output and standard error
// of the process (under Wine, the terminal's own streams). A host started without them
// writes nothing.
#pragma once

#include <string>

namespace host {

void PrintLine(const std::string& line);
void PrintError(const std::string& line);

// A text with its control characters written as C escapes (\r, \n, \t, \xNN) and in quotes,
// so that one value stays on one line.
std::string Quoted(const std::string& text);

} // namespace host
