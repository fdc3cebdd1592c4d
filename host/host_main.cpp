// The stand-in host, Orbiter.exe: loads the modules named on its command line (by default
// the CalculatorKelvo.dll beside it), shows them and their commands in its main window, and
// runs an optional script for tests and demos.
//
//     Orbiter.exe [--script FILE | --run "STEP; STEP; ..."] [--trace] [module.dll ...]
#include "console_output.h"
#include "gallery.h"
#include "host_core.h"
#include "main_window.h"
#include "script.h"

#include <fstream>
#include <iterator>

namespace {

struct Options {
    std::vector<std::string> modules;
    std::string script; // the script's text
    bool hasScript = false;
    bool trace = false;
    bool help = false;
};

// Reads the command line into `options`; what is wrong with it, or empty.
std::string ReadOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--run" || argument == "--script") {
            if (i + 1 >= argc || options.hasScript)
                return argument + " needs one argument, and only one script is run";
            options.hasScript = true;
            options.script = argv[++i];
            if (argument == "--script") {
                std::ifstream file(argv[i], std::ios::binary);
                if (!file)
                    return std::string("cannot read the script ") + argv[i];
                options.script.assign(std::istreambuf_iterator<char>(file), {});
            }
        } else if (argument.rfind("--", 0) == 0) {
            return "unknown option " + argument;
        } else {
            options.modules.push_back(argument);
        }
    }
    if (options.modules.empty()) { // the module beside the host
        char path[MAX_PATH] = "";
        const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
        options.modules.push_back(self.substr(0, self.find_last_of("\\/") + 1) +
                                  "CalculatorKelvo.dll");
    }
    return "";
}

void PrintCallLog() {
    for (const host::HostCall& call : host::CallLog()) {
        std::string line = "call " + call.function + "(";
        for (std::size_t i = 0; i < call.arguments.size(); ++i)
            line += (i ? ", " : "") + std::to_string(call.arguments[i]);
        line += ")";
        if (!call.text.empty())
            line += " " + host::Quoted(call.text);
        host::PrintLine(line);
    }
}

int RunMessageLoop(HWND mainWindow) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The module dialogs, the gallery and the main window get their keyboard navigation.
        if (host::TranslateDialogMessage(&message))
            continue;
        HWND gallery = host::GalleryWindow();
        if (gallery && IsDialogMessageA(gallery, &message))
            continue;
        if (IsWindow(mainWindow) && IsDialogMessageA(mainWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunHost(int showCommand) {
    Options options;
    const std::string optionsError = ReadOptions(__argc, __argv, options);
    if (!optionsError.empty()) {
        host::PrintError(optionsError);
        return 2;
    }
    if (options.help) {
        host::PrintLine("Orbiter.exe [--script FILE | --run \"STEP; STEP; ...\"] [--trace] "
                        "[module.dll ...]");
        host::PrintLine(host::ScriptHelp());
        return 0;
    }
    std::string scriptError;
    std::vector<host::ScriptStep> steps = host::ParseScript(options.script, scriptError);
    if (!scriptError.empty()) {
        host::PrintError("script " + scriptError);
        return 2;
    }

    host::MainWindow mainWindow;
    if (!mainWindow.Create()) {
        host::PrintError("cannot create the main window");
        return 3;
    }
    host::SetDialogOwner(mainWindow.hwnd());
    host::SetBeforeUnloadHandler(host::CloseGalleryOf);
    mainWindow.AddHostCommand({"Control gallery",
                               "Gauges, switches and a property list from the module's controls.",
                               [&mainWindow] { return host::OpenGallery(mainWindow.hwnd()); }});

    bool allLoaded = true;
    for (const std::string& path : options.modules) {
        if (!host::LoadModule(path)) {
            host::PrintError("cannot load the module " + path);
            allLoaded = false;
        }
    }
    mainWindow.Refresh();
    ShowWindow(mainWindow.hwnd(), showCommand);
    UpdateWindow(mainWindow.hwnd());

    if (!steps.empty())
        host::StartScript(mainWindow, std::move(steps));
    int exitCode = RunMessageLoop(mainWindow.hwnd());
    host::UnloadAllModules(); // when the loop ended some other way than Shutdown
    host::SetBeforeUnloadHandler(nullptr);
    if (options.trace)
        PrintCallLog();
    if (!allLoaded && exitCode == 0)
        exitCode = 1;
    return exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    try {
        return RunHost(showCommand);
    } catch (const std::exception& error) {
        host::PrintError(error.what());
    } catch (...) {
        host::PrintError("unexpected failure");
    }
    return 3;
}
