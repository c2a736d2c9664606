#include "editor/editor_screen.h"
#include "programs_under_test.h"

namespace hostile {

// The editor draws its panel picture from x 480 (483 at the bottom) to 637,
// y 20 to 70.
ProgramUnderTest Editor() {
    return {TREVLA_EDIT,
            "Trevla_edit - SnAkE",
            kEditorTextureFiles,
            PanelTexture,
            {560, 45},
            {513, 34},
            {513, 56}};
}

}  // namespace hostile
