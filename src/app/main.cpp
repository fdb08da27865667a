// vornix [FILE.fce]: the editor. Opens FILE at start as File > Open would.
//
// --help, --version and --data-folder are answered before the window system
// starts, so they work without a display (the manual page is made from them).
#include "app/config.h"
#include "app/main_window.h"
#include "platform/qt/qt_application.h"
#include "vornix_version.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* usage =
    "Usage: vornix [OPTION]... [FILE.fce]\n"
    "Vornix, the editor and viewer for NFS4 FCE car models: opens its window and,\n"
    "when given, the car in FILE.fce.\n"
    "\n"
    "Options:\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the program's version and exit\n"
    "      --data-folder  print the folder the editor reads its help pages,\n"
    "                     help.dat and pictures from, and exit\n";

// The folder of the running program, when it can be found.
std::string programFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

// The data folder: beside the program in the build, in the prefix the
// program is installed in, or the configured one.
std::string dataFolder() {
    const std::string own = programFolder();
    std::vector<std::string> folders{own, VORNIX_DATA_DIR};
    if (!own.empty())
        folders.insert(
            folders.begin() + 1,
            (std::filesystem::path(own) / VORNIX_DATA_FROM_PROGRAM).lexically_normal().string());
    std::error_code error;
    return locateAppDir(folders, std::filesystem::current_path(error).string());
}

// The model named on the command line: the first argument that is no option.
std::string fileArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!arg.empty() && arg[0] != '-') return std::filesystem::absolute(arg).string();
    }
    return {};
}

// Answers an option that needs no window; -1 when there is none.
int answerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::puts("Vornix " VORNIX_VERSION);
            return 0;
        }
        if (arg == "--data-folder") {
            std::puts(dataFolder().c_str());
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (const int code = answerWithoutWindow(argc, argv); code >= 0) return code;
    const std::string file = fileArgument(argc, argv);
    return runQtApplication(argc, argv, [&](WindowSystem& ws) {
        StartOptions options;
        options.appDir = dataFolder();
        options.configPath = defaultConfigPath();
        options.openFile = file;
        int code = -1;
        if (startEditor(ws, options)) code = runEditor();
        shutDownEditor();
        return code;
    });
}
