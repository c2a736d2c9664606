#include "assets/data_tree.h"

#include <array>
#include <functional>
#include <system_error>

#include "assets/bmp_writer.h"
#include "assets/pictures.h"
#include "assets/sounds.h"
#include "assets/text_render.h"
#include "assets/wav_writer.h"
#include "mapfile/map_file.h"

namespace fs = std::filesystem;

namespace {

struct PictureFile {
    const char* path;
    std::function<Image()> paint;
};

// Every fixed picture of both programs' lists; the map previews follow the maps.
const PictureFile kPictures[] = {
    {"data/textures/menu/top.bmp", PaintMenuHeader},
    {"data/textures/menu/pic_frame.bmp", PaintPreviewFrame},
    {"data/textures/menu/single.bmp", PaintOnePlayerPreview},
    {"data/textures/menu/multi.bmp", PaintTwoPlayerPreview},
    {"data/textures/menu/menuitem1_1.bmp", [] { return PaintMenuButton(1, true); }},
    {"data/textures/menu/menuitem1_2.bmp", [] { return PaintMenuButton(1, false); }},
    {"data/textures/menu/menuitem2_1.bmp", [] { return PaintMenuButton(2, true); }},
    {"data/textures/menu/menuitem2_2.bmp", [] { return PaintMenuButton(2, false); }},
    {"data/textures/menu/menuitem3_1.bmp", [] { return PaintMenuButton(3, true); }},
    {"data/textures/menu/menuitem3_2.bmp", [] { return PaintMenuButton(3, false); }},
    {"data/textures/menu/menuitem4_1.bmp", [] { return PaintMenuButton(4, true); }},
    {"data/textures/menu/menuitem4_2.bmp", [] { return PaintMenuButton(4, false); }},
    {"data/textures/menu/menuitem5_1.bmp", [] { return PaintMenuButton(5, true); }},
    {"data/textures/menu/menuitem5_2.bmp", [] { return PaintMenuButton(5, false); }},
    {"data/textures/menu/speed1.bmp", [] { return PaintSpeedPreview(1); }},
    {"data/textures/menu/speed2.bmp", [] { return PaintSpeedPreview(2); }},
    {"data/textures/menu/speed3.bmp", [] { return PaintSpeedPreview(3); }},
    {"data/textures/menu/info.bmp", PaintInfoPanel},
    {"data/textures/menu/loading.bmp", PaintLoadingScreen},
    {"data/textures/ingame/wall.bmp", PaintWallCell},
    {"data/textures/ingame/item.bmp", PaintItemCell},
    {"data/textures/ingame/snake1.bmp", [] { return PaintSnakeCell(1); }},
    {"data/textures/ingame/snake2.bmp", [] { return PaintSnakeCell(2); }},
    {"data/textures/ingame/player1.bmp", [] { return PaintPlayerLabel(1); }},
    {"data/textures/ingame/player2.bmp", [] { return PaintPlayerLabel(2); }},
    {"data/textures/ingame/top.bmp", PaintGamePanelHeader},
    {"data/mapedit/cur_0.bmp", [] { return PaintCursorCell(0); }},
    {"data/mapedit/cur_1.bmp", [] { return PaintCursorCell(1); }},
    {"data/mapedit/cur_2.bmp", [] { return PaintCursorCell(2); }},
    {"data/mapedit/cur_3.bmp", [] { return PaintCursorCell(3); }},
    {"data/mapedit/cur_4.bmp", [] { return PaintCursorCell(4); }},
    {"data/mapedit/empty.bmp", PaintEmptyCell},
    {"data/mapedit/top.bmp", PaintEditorPanelHeader},
};

struct SoundFile {
    const char* path;
    std::vector<float> (*synth)();
};

const SoundFile kSounds[] = {
    {"Data/sounds/menu/menu.wav", SynthMenuClick},
    {"Data/sounds/menu/swoosh.wav", SynthSwoosh},
    {"Data/sounds/menu/buzzer.wav", SynthBuzzer},
    {"Data/sounds/ingame/win.wav", SynthWinJingle},
};

// The preview file of each map slot; the numbering of the game's list.
const std::array<const char*, 5> kMapPreviews{"data/textures/menu/map1.bmp",
                                              "data/textures/menu/map2.bmp",
                                              "data/textures/menu/map3.bmp",
                                              "data/textures/menu/map4.bmp",
                                              "data/textures/menu/map5.bmp"};

const std::array<const char*, 6> kMapNames{"map1", "map2", "map3", "map4", "map5", "mapdefault"};

bool MakeDirectories(const fs::path& root, std::string& error) {
    for (const char* dir : {"data/textures/menu",
                            "data/textures/ingame",
                            "data/mapedit",
                            "Data/sounds/menu",
                            "Data/sounds/ingame",
                            "Data/maps"}) {
        std::error_code ec;
        fs::create_directories(root / dir, ec);
        if (ec) {
            error = "cannot create " + (root / dir).string() + ": " + ec.message();
            return false;
        }
    }
    return true;
}

// Copies each source map that the tree lacks. A name that exists in any form
// (even a broken link) counts as the user's and is left alone.
bool CopyMissingMaps(const fs::path& root, const fs::path& mapSource, std::string& error) {
    for (const char* name : kMapNames) {
        const fs::path target = root / "Data/maps" / name;
        std::error_code ec;
        if (fs::exists(fs::symlink_status(target, ec))) continue;
        const fs::path source = mapSource / name;
        if (!fs::is_regular_file(source, ec)) {
            error = "the map source " + source.string() + " is missing";
            return false;
        }
        // Refuses to replace a file that appeared meanwhile.
        fs::copy_file(source, target, fs::copy_options::none, ec);
        if (ec) {
            error =
                "cannot copy " + source.string() + " to " + target.string() + ": " + ec.message();
            return false;
        }
    }
    return true;
}

bool WriteMapPreviews(const fs::path& root, std::string& error) {
    for (int slot = 1; slot <= 5; ++slot) {
        MapGrid grid{};
        ReadMapFile((root / "Data/maps" / kMapNames[slot - 1]).string().c_str(), grid);
        if (!WriteBmpFile(
                (root / kMapPreviews[slot - 1]).string(), PaintMapPreview(slot, grid), error))
            return false;
    }
    return true;
}

bool WritePictures(const fs::path& root, std::string& error) {
    for (const PictureFile& picture : kPictures)
        if (!WriteBmpFile((root / picture.path).string(), picture.paint(), error)) return false;
    return WriteMapPreviews(root, error);
}

bool WriteSounds(const fs::path& root, std::string& error) {
    for (const SoundFile& sound : kSounds)
        if (!WriteWavFile((root / sound.path).string(), sound.synth(), error)) return false;
    return true;
}

}  // namespace

bool GenerateDataTree(const fs::path& root, const fs::path& mapSource, std::string& error) {
    if (!OpenPictureFont(error)) return false;
    PictureFontScope font;
    return MakeDirectories(root, error) && CopyMissingMaps(root, mapSource, error) &&
           WritePictures(root, error) && WriteSounds(root, error);
}

bool DrawMapPreviews(const fs::path& root, std::string& error) {
    if (!OpenPictureFont(error)) return false;
    PictureFontScope font;
    return WriteMapPreviews(root, error);
}
