// The built CalculatorKelvo.dll as a file: its headers, its export directory and its import
// table, read straight from the PE image.
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

class PeImage {
public:
    explicit PeImage(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    bool Valid() const {
        if (bytes_.size() < sizeof(IMAGE_DOS_HEADER))
            return false;
        const auto* dos = At<IMAGE_DOS_HEADER>(0);
        return dos->e_magic == IMAGE_DOS_SIGNATURE &&
               static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32) <= bytes_.size() &&
               Nt()->Signature == IMAGE_NT_SIGNATURE;
    }

    const IMAGE_NT_HEADERS32* Nt() const {
        return At<IMAGE_NT_HEADERS32>(At<IMAGE_DOS_HEADER>(0)->e_lfanew);
    }

    // The file offset of a relative virtual address.
    size_t Offset(DWORD rva) const {
        const IMAGE_NT_HEADERS32* nt = Nt();
        const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
            reinterpret_cast<const char*>(&nt->OptionalHeader) +
            nt->FileHeader.SizeOfOptionalHeader);
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            const DWORD size = std::max(s.Misc.VirtualSize, s.SizeOfRawData);
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + size)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        ADD_FAILURE() << "address " << rva << " lies in no section";
        return 0;
    }

    template <typename T> const T* At(size_t offset) const {
        return reinterpret_cast<const T*>(bytes_.data() + offset);
    }
    std::string String(DWORD rva) const { return At<char>(Offset(rva)); }

    const IMAGE_DATA_DIRECTORY& Directory(int index) const {
        return Nt()->OptionalHeader.DataDirectory[index];
    }

    std::string ExportName() const {
        return String(At<IMAGE_EXPORT_DIRECTORY>(Offset(Directory(0).VirtualAddress))->Name);
    }

    std::set<std::string> ExportedNames() const {
        const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(Offset(Directory(0).VirtualAddress));
        const auto* names = At<DWORD>(Offset(exports->AddressOfNames));
        std::set<std::string> result;
        for (DWORD i = 0; i < exports->NumberOfNames; ++i)
            result.insert(String(names[i]));
        return result;
    }

    // Imported names by DLL name (upper case).
    std::map<std::string, std::set<std::string>> Imports() const {
        std::map<std::string, std::set<std::string>> result;
        size_t offset = Offset(Directory(1).VirtualAddress);
        for (;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(offset);
            if (descriptor->Name == 0)
                break;
            std::string dll = String(descriptor->Name);
            std::transform(dll.begin(), dll.end(), dll.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            std::set<std::string>& names = result[dll];
            const DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk
                                                                : descriptor->FirstThunk;
            for (const DWORD* thunk = At<DWORD>(Offset(thunks)); *thunk; ++thunk) {
                if (*thunk & IMAGE_ORDINAL_FLAG32)
                    names.insert("#" + std::to_string(*thunk & 0xFFFF));
                else
                    names.insert(String(*thunk + 2)); // after the hint
            }
        }
        return result;
    }

private:
    std::vector<char> bytes_;
};

class ModuleImage : public ::testing::Test {
protected:
    PeImage image{kelvo_test::TestFile("CalculatorKelvo.dll")};
};

// A 32-bit Windows DLL named CalculatorKelvo.dll that exports the four module functions by
// their plain names and imports from nothing but the system's libraries and the host.
TEST_F(ModuleImage, IsA32BitDllWithTheModulesExportsAndImports) {
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, image.Nt()->FileHeader.Machine);
    EXPECT_TRUE(image.Nt()->FileHeader.Characteristics & IMAGE_FILE_DLL);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, image.Nt()->OptionalHeader.Magic);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, image.Nt()->OptionalHeader.Subsystem);
    EXPECT_EQ("CalculatorKelvo.dll", image.ExportName());
    const std::set<std::string> exports = {"ExitModule", "GetModuleVersion", "InitModule",
                                           "ModuleDate"};
    EXPECT_EQ(exports, image.ExportedNames());
    const std::set<std::string> allowed = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "MSVCRT.DLL",
                                           "ORBITER.EXE"};
    const auto imports = image.Imports();
    ASSERT_FALSE(imports.empty());
    for (const auto& entry : imports)
        EXPECT_TRUE(allowed.count(entry.first)) << "unexpected import library " << entry.first;
}

// The test host exports the names that the module imports from it, which is how the module
// finds them at load: the six host functions, by the decorated names that the import list
// binds (the native tree checks those names against the host compiler's decoration).
TEST_F(ModuleImage, TestHostExportsWhatTheModuleImports) {
    PeImage host(kelvo_test::TestFile("Orbiter.exe"));
    ASSERT_TRUE(host.Valid());
    ASSERT_TRUE(image.Valid());
    const auto imports = image.Imports();
    ASSERT_TRUE(imports.count("ORBITER.EXE"));
    EXPECT_EQ(imports.at("ORBITER.EXE"), host.ExportedNames());
    EXPECT_FALSE(host.Nt()->FileHeader.Characteristics & IMAGE_FILE_DLL);
}

} // namespace
