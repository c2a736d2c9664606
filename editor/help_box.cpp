#include "editor/help_box.h"

#include "base/message.h"

const char* const kHelpText =
    "Trevla_edit (ZBQ) V1.0\r\n"
    "Trevla project - bugs and ideas welcome\r\n"
    "\nKEY : FUNCTION\r\n"
    "\nSPACE   switch between wall/item/empty\r\n"
    "1            set start point for 1st player\r\n"
    "2            set startpoint for 2nd player\r\n"
    "(Please only set one point for one player)\r\n"
    "N       new map\r\n"
    "L        load map\r\n"
    "S       save map\r\n"
    "F1      change to fullscreen\r\n"
    "ESC   quit";

void ShowHelpBox() { ShowMessage(kHelpText, "Help", MessageKind::Plain); }
