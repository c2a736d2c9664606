// The two programs as the hostile-picture tests see them: each in a file of
// its own, since the game's and the editor's texture names collide.
#pragma once

#include <span>
#include <string>

namespace hostile {

struct Point {
    int x, y;
};

// A program and the picture of its list that the tests replace, with where
// that picture shows on the 640 by 480 screen.
struct ProgramUnderTest {
    std::string path;
    std::string title;
    std::span<const char* const> pictures;
    int replaced;
    Point middle;          // the picture's centre
    Point inYellow;        // inside the yellow rectangle of the 61 by 37 pictures
    Point mirroredYellow;  // where it would be were the picture upside down
};

ProgramUnderTest Game();
ProgramUnderTest Editor();

}  // namespace hostile
