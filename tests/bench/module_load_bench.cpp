// What loading the module costs a host: the size of CalculatorKelvo.dll, the mean time of
// LoadLibrary plus InitModule and of ExitModule plus FreeLibrary over many cycles in one
// process, and the heap that each cycle leaves behind. The program is a stand-in host named
// Orbiter.exe, so that the module finds its host functions. Usage: Orbiter.exe [module path];
// default: the module beside the program.
#include "bench_clock.h"
#include "host_core.h"
#include "process_counters.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kCycles = 200;

std::string ModuleBesideProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "CalculatorKelvo.dll";
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : ModuleBesideProgram();
    WIN32_FILE_ATTRIBUTE_DATA file;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file)) {
        std::printf("no module at %s\n", path.c_str());
        return 1;
    }
    // One cycle first, so that the file is in the cache like every later load.
    HMODULE module = host::LoadModule(path);
    if (!module) {
        std::printf("cannot load %s\n", path.c_str());
        return 1;
    }
    host::UnloadModule(module);
    host::CallLog().clear();

    const long long heapBefore = static_cast<long long>(kelvo_test::HeapBytesInUse());
    double loading = 0.0;
    double unloading = 0.0;
    for (int i = 0; i < kCycles; ++i) {
        const double start = Now();
        module = host::LoadModule(path);
        const double loaded = Now();
        host::UnloadModule(module);
        loading += loaded - start;
        unloading += Now() - loaded;
        // The host's record of the module's calls is the host's heap, not the module's.
        host::CallLog().clear();
    }
    std::printf("%s: %lu bytes (%.1f KiB)\n", path.c_str(), file.nFileSizeLow,
                file.nFileSizeLow / 1024.0);
    std::printf("Mean of %d cycles: load + InitModule %.3f ms, ExitModule + unload %.3f ms\n",
                kCycles, loading / kCycles, unloading / kCycles);
    std::printf(
        "Heap in use after the cycles: %+.1f bytes per cycle\n",
        static_cast<double>(static_cast<long long>(kelvo_test::HeapBytesInUse()) - heapBefore) /
            kCycles);
    return 0;
}
