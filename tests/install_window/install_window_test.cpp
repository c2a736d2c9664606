// The installed game as a player meets it: the build installed into a
// temporary prefix, the launchers started from an unrelated folder with a
// data home of the test's own. The game shows the maps that the editor saved
// there, a player's maps outlive an upgrade while the pictures follow it, and
// a data home that cannot be written stops the start with a message and
// leaves everything as it was.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "mapfile/map_file.h"
#include "staged_dir.h"
#include "xkit.h"

namespace {

namespace fs = std::filesystem;
using xkit::Is;
using xkit::Millis;
using xkit::Program;
using xkit::Rgb;
using xkit::Screenshot;
using xkit::TempDir;
using xkit::WaitFor;
using xkit::XServer;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
const std::string kGameTitle = "Trevla - SnAkE";
const std::string kEditorTitle = "Trevla_edit - SnAkE";
const char* const kMapNames[] = {"map1", "map2", "map3", "map4", "map5", "mapdefault"};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

MapGrid ReadGrid(const fs::path& path) {
    MapGrid grid;
    for (auto& row : grid.cells) row.fill(-1);
    ReadMapFile(path.c_str(), grid);
    return grid;
}

// A walled map with one more wall across row `row`, so each is told apart.
MapGrid BarredMap(int row) {
    MapGrid grid = xkit::WalledMap();
    for (int x = 1; x < 40; ++x) grid.at(x, row) = Wall;
    return grid;
}

// Every entry under root by relative path: a file's bytes, a link's target,
// "dir" for a folder.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    if (!fs::exists(root)) return entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_symlink())
            entries[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            entries[name] = "dir";
        else
            entries[name] = ReadBytes(entry.path());
    }
    return entries;
}

// A temporary folder that an unprivileged user can enter, for the tests
// that run the launcher as one.
struct OpenDir : TempDir {
    explicit OpenDir(const std::string& prefix) : TempDir(prefix) {
        if (!Path().empty()) chmod(Path().c_str(), 0755);
    }
};

// The build installed with cmake --install into a prefix of its own.
struct Installation {
    OpenDir prefix{"trevla-prefix"};

    bool Install() {
        if (prefix.Path().empty()) return false;
        Program install(CMAKE_COMMAND,
                        {"--install", TREVLA_BUILD_DIR, "--prefix", prefix.Path().string()},
                        "/");
        const auto code = install.WaitExit(Millis(120000));
        if (code != 0) ADD_FAILURE() << "cmake --install: " << xkit::Tail(install.Lines());
        return code == 0;
    }
    fs::path Launcher(const std::string& name) const {
        return prefix.Path() / TREVLA_GAMES_DIR / name;
    }
    fs::path Share() const { return prefix.Path() / TREVLA_DATA_DIR; }
};

// One user: a home and a data home of their own.
struct Player {
    OpenDir home{"trevla-home"};

    fs::path DataHome() const { return home.Path() / "data-home"; }
    fs::path Tree() const { return DataHome() / "trevla"; }
    std::vector<std::string> Env() const {
        return {"HOME=" + home.Path().string(), "XDG_DATA_HOME=" + DataHome().string()};
    }
};

struct Ended {
    std::optional<int> code;
    std::vector<std::string> lines;  // standard output and error

    bool Says(const std::string& text) const {
        for (const std::string& line : lines)
            if (line.find(text) != std::string::npos) return true;
        return false;
    }
};

