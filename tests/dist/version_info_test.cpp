// Reads a module's version resource back as Windows Explorer does and checks its fields.
// Usage: version_info_test MODULE.dll MAJOR.MINOR.PATCH
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Expect(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("wrong: %s\n", what.c_str());
        ++g_failures;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const char* module = argv[1];
    const std::string version = argv[2];
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(module, &ignored));
    if (info.empty() || !GetFileVersionInfoA(module, 0, info.size(), info.data())) {
        std::printf("no version resource in %s\n", module);
        return 1;
    }

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed->dwSignature != VS_FFI_SIGNATURE) {
        std::printf("no fixed version information\n");
        return 1;
    }
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                  LOWORD(fixed->dwFileVersionLS));
    Expect(numbers == version + ".0", std::string("file version ") + numbers);
    Expect(fixed->dwProductVersionMS == fixed->dwFileVersionMS &&
               fixed->dwProductVersionLS == fixed->dwFileVersionLS,
           "product version numbers");
    Expect(fixed->dwFileType == VFT_DLL, "file type");

    // The strings, in the language and code page that the translation table names.
    WORD* translation = nullptr;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD)) {
        std::printf("no translation table\n");
        return 1;
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
        const bool found =
            VerQueryValueA(info.data(), path, reinterpret_cast<void**>(&text), &length) &&
            length > 1;
        Expect(found && (field.value.empty() || field.value == text),
               std::string(field.name) + " " + (found ? text : "missing"));
    }
    return g_failures ? 1 : 0;
}
