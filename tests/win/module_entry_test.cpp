// The module as the host and the loader see it: the entry's calls at attach and detach, the
// exports, and the lifetime of what InitModule creates.
#include "host_core.h"
#include "switch_control.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kelvo_test::LoadedModule;

int CountCalls(const char* function) {
    return static_cast<int>(kelvo_test::CallsTo(function).size());
}

TEST(ModuleEntry, TellsTheHostItsInstanceBeforeInitModule) {
    LoadedModule module;
    ASSERT_NE(nullptr, module.instance());
    const auto initLib = kelvo_test::CallsTo("InitLib");
    ASSERT_EQ(1u, initLib.size());
    EXPECT_EQ(reinterpret_cast<long>(module.instance()), initLib[0].arguments[0]);
    // The entry's InitLib is the module's first call; InitModule's registration follows.
    const auto& log = host::CallLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ("InitLib", log[0].function);
    EXPECT_EQ("oapiRegisterCustomCmd", log[1].function);
}

TEST(ModuleEntry, InitModuleRegistersTheCalculatorCommand) {
    LoadedModule module;
    ASSERT_EQ(1u, host::Commands().size());
    const host::CustomCommand& command = host::Commands()[0];
    EXPECT_EQ("Calculator Kelvo", command.label);
    EXPECT_EQ("A basic calculator for in-sim math.", command.description);
    EXPECT_NE(nullptr, command.context);
    EXPECT_EQ(module.instance(), command.owner);
}

TEST(ModuleEntry, ModuleDateIsTheBuildDate) {
    LoadedModule module;
    auto moduleDate = module.Export<const char* (*)()>("ModuleDate");
    ASSERT_NE(nullptr, moduleDate);
    EXPECT_STREQ("Sep 13 2020", moduleDate());
    EXPECT_EQ(moduleDate(), moduleDate()); // the same static text
}

TEST(ModuleEntry, VersionIsAskedOnceAndCached) {
    LoadedModule module;
    auto version = module.Export<int (*)()>("GetModuleVersion");
    ASSERT_NE(nullptr, version);
    const int first = version();
    EXPECT_EQ(host::DateToVersion("Aug 28 2016"), first);
    EXPECT_EQ(first, version());
    EXPECT_EQ(1, CountCalls("Date2Int"));
    for (const host::HostCall& call : host::CallLog()) {
        if (call.function == "Date2Int") {
            EXPECT_EQ("Aug 28 2016", call.text);
        }
    }
}

TEST(ModuleEntry, AZeroVersionIsAskedAgain) {
    int answers = 0;
    host::HostOverrides().date2Int = [&answers](const char*) { return answers++ < 2 ? 0 : 77; };
    LoadedModule module;
    auto version = module.Export<int (*)()>("GetModuleVersion");
    ASSERT_NE(nullptr, version);
    EXPECT_EQ(0, version());
    EXPECT_EQ(0, version());
    EXPECT_EQ(77, version());
    EXPECT_EQ(77, version());
    EXPECT_EQ(3, CountCalls("Date2Int"));
    host::HostOverrides().date2Int = nullptr;
}

TEST(ModuleEntry, ExitModuleTwiceOnlyUnregistersAgain) {
    LoadedModule module;
    auto exitModule = module.Export<void (*)(HINSTANCE)>("ExitModule");
    ASSERT_NE(nullptr, exitModule);
    exitModule(module.instance());
    WNDCLASSA info;
    EXPECT_FALSE(GetClassInfoA(module.instance(), SwitchClassName, &info));
    // The calculator is gone; a second call (here, and the entry's at detach) frees nothing.
    const size_t callsBefore = host::CallLog().size();
    exitModule(module.instance());
    EXPECT_EQ(callsBefore, host::CallLog().size());
}

TEST(ModuleEntry, OlderExitNameIsCalledAtDetach) {
    SetEnvironmentVariableA("KELVO_EXIT_PROBE", nullptr);
    host::CallLog().clear();
    HMODULE probe = LoadLibraryA(kelvo_test::TestFile("exit_probe_opc.dll").c_str());
    ASSERT_NE(nullptr, probe);
    const auto initLib = kelvo_test::CallsTo("InitLib");
    ASSERT_EQ(1u, initLib.size());
    EXPECT_EQ(reinterpret_cast<long>(probe), initLib[0].arguments[0]);
    char mark[32] = "";
    EXPECT_EQ(0u, GetEnvironmentVariableA("KELVO_EXIT_PROBE", mark, sizeof mark));
    FreeLibrary(probe);
    ASSERT_GT(GetEnvironmentVariableA("KELVO_EXIT_PROBE", mark, sizeof mark), 0u);
    EXPECT_STREQ("opcDLLExit", mark);
}

TEST(ModuleEntry, WithoutAnExitExportDetachDoesNothing) {
    SetEnvironmentVariableA("KELVO_EXIT_PROBE", nullptr);
    host::CallLog().clear();
    HMODULE probe = LoadLibraryA(kelvo_test::TestFile("exit_probe_none.dll").c_str());
    ASSERT_NE(nullptr, probe);
    EXPECT_EQ(nullptr, GetProcAddress(probe, "opcDLLExit"));
    EXPECT_EQ(nullptr, GetProcAddress(probe, "ExitModule"));
    EXPECT_EQ(1u, kelvo_test::CallsTo("InitLib").size());
    EXPECT_TRUE(FreeLibrary(probe));
    char mark[32] = "";
    EXPECT_EQ(0u, GetEnvironmentVariableA("KELVO_EXIT_PROBE", mark, sizeof mark));
}

} // namespace
