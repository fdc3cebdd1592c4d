// Reads a module's version resource back as Windows Explorer does and prints every field that
// is wrong. Usage: version_info_test MODULE.dll MAJOR.MINOR.PATCH
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const std::string version = argv[2];
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(argv[1], &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    WORD* translation = nullptr; // language and code page of the strings
    UINT length = 0;
    if (info.empty() || !GetFileVersionInfoA(argv[1], 0, info.size(), info.data()) ||
        !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        !VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length)) {
        std::printf("no version resource in %s\n", argv[1]);
        return 1;
    }

    int wrong = 0;
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%u.%u.%u.0", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS));
    if (numbers != version + ".0" || LOWORD(fixed->dwFileVersionLS) != 0 ||
        fixed->dwProductVersionMS != fixed->dwFileVersionMS ||
        fixed->dwProductVersionLS != fixed->dwFileVersionLS || fixed->dwFileType != VFT_DLL) {
        std::printf("wrong fixed part: file version %s, type %lu\n", numbers, fixed->dwFileType);
        ++wrong;
    }
    const struct {
        const char* name;
        std::string value; // empty: any text
    } fields[] = {{"FileVersion", version},
                  {"ProductVersion", version},
                  {"ProductName", "Calculator Kelvo"},
                  {"OriginalFilename", "CalculatorKelvo.dll"},
                  {"FileDescription", ""}};
    for (const auto& field : fields) {
        char path[96];
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation[0],
                      translation[1], field.name);
        char* text = nullptr;
        if (!VerQueryValueA(info.data(), path, reinterpret_cast<void**>(&text), &length) ||
            length < 2 || (!field.value.empty() && field.value != text)) {
            std::printf("wrong %s: %s\n", field.name, text ? text : "missing");
            ++wrong;
        }
    }
    return wrong ? 1 : 0;
}
