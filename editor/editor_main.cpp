#include "editor/editor_main.h"

#include "base/gl_state.h"
#include "base/gl_window.h"
#include "editor/editor_loop.h"
#include "editor/editor_screen.h"
#include "editor/editor_state.h"
#include "mapfile/map_file.h"

namespace {

constexpr const char* kEditorTitle = "Trevla_edit - SnAkE";

}  // namespace

int EditorMain() {
    quitRequested = false;
    // The default map is in the grid before any window exists.
    mapSlot = kDefaultMapSlot;
    LoadMap();
    UseTextureList(kEditorTextureFiles);
    // The editor opens in a window; F1 switches.
    if (!OpenGlWindow(kEditorTitle, 640, 480, 16, false)) {
        return 0;
    }
    if (!RunEditorLoop()) {
        // The failed F1 switch has reported and cleaned up already.
        return 0;
    }
    DeleteFontLists();
    CloseGlWindow();
    return 0;
}
