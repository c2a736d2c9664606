// What every new GL context gets before anything is drawn: the program's
// textures, the font lists and the fixed drawing state.
#include "base/gl_state.h"

#include "base/message.h"

bool InitGlState() {
    const std::span<const char* const> files = UsedTextureList();
    if (files.size() > TextureTable.size() || !LoadTextureTable(files, TextureTable.data())) {
        ShowMessage("Loading Textures failed.", "ERROR", MessageKind::Warning);
        return false;
    }
    CreateFontLists();

    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    return true;
}