// Runs a launcher without a display, standard error with the output: the
// program then ends at once ("Failed To Register The Window Class."), after
// the launcher has done its work. Unprivileged runs it as user nobody when
// the test runs as root, whom no permission bits stop.
Ended RunWithoutDisplay(const fs::path& launcher,
                        const Player& player,
                        const fs::path& workDir,
                        bool unprivileged = false) {
    std::vector<std::string> args{"-c", "exec \"$@\" 2>&1", "sh"};
    if (unprivileged && geteuid() == 0)
        args.insert(args.end(),
                    {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"});
    args.push_back(launcher.string());
    Program run("/bin/sh", args, workDir.string(), player.Env());
    Ended ended;
    ended.code = run.WaitExit(Millis(60000));
    ended.lines = run.Lines();
    return ended;
}

constexpr const char* kNoWindow = "Failed To Register The Window Class.";

bool SamePicture(const Screenshot& a, const Screenshot& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        if (!xkit::Near(a.pixels[i], b.pixels[i])) return false;
    return true;
}

// The map area of the menu's preview picture (256 by 256, drawn at 340,140
// to 516,316): inside the frame around the map, below the title.
Screenshot MapArea(const Screenshot& shot) { return xkit::Crop(shot, 362, 176, 132, 132); }

// Holds the key until the region shows a change, then lets it up for a few
// frames, as the menu reads its keys once a frame.
std::optional<Screenshot> PressUntilChanged(
    XServer& x, XKeySym key, int left, int top, int width, int height) {
    const Screenshot before = xkit::Crop(x.Grab(), left, top, width, height);
    x.PressKey(key);
    auto shot = WaitFor(x, [&](const Screenshot& s) {
        return !SamePicture(xkit::Crop(s, left, top, width, height), before);
    });
    x.ReleaseKey(key);
    std::this_thread::sleep_for(Millis(300));
    return shot;
}

// The map areas of the menu's previews of maps 1 and 2, reached with the
// keys: Down twice to the map item (its button changes), Right to map 2 (the
// preview changes).
struct MapPreviews {
    Screenshot map1;
    Screenshot map2;
};

std::optional<MapPreviews> ReadMapPreviews(XServer& x) {
    const XWindowId window = x.FindWindow(kGameTitle, Millis(30000));
    if (window == 0) return std::nullopt;
    x.Focus(window);
    // The menu: its header and its first button are drawn.
    if (!WaitFor(x, [](const Screenshot& s) {
            return !Is(s, 320, 40, kBlack) && !Is(s, 130, 145, kBlack);
        }))
        return std::nullopt;
    if (!PressUntilChanged(x, XK_Down, 30, 190, 200, 50)) return std::nullopt;
    auto map1 = PressUntilChanged(x, XK_Down, 30, 260, 200, 50);
    if (!map1) return std::nullopt;
    auto map2 = PressUntilChanged(x, XK_Right, 340, 140, 176, 176);
    if (!map2) return std::nullopt;
    return MapPreviews{MapArea(*map1), MapArea(*map2)};
}

// Whether the load or save prompt shows: its last line, on the black below
// the editor's panel picture.
bool PromptShows(const Screenshot& s) {
    return !xkit::ExtentOf(s, kWhite, 481, 362, 640, 384).Empty();
}

// Holds an editor key until the prompt shows or goes, then lets it up: the
// editor reads its key table once a frame, and a busy machine's frames are
// slow. Auto-repeat is off, so a held digit acts once.
bool PressUntilPrompt(XServer& x, XKeySym key, bool shows) {
    x.PressKey(key);
    const bool seen =
        WaitFor(x, [shows](const Screenshot& s) { return PromptShows(s) == shows; }).has_value();
    x.ReleaseKey(key);
    std::this_thread::sleep_for(Millis(200));
    return seen;
}

// Loads map `from` and saves it as map `to` with the editor's keys.
bool CopyMapInEditor(XServer& x, XKeySym from, XKeySym to) {
    const XWindowId window = x.FindWindow(kEditorTitle, Millis(30000));
    if (window == 0) return false;
    x.Focus(window);
    x.SetAutoRepeat(false);
    for (auto [command, digit] : {std::pair{XK_l, from}, std::pair{XK_s, to}}) {
        if (!PressUntilPrompt(x, command, true)) return false;
        if (!PressUntilPrompt(x, digit, false)) return false;
    }
    return true;
}

TEST(InstalledGame, TheGameShowsTheMapThatTheEditorSavedAndKeepsIt) {
    Installation installed;
    ASSERT_TRUE(installed.Install());
    Player player;
    TempDir elsewhere("trevla-elsewhere");
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    const fs::path game = installed.Launcher("trevla");
    const std::string shippedMap2 = ReadBytes(installed.Share() / "Data/maps/map2");

    // First start: the shipped maps, two different layouts.
    std::optional<MapPreviews> shipped;
    {
        Program start(x, game.string(), {}, elsewhere.Path().string(), player.Env());
        shipped = ReadMapPreviews(x);
        ASSERT_TRUE(shipped) << xkit::Tail(start.Lines());
        EXPECT_FALSE(SamePicture(shipped->map1, shipped->map2));
        x.RequestClose(x.FindWindow(kGameTitle));
        EXPECT_EQ(start.WaitExit(Millis(15000)), 0);
    }

    // The editor copies map 1 to map 2 in the player's folder.
    {
        Program editor(x,
                       installed.Launcher("trevla-edit").string(),
                       {},
                       elsewhere.Path().string(),
                       player.Env());
        ASSERT_TRUE(CopyMapInEditor(x, XK_1, XK_2)) << xkit::Tail(editor.Lines());
        x.PressKey(XK_Escape);
        EXPECT_EQ(editor.WaitExit(Millis(15000)), 0);
        x.ReleaseKey(XK_Escape);
    }
    EXPECT_EQ(ReadGrid(player.Tree() / "Data/maps/map2").cells,
              ReadGrid(installed.Share() / "Data/maps/map1").cells);
    EXPECT_EQ(ReadBytes(installed.Share() / "Data/maps/map2"), shippedMap2)
        << "the installed map is not the one saved";

    // Second and third start: map 2 shows map 1's layout. SIGTERM reaches
    // the game itself, which closes as from its window (exit code 0): the
    // launcher has handed over its process.
    for (int start = 2; start <= 3; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        Program again(x, game.string(), {}, elsewhere.Path().string(), player.Env());
        auto edited = ReadMapPreviews(x);
        ASSERT_TRUE(edited) << xkit::Tail(again.Lines());
        EXPECT_TRUE(SamePicture(edited->map2, edited->map1));
        EXPECT_FALSE(SamePicture(edited->map2, shipped->map2));
        EXPECT_TRUE(SamePicture(edited->map1, shipped->map1));
        again.Signal(SIGTERM);
        EXPECT_EQ(again.WaitExit(Millis(15000)), 0);
    }
}

TEST(InstalledGame, APlayersMapsOutliveAnUpgradeWhileThePicturesFollowIt) {
    Installation installed;
    ASSERT_TRUE(installed.Install());
    Player player;
    TempDir elsewhere("trevla-elsewhere");
    const fs::path share = installed.Share();
    const fs::path tree = player.Tree();

    Ended first = RunWithoutDisplay(installed.Launcher("trevla"), player, elsewhere.Path());
    ASSERT_EQ(first.code, 0) << xkit::Tail(first.lines);
    ASSERT_TRUE(first.Says(kNoWindow)) << xkit::Tail(first.lines);
    for (const char* name : kMapNames)
        EXPECT_EQ(ReadBytes(tree / "Data/maps" / name), ReadBytes(share / "Data/maps" / name))
            << name;

    // The player's own: map 3 drawn, map 4 deleted, a wall picture painted.
    WriteMapFile((tree / "Data/maps/map3").c_str(), BarredMap(30));
    const std::string playersMap3 = ReadBytes(tree / "Data/maps/map3");
    fs::remove(tree / "Data/maps/map4");
    fs::remove(tree / "data/textures/ingame/wall.bmp");
    WriteBytes(tree / "data/textures/ingame/wall.bmp", "the player's own wall");
    const std::string firstMap1 = ReadBytes(tree / "Data/maps/map1");

    // An upgrade ships other maps, another menu header, drops the loading
    // picture and brings a new one.
    for (int i = 0; i < 6; ++i)
        WriteMapFile((share / "Data/maps" / kMapNames[i]).c_str(), BarredMap(10 + i));
    WriteBytes(share / "data/textures/menu/top.bmp", "the new header");
    fs::remove(share / "data/textures/menu/loading.bmp");
    WriteBytes(share / "data/textures/menu/new.bmp", "a new picture");

    Ended upgraded = RunWithoutDisplay(installed.Launcher("trevla-edit"), player, elsewhere.Path());
    ASSERT_EQ(upgraded.code, 0) << xkit::Tail(upgraded.lines);
    EXPECT_EQ(ReadBytes(tree / "Data/maps/map3"), playersMap3);
    EXPECT_EQ(ReadBytes(tree / "Data/maps/map1"), firstMap1) << "the player's copy stays";
    EXPECT_EQ(ReadBytes(tree / "Data/maps/map4"), ReadBytes(share / "Data/maps/map4"))
        << "a missing map comes from the installation";
    EXPECT_EQ(ReadBytes(tree / "data/textures/ingame/wall.bmp"), "the player's own wall");
    EXPECT_EQ(ReadBytes(tree / "data/textures/menu/top.bmp"), "the new header");
    EXPECT_EQ(ReadBytes(tree / "data/textures/menu/new.bmp"), "a new picture");
    EXPECT_FALSE(fs::exists(fs::symlink_status(tree / "data/textures/menu/loading.bmp")));
    EXPECT_EQ(ReadBytes(tree / "Data/sounds/menu/menu.wav"),
              ReadBytes(share / "Data/sounds/menu/menu.wav"));

    // A second player gets the upgrade's maps and the previews drawn from
    // them; the first player's previews follow the first player's maps.
    Player other;
    Ended second = RunWithoutDisplay(installed.Launcher("trevla"), other, elsewhere.Path());
    ASSERT_EQ(second.code, 0) << xkit::Tail(second.lines);
    for (const char* name : kMapNames)
        EXPECT_EQ(ReadBytes(other.Tree() / "Data/maps" / name),
                  ReadBytes(share / "Data/maps" / name))
            << name;
    const auto preview = [](const Player& p, int slot) {
        return ReadBytes(p.Tree() / ("data/textures/menu/map" + std::to_string(slot) + ".bmp"));
    };
    EXPECT_EQ(preview(player, 4), preview(other, 4));
    EXPECT_NE(preview(player, 3), preview(other, 3));
    EXPECT_NE(preview(player, 1), preview(other, 1));

    // Nothing left over from the work in either data home: no first-start
    // folder, no half-copied map, no half-written preview.
    for (const Player* p : {&player, &other}) {
        std::vector<std::string> top;
        for (const auto& entry : fs::directory_iterator(p->DataHome()))
            top.push_back(entry.path().filename().string());
        EXPECT_EQ(top, std::vector<std::string>{"trevla"});
        for (const auto& [name, content] : Snapshot(p->Tree())) {
            EXPECT_EQ(name.find(".part"), std::string::npos) << name;
            EXPECT_EQ(name.find(".new"), std::string::npos) << name;
        }
    }
}

// A data home that cannot be written: the start says why and names the
// folder, ends with exit code 1 without starting the program, and leaves
// the data home exactly as it was.
TEST(InstalledGame, AnUnwritableDataHomeStopsTheStartAndChangesNothing) {
    Installation installed;
    ASSERT_TRUE(installed.Install());
    TempDir elsewhere("trevla-elsewhere");
    chmod(elsewhere.Path().c_str(), 0755);
    struct Case {
        const char* name;
        bool madeBefore;  // a start has made the player's folder already
    };
    for (const Case& c : {Case{"no folder yet", false}, Case{"a folder made before", true}}) {
        SCOPED_TRACE(c.name);
        Player player;
        if (c.madeBefore) {
            Ended made = RunWithoutDisplay(installed.Launcher("trevla"), player, elsewhere.Path());
            ASSERT_EQ(made.code, 0) << xkit::Tail(made.lines);
        } else {
            fs::create_directories(player.DataHome());
        }
        // Read-only for its owner; for the user nobody when the test is root.
        std::vector<fs::path> dirs{player.DataHome()};
        for (const auto& entry : fs::recursive_directory_iterator(player.DataHome()))
            if (entry.is_directory() && !entry.is_symlink()) dirs.push_back(entry.path());
        for (const fs::path& dir : dirs) chmod(dir.c_str(), 0555);
        const auto before = Snapshot(player.DataHome());

        for (const char* launcher : {"trevla", "trevla-edit"}) {
            SCOPED_TRACE(launcher);
            Ended refused =
                RunWithoutDisplay(installed.Launcher(launcher), player, elsewhere.Path(), true);
            EXPECT_EQ(refused.code, 1);
            EXPECT_TRUE(
                refused.Says(std::string(launcher) + ": cannot set up " + player.Tree().string()))
                << xkit::Tail(refused.lines);
            EXPECT_FALSE(refused.Says(kNoWindow)) << "the program started";
            EXPECT_TRUE(Snapshot(player.DataHome()) == before);
        }
        for (const fs::path& dir : dirs) chmod(dir.c_str(), 0755);
    }
}

}  // namespace
