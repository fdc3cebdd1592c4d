#include "console_output.h"

#include <windows.h>

#include <cstdio>

namespace host {

namespace {

void WriteLine(DWORD stream, const std::string& line) {
    HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

} // namespace

void PrintLine(const std::string& line) {
    WriteLine(STD_OUTPUT_HANDLE, line);
}
void PrintError(const std::string& line) {
    WriteLine(STD_ERROR_HANDLE, "error: " + line);
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        char escape[8] = {static_cast<char>(c), '\0'};
        if (c == '"' || c == '\\')
            std::snprintf(escape, sizeof escape, "\\%c", c);
        else if (c < 0x20 || c == 0x7F)
            std::snprintf(escape, sizeof escape,
                          c == '\r'   ? "\\r"
                          : c == '\n' ? "\\n"
                          : c == '\t' ? "\\t"
                                      : "\\x%02X",
                          c);
        out += escape;
    }
    return out + "\"";
}

} // namespace host
