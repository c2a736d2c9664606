#include "editor/save_failure_box.h"

#include <cstring>

#include "base/message.h"
#include "mapfile/map_file.h"

std::string SaveFailureText(const char* path, int error) {
    return std::string("The map was not saved to ") + path + ": " + std::strerror(error) + ".";
}

void SaveMapOrTell() {
    int error = 0;
    if (SaveMap(&error)) return;
    const std::string text = SaveFailureText(MapSlotPath(mapSlot), error);
    ShowMessage(text.c_str(), "ERROR", MessageKind::Warning);
}
