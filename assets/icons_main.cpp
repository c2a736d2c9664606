// trevla_icons DIRECTORY: writes the desktop's icons of both programs into
// DIRECTORY as the hicolor theme lays them out (NxN/apps/NAME.png).
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "assets/icons.h"

namespace fs = std::filesystem;

namespace {

// The sizes desktops ask for, from menus and panels to large launchers.
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool WriteIcons(const fs::path& root, std::string& error) {
    for (int size : kSizes) {
        const fs::path dir = root / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::error_code ec;
        fs::create_directories(dir, ec);
        if (ec) {
            error = "cannot create " + dir.string() + ": " + ec.message();
            return false;
        }
        if (!WritePngFile((dir / "trevla.png").string(), PaintGameIcon(size), error) ||
            !WritePngFile((dir / "trevla-edit.png").string(), PaintEditorIcon(size), error))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ICON-DIRECTORY\n", argv[0]);
        return 2;
    }
    std::string error;
    if (WriteIcons(argv[1], error)) return 0;
    std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
    return 1;
}
