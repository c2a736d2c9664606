// Map saves that fail or are cut short leave the old map byte for byte, and a
// failed one leaves no temporary file; what a map path names (a link, a file
// with its own permissions) stays what it was.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "mapfile/atomic_file.h"
#include "mapfile/map_file.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using AtomicSaveTest = InTempDir;

// The names in a directory, hidden ones included, sorted.
std::vector<std::string> Entries(const fs::path& dir = ".") {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The step the hooks below act at, and the errno value a failing step gives.
int hookStep = 0;
int hookError = 0;

int FailAtStep(int step) { return step == hookStep ? hookError : 0; }

int KillAtStep(int step) {
    if (step == hookStep) raise(SIGKILL);
    return 0;
}

// Steps of a map save: writes 1 to 60 (one per line), 61 the flush to disk,
// 62 the rename.
TEST_F(AtomicSaveTest, AFailingStepLeavesTheOldMapAndNoTemporaryFile) {
    struct Case {
        const char* name;
        int step;
        int error;
    };
    const Case cases[] = {
        {"first write", 1, EIO},
        {"30th write", 30, ENOSPC},
        {"last write", 60, EDQUOT},
        {"flush to disk", 61, EIO},
        {"rename", 62, EBUSY},
    };
    for (bool oldMap : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (oldMap ? ", over an old map" : ", a new map"));
            fs::remove("map");
            if (oldMap) {
                ASSERT_TRUE(WriteMapFile("map", PatternGrid(1)));
            }
            const std::string before = oldMap ? ReadText("map") : "";
            hookStep = c.step;
            hookError = c.error;
            atomicWriteFault = FailAtStep;
            int error = 0;
            EXPECT_FALSE(WriteMapFile("map", PatternGrid(2), &error));
            atomicWriteFault = nullptr;
            EXPECT_EQ(error, c.error);
            EXPECT_EQ(fs::exists("map"), oldMap);
            EXPECT_EQ(ReadText("map"), before);
            EXPECT_EQ(Entries(),
                      oldMap ? std::vector<std::string>{"map"} : std::vector<std::string>{});
        }
    }
    // Without a fault the same save goes through.
    ASSERT_TRUE(WriteMapFile("map", PatternGrid(2)));
    ASSERT_TRUE(WriteMapFile("expected", PatternGrid(2)));
    EXPECT_EQ(ReadText("map"), ReadText("expected"));
}

TEST_F(AtomicSaveTest, ASaveKilledAtAnyStepLeavesTheOldMap) {
    ASSERT_TRUE(WriteMapFile("map", PatternGrid(1)));
    const std::string before = ReadText("map");
    for (int step : {1, 2, 30, 59, 60, 61, 62}) {
        SCOPED_TRACE("killed at step " + std::to_string(step));
        const int status = RunInChild([step] {
            hookStep = step;
            atomicWriteFault = KillAtStep;
            WriteMapFile("map", PatternGrid(2));
            return 0;
        });
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_EQ(ReadText("map"), before);
        MapGrid back;
        ReadMapFile("map", back);
        EXPECT_EQ(back.cells, PatternGrid(1).cells);
        // A killed process cannot remove its hidden temporary file; nothing
        // reads it, and it goes here so that the next round starts clean.
        for (const std::string& name : Entries()) {
            if (name != "map") {
                EXPECT_TRUE(name.starts_with(".map.")) << name;
                fs::remove(name);
            }
        }
    }
}

// The limit lies below the size of a map (7,320 bytes): the writes run into
// it and fail with EFBIG, since the child ignores SIGXFSZ.
TEST_F(AtomicSaveTest, AFileSizeLimitLeavesTheOldMap) {
    for (bool oldMap : {true, false}) {
        SCOPED_TRACE(oldMap ? "over an old map" : "a new map");
        fs::remove("map");
        if (oldMap) {
            ASSERT_TRUE(WriteMapFile("map", PatternGrid(1)));
        }
        const std::string before = oldMap ? ReadText("map") : "";
        const int status = RunInChild([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 100;
            int error = 0;
            return WriteMapFile("map", PatternGrid(2), &error) ? 0 : error;
        });
        EXPECT_EQ(ExitCode(status), EFBIG);
        EXPECT_EQ(ReadText("map"), before);
        EXPECT_EQ(Entries(), oldMap ? std::vector<std::string>{"map"} : std::vector<std::string>{});
    }
}

// A save goes to the file the path names in the end, and the path stays a
// link; the file keeps its permissions.
TEST_F(AtomicSaveTest, LinksAreWrittenThroughAndPermissionsKept) {
    const mode_t previousMask = umask(022);
    fs::create_directories("real");
    fs::create_directories("sub");
    ASSERT_TRUE(WriteMapFile("real/map1", PatternGrid(1)));
    ASSERT_TRUE(WriteMapFile("real/map3", PatternGrid(1)));
    ASSERT_TRUE(WriteMapFile("private", PatternGrid(1)));
    chmod("private", 0600);
    ASSERT_TRUE(WriteMapFile("shared", PatternGrid(1)));
    chmod("shared", 0664);
    fs::create_symlink("real/map1", "link");
    fs::create_symlink("real/map2", "dangling");
    fs::create_symlink("../real/map3", "sub/relative");
    fs::create_symlink("sub/relative", "chain");
    ASSERT_TRUE(WriteMapFile("expected", PatternGrid(2)));
    const std::string expected = ReadText("expected");

    struct Case {
        const char* saved;    // the path saved to
        const char* written;  // the file that gets the bytes
        mode_t mode;
    };
    const Case cases[] = {
        {"link", "real/map1", 0644},
        {"dangling", "real/map2", 0644},  // made, as opening it would have
        {"sub/relative", "real/map3", 0644},
        {"chain", "real/map3", 0644},
        {"private", "private", 0600},
        {"shared", "shared", 0664},
        {"new", "new", 0644},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved);
        int error = 0;
        ASSERT_TRUE(WriteMapFile(c.saved, PatternGrid(2), &error)) << std::strerror(error);
        EXPECT_EQ(ReadText(c.written), expected);
        EXPECT_EQ(fs::is_symlink(c.saved), std::string(c.saved) != c.written);
        EXPECT_EQ(fs::status(c.written).permissions(), static_cast<fs::perms>(c.mode));
    }
    EXPECT_EQ(Entries("real"), (std::vector<std::string>{"map1", "map2", "map3"}));
    umask(previousMask);
}

// Neither a directory nor a device is replaced by a map.
TEST_F(AtomicSaveTest, OnlyRegularFilesAreReplaced) {
    fs::create_directories("folder");
    fs::create_symlink("/dev/null", "device");
    ASSERT_EQ(mkfifo("pipe", 0644), 0);
    struct Case {
        const char* path;
        int error;
    };
    const Case cases[] = {{"folder", EISDIR}, {"device", EINVAL}, {"pipe", ENXIO}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        int error = 0;
        EXPECT_FALSE(WriteMapFile(c.path, PatternGrid(), &error));
        EXPECT_EQ(error, c.error);
    }
    EXPECT_TRUE(fs::is_directory("folder"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"device", "folder", "pipe"}));
}

}  // namespace
