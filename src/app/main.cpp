// vornix [FILE.fce]: the editor. Opens FILE at start as File > Open would.
#include "app/config.h"
#include "app/main_window.h"
#include "platform/qt/qt_application.h"

#include <filesystem>
#include <string>

namespace {

// The folder of the running program, when it can be found.
std::string programFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

// The model named on the command line: the first argument that is no option.
std::string fileArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!arg.empty() && arg[0] != '-') return std::filesystem::absolute(arg).string();
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    const std::string file = fileArgument(argc, argv);
    return runQtApplication(argc, argv, [&](WindowSystem& ws) {
        StartOptions options;
        std::error_code error;
        options.appDir = locateAppDir(programFolder(), VORNIX_DATA_DIR,
                                      std::filesystem::current_path(error).string());
        options.configPath = defaultConfigPath();
        options.openFile = file;
        int code = -1;
        if (startEditor(ws, options)) code = runEditor();
        shutDownEditor();
        return code;
    });
}
