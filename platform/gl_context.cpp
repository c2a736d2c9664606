// Device contexts, the pixel format and GL contexts. A window's GL surface is
// fixed when the window is made (double-buffered RGBA, at least 16 colour and
// 16 depth bits), so there is one pixel format, number 1, on every window that
// has a GL surface; a request is matched against it.
#include "platform/sdl_video.h"

namespace {

constexpr int kOnlyFormat = 1;

// The format a window offers: whatever the screen depth, the surface meets
// the minimums the request names when it is an RGBA window format.
bool FormatMeets(const PIXELFORMATDESCRIPTOR& request) {
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    return (request.dwFlags & needed) == needed && request.iPixelType == PFD_TYPE_RGBA &&
           request.cColorBits <= 32 && request.cDepthBits <= 24 && request.cStencilBits == 0 &&
           request.cAccumBits == 0 && request.cAuxBuffers == 0;
}

// SDL makes a new context current; Windows does not, so put back what was.
void RestoreCurrent() {
    HDC dc = sdlvideo::CurrentDeviceContext();
    PlatformGlContext* context = sdlvideo::FindGlContext(sdlvideo::CurrentGlContext());
    PlatformDeviceContext* record = sdlvideo::FindDeviceContext(dc);
    if (context != nullptr && record != nullptr) {
        SDL_GL_MakeCurrent(record->window->sdl, context->sdl);
    } else {
        SDL_GL_MakeCurrent(nullptr, nullptr);
    }
}

}  // namespace

HDC GetDC(HWND window) {
    PlatformWindow* record = sdlvideo::FindWindow(window);
    return record != nullptr ? &record->dc : nullptr;
}

int ReleaseDC(HWND window, HDC dc) {
    // Every window keeps its own device context: releasing only checks.
    PlatformWindow* record = sdlvideo::FindWindow(window);
    return record != nullptr && &record->dc == dc ? 1 : 0;
}

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request) {
    PlatformDeviceContext* record = sdlvideo::FindDeviceContext(dc);
    if (record == nullptr || request == nullptr || !record->window->hasGl ||
        !FormatMeets(*request)) {
        return 0;
    }
    return kOnlyFormat;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* request) {
    (void)request;
    PlatformDeviceContext* record = sdlvideo::FindDeviceContext(dc);
    if (record == nullptr || format != kOnlyFormat || !record->window->hasGl) {
        return FALSE;
    }
    // A window's format is set once; setting the same one again is harmless.
    if (record->pixelFormat != 0 && record->pixelFormat != format) {
        return FALSE;
    }
    record->pixelFormat = format;
    return TRUE;
}

HGLRC wglCreateContext(HDC dc) {
    PlatformDeviceContext* record = sdlvideo::FindDeviceContext(dc);
    if (record == nullptr || record->pixelFormat == 0) {
        return nullptr;
    }
    sdlvideo::SetSurfaceAttributes();
    SDL_GLContext context = SDL_GL_CreateContext(record->window->sdl);
    RestoreCurrent();
    if (context == nullptr) {
        return nullptr;
    }
    auto* created = new PlatformGlContext;
    created->sdl = context;
    return sdlvideo::AddGlContext(created);
}

BOOL wglMakeCurrent(HDC dc, HGLRC context) {
    if (context == nullptr) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        sdlvideo::SetCurrent(nullptr, nullptr);
        return TRUE;
    }
    PlatformDeviceContext* record = sdlvideo::FindDeviceContext(dc);
    PlatformGlContext* glContext = sdlvideo::FindGlContext(context);
    if (record == nullptr || glContext == nullptr || record->pixelFormat == 0) {
        return FALSE;
    }
    if (SDL_GL_MakeCurrent(record->window->sdl, glContext->sdl) != 0) {
        return FALSE;
    }
    sdlvideo::SetCurrent(dc, context);
    // One frame per refresh where the driver offers it, so a frame does not
    // cost a spinning core; drivers without it simply do not wait.
    SDL_GL_SetSwapInterval(1);
    return TRUE;
}

BOOL wglDeleteContext(HGLRC context) {
    PlatformGlContext* record = sdlvideo::FindGlContext(context);
    if (record == nullptr) {
        return FALSE;
    }
    if (sdlvideo::CurrentGlContext() == context) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
    }
    SDL_GL_DeleteContext(record->sdl);
    sdlvideo::RemoveGlContext(context);
    return TRUE;
}

BOOL SwapBuffers(HDC dc) {
    PlatformDeviceContext* record = sdlvideo::FindDeviceContext(dc);
    // SDL swaps only the window whose context is current.
    if (record == nullptr || record->pixelFormat == 0 ||
        SDL_GL_GetCurrentWindow() != record->window->sdl) {
        return FALSE;
    }
    SDL_GL_SwapWindow(record->window->sdl);
    return TRUE;
}
