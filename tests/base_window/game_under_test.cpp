#include "game/game_screens.h"
#include "programs_under_test.h"

namespace hostile {

// The game draws its menu header across the top, (0, 3) to (640, 80).
ProgramUnderTest Game() {
    return {TREVLA_GAME,
            "Trevla - SnAkE",
            kGameTextureFiles,
            MenuHeaderTexture,
            {320, 41},
            {131, 25},
            {131, 58}};
}

}  // namespace hostile
