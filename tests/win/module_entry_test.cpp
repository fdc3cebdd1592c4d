// The module as the host and the loader see it: the entry's calls at attach and detach, the
// exports, and the lifetime of what InitModule creates.
#include "host_core.h"
#include "switch_control.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kelvo_test::LoadedModule;

// The entry tells the host the instance first; InitModule then registers the one command, with
// the calculator as its context (its label and description: the host's listing script).
TEST(ModuleEntry, TellsTheHostItsInstanceThenRegistersTheCommand) {
    LoadedModule module;
    ASSERT_NE(nullptr, module.instance());
    const auto& log = host::CallLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ("InitLib", log[0].function);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(module.instance()), log[0].arguments[0]);
    EXPECT_EQ("oapiRegisterCustomCmd", log[1].function);
    ASSERT_EQ(1u, host::Commands().size());
    EXPECT_NE(nullptr, host::Commands()[0].context);
    EXPECT_EQ(module.instance(), host::Commands()[0].owner);
}

TEST(ModuleEntry, ModuleDateIsTheBuildDate) {
    LoadedModule module;
    auto moduleDate = module.Export<const char* (*)()>("ModuleDate");
    ASSERT_NE(nullptr, moduleDate);
    EXPECT_STREQ("Sep 13 2020", moduleDate());
    EXPECT_EQ(moduleDate(), moduleDate()); // the same static text
}

// The version is asked of the host once it answers with a number other than 0, then kept.
TEST(ModuleEntry, VersionIsAskedUntilKnownThenCached) {
    int answers = 0;
    host::HostOverrides().date2Int = [&answers](const char* date) {
        return answers++ < 2 ? 0 : host::DateToVersion(date);
    };
    LoadedModule module;
    auto version = module.Export<int (*)()>("GetModuleVersion");
    ASSERT_NE(nullptr, version);
    const int known = host::DateToVersion("Aug 28 2016");
    for (const int expected : {0, 0, known, known})
        EXPECT_EQ(expected, version());
    host::HostOverrides().date2Int = nullptr;
    const auto calls = kelvo_test::CallsTo("Date2Int");
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ("Aug 28 2016", calls[0].text);
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

// Two test modules share the real entry: one exports "opcDLLExit" instead of "ExitModule" and
// gets it called at detach; one exports neither, and detach calls nothing.
TEST(ModuleEntry, DetachCallsTheOlderExitNameOrNothing) {
    const struct {
        const char *file, *called;
    } probes[] = {{"exit_probe_opc.dll", "opcDLLExit"}, {"exit_probe_none.dll", ""}};
    for (const auto& probe : probes) {
        SCOPED_TRACE(probe.file);
        SetEnvironmentVariableA("KELVO_EXIT_PROBE", nullptr);
        host::CallLog().clear();
        HMODULE module = LoadLibraryA(kelvo_test::TestFile(probe.file).c_str());
        ASSERT_NE(nullptr, module);
        const auto initLib = kelvo_test::CallsTo("InitLib");
        ASSERT_EQ(1u, initLib.size());
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(module), initLib[0].arguments[0]);
        char mark[32] = "";
        EXPECT_EQ(0u, GetEnvironmentVariableA("KELVO_EXIT_PROBE", mark, sizeof mark));
        EXPECT_TRUE(FreeLibrary(module));
        GetEnvironmentVariableA("KELVO_EXIT_PROBE", mark, sizeof mark);
        EXPECT_STREQ(probe.called, mark);
    }
}

} // namespace
