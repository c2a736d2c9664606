// Modal message boxes without owner window, one MB_ flag set per kind.
#include "base/message.h"

#include "platform/platform.h"

namespace {

UINT BoxType(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return MB_OK | MB_ICONWARNING;
        case MessageKind::Stop: return MB_OK | MB_ICONERROR;
        case MessageKind::Information: return MB_OK | MB_ICONINFORMATION;
        case MessageKind::Question: return MB_YESNO | MB_ICONWARNING;
        case MessageKind::Plain: return MB_OK;
    }
    return MB_OK;
}

}  // namespace

int ShowMessage(const char* text, const char* caption, MessageKind kind) {
    return MessageBoxA(nullptr, text, caption, BoxType(kind));
}
