// The fake's OpenGL 1.1: the functions the programs call, defined with the C
// linkage of <GL/gl.h>. It keeps the state the programs set, counts texture
// names and display lists, and records each frame's quads and texts.
#include <GL/gl.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/fake/fake_platform.h"
#include "tests/fake/fake_state.h"

namespace fake {
namespace {

struct Attrib {
    GLbitfield mask;
    GLuint listBase;
    std::set<GLenum> enabled;
    std::array<float, 4> color;
};

struct Gl {
    std::set<GLenum> enabled{GL_DITHER};
    GLenum depthFunc = GL_LESS;
    GLenum shadeModel = GL_SMOOTH;
    std::array<float, 4> clearColor{0, 0, 0, 0};
    double clearDepth = 1.0;
    std::array<int, 4> viewport{0, 0, 0, 0};
    std::array<double, 6> ortho{0, 0, 0, 0, 0, 0};
    GLenum matrixMode = GL_MODELVIEW;
    GLint unpackAlignment = 4;
    GLuint listBase = 0;
    GLuint boundTexture = 0;
    std::map<GLenum, GLenum> hints;
    std::array<float, 4> color{1, 1, 1, 1};
    std::vector<Attrib> attribStack;

    GLint maxTextureSize = 2048;
    GLenum error = GL_NO_ERROR;
    int failingUploads = 0;
    GLenum uploadError = GL_NO_ERROR;

    std::set<GLuint> textures;
    GLuint nextTexture = 1;
    int texturesGenerated = 0;
    std::vector<Upload> uploads;

    std::set<GLuint> lists;
    GLuint nextList = 1;
    std::map<GLuint, char> glyphs;

    Frame current;
    Frame last;
    std::vector<std::string> log;

    bool inBegin = false;
    GLenum beginMode = 0;
    Quad pending{};
    int pendingVertices = 0;
    float s = 0, t = 0;

    double rasterX = 0, rasterY = 0;
    int openText = -1;  // index in current.texts that glyphs append to, or -1
};

Gl& G() {
    static Gl gl;
    return gl;
}

std::string EnumName(GLenum e) {
    switch (e) {
        case GL_TEXTURE_2D: return "GL_TEXTURE_2D";
        case GL_DEPTH_TEST: return "GL_DEPTH_TEST";
        case GL_BLEND: return "GL_BLEND";
        case GL_LIGHTING: return "GL_LIGHTING";
        case GL_ALPHA_TEST: return "GL_ALPHA_TEST";
        case GL_SMOOTH: return "GL_SMOOTH";
        case GL_FLAT: return "GL_FLAT";
        case GL_LEQUAL: return "GL_LEQUAL";
        case GL_LESS: return "GL_LESS";
        case GL_PROJECTION: return "GL_PROJECTION";
        case GL_MODELVIEW: return "GL_MODELVIEW";
        case GL_PERSPECTIVE_CORRECTION_HINT: return "GL_PERSPECTIVE_CORRECTION_HINT";
        case GL_NICEST: return "GL_NICEST";
        case GL_UNPACK_ALIGNMENT: return "GL_UNPACK_ALIGNMENT";
        case GL_TEXTURE_MAG_FILTER: return "GL_TEXTURE_MAG_FILTER";
        case GL_TEXTURE_MIN_FILTER: return "GL_TEXTURE_MIN_FILTER";
        case GL_LINEAR: return "GL_LINEAR";
        case GL_QUADS: return "GL_QUADS";
        case GL_RGB: return "GL_RGB";
        case GL_UNSIGNED_BYTE: return "GL_UNSIGNED_BYTE";
        default: {
            char buf[16];
            std::snprintf(buf, sizeof buf, "0x%04X", e);
            return buf;
        }
    }
}

template <typename T>
std::string Num(T v) {
    if constexpr (std::is_integral_v<T>) {
        return std::to_string(v);
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
        return buf;
    }
}

void Log(const std::string& name, std::initializer_list<std::string> args) {
    std::string text = name + "(";
    bool first = true;
    for (const auto& a : args) {
        if (!first) text += ",";
        text += a;
        first = false;
    }
    detail::LogGl(text + ")");
}

void AddVertex(float x, float y, float z) {
    if (!G().inBegin || G().beginMode != GL_QUADS) return;
    G().pending.v[static_cast<size_t>(G().pendingVertices)] = Vertex{x, y, z, G().s, G().t};
    if (++G().pendingVertices == 4) {
        G().current.quads.push_back(G().pending);
        G().pendingVertices = 0;
    }
}

void RasterPos(double x, double y) {
    G().rasterX = x;
    G().rasterY = y;
    G().openText = -1;
}

void CallList(GLuint list) {
    auto it = G().glyphs.find(list);
    if (it == G().glyphs.end()) return;
    if (G().openText < 0) {
        G().current.texts.push_back(Text{G().rasterX, G().rasterY, ""});
        G().openText = static_cast<int>(G().current.texts.size()) - 1;
    }
    G().current.texts[static_cast<size_t>(G().openText)].text += it->second;
}

}  // namespace

void detail::LogGl(std::string text) { G().log.push_back(std::move(text)); }

void detail::ResetGl() { G() = Gl{}; }

void detail::DropGlObjects() {
    G().textures.clear();
    G().lists.clear();
    G().glyphs.clear();
    G().boundTexture = 0;
}

void detail::EndGlFrame() {
    G().last = std::move(G().current);
    G().current = Frame{};
    G().openText = -1;
    G().log.clear();
}

void detail::RegisterGlyphs(DWORD first, DWORD count, DWORD listBase) {
    for (DWORD i = 0; i < count; ++i) {
        G().glyphs[listBase + i] = static_cast<char>(first + i);
    }
}

const Frame& CurrentFrame() { return G().current; }
const Frame& LastFrame() { return G().last; }
int TexturesAlive() { return static_cast<int>(G().textures.size()); }
int TexturesGenerated() { return G().texturesGenerated; }
const std::vector<Upload>& Uploads() { return G().uploads; }

void SetMaxTextureSize(GLint side) { G().maxTextureSize = side; }

void FailNextUploads(GLenum error, int count) {
    G().uploadError = error;
    G().failingUploads = count;
}

void SetPendingGlError(GLenum error) { G().error = error; }

int ListsAlive() { return static_cast<int>(G().lists.size()); }
const std::vector<std::string>& GlLog() { return G().log; }
bool GlEnabled(GLenum cap) { return G().enabled.count(cap) != 0; }
GLenum DepthFunc() { return G().depthFunc; }
GLenum ShadeModel() { return G().shadeModel; }
std::array<float, 4> ClearColor() { return G().clearColor; }
double ClearDepth() { return G().clearDepth; }
std::array<int, 4> Viewport() { return G().viewport; }
std::array<double, 6> Ortho() { return G().ortho; }
GLint UnpackAlignment() { return G().unpackAlignment; }
GLuint ListBase() { return G().listBase; }
GLenum MatrixMode() { return G().matrixMode; }
GLuint BoundTexture() { return G().boundTexture; }
GLenum HintMode(GLenum target) {
    auto it = G().hints.find(target);
    return it == G().hints.end() ? static_cast<GLenum>(GL_DONT_CARE) : it->second;
}
std::array<float, 4> CurrentColor() { return G().color; }

}  // namespace fake

using fake::EnumName;
using fake::G;
using fake::Log;
using fake::Num;

// ---------------------------------------------------------------------------
// Immediate mode

void glBegin(GLenum mode) {
    Log("glBegin", {EnumName(mode)});
    G().inBegin = true;
    G().beginMode = mode;
    G().pendingVertices = 0;
    G().pending = fake::Quad{};
    G().pending.texture = G().boundTexture;
    G().pending.textured = G().enabled.count(GL_TEXTURE_2D) != 0;
}

void glEnd() {
    Log("glEnd", {});
    G().inBegin = false;
    G().pendingVertices = 0;
}

void glVertex2i(GLint x, GLint y) {
    fake::AddVertex(static_cast<float>(x), static_cast<float>(y), 0);
}
void glVertex2f(GLfloat x, GLfloat y) { fake::AddVertex(x, y, 0); }
void glVertex2d(GLdouble x, GLdouble y) {
    fake::AddVertex(static_cast<float>(x), static_cast<float>(y), 0);
}
void glVertex2s(GLshort x, GLshort y) { fake::AddVertex(x, y, 0); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { fake::AddVertex(x, y, z); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    fake::AddVertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
void glVertex3i(GLint x, GLint y, GLint z) {
    fake::AddVertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
void glTexCoord2f(GLfloat s, GLfloat t) {
    G().s = s;
    G().t = t;
}
void glTexCoord2i(GLint s, GLint t) { glTexCoord2f(static_cast<float>(s), static_cast<float>(t)); }
void glTexCoord2d(GLdouble s, GLdouble t) {
    glTexCoord2f(static_cast<float>(s), static_cast<float>(t));
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b) { G().color = {r, g, b, 1.0f}; }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { G().color = {r, g, b, a}; }
void glColor3ub(GLubyte r, GLubyte g, GLubyte b) { glColor3f(r / 255.0f, g / 255.0f, b / 255.0f); }

// ---------------------------------------------------------------------------
// Textures

void glGenTextures(GLsizei n, GLuint* textures) {
    Log("glGenTextures", {Num(n)});
    for (GLsizei i = 0; i < n; ++i) {
        const GLuint name = G().nextTexture++;
        G().textures.insert(name);
        ++G().texturesGenerated;
        if (textures != nullptr) textures[i] = name;
    }
}

void glDeleteTextures(GLsizei n, const GLuint* textures) {
    Log("glDeleteTextures", {Num(n)});
    for (GLsizei i = 0; textures != nullptr && i < n; ++i) {
        G().textures.erase(textures[i]);
        if (G().boundTexture == textures[i]) G().boundTexture = 0;
    }
}

void glBindTexture(GLenum target, GLuint texture) {
    Log("glBindTexture", {EnumName(target), Num(texture)});
    if (target == GL_TEXTURE_2D) G().boundTexture = texture;
}

void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    Log("glTexParameteri",
        {EnumName(target), EnumName(pname), EnumName(static_cast<GLenum>(param))});
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
    Log("glTexParameterf", {EnumName(target), EnumName(pname), Num(param)});
}

void glTexEnvi(GLenum target, GLenum pname, GLint param) {
    Log("glTexEnvi", {EnumName(target), EnumName(pname), EnumName(static_cast<GLenum>(param))});
}

void glTexImage2D(GLenum target,
                  GLint level,
                  GLint internalFormat,
                  GLsizei width,
                  GLsizei height,
                  GLint border,
                  GLenum format,
                  GLenum type,
                  const GLvoid*) {
    Log("glTexImage2D",
        {EnumName(target),
         Num(level),
         Num(internalFormat),
         Num(width),
         Num(height),
         Num(border),
         EnumName(format),
         EnumName(type)});
    if (G().failingUploads > 0) {
        --G().failingUploads;
        // GL keeps the first error until it is read.
        if (G().error == GL_NO_ERROR) G().error = G().uploadError;
        return;
    }
    G().uploads.push_back(fake::Upload{G().boundTexture, width, height, G().unpackAlignment});
}

void glPixelStorei(GLenum pname, GLint param) {
    Log("glPixelStorei", {EnumName(pname), Num(param)});
    if (pname == GL_UNPACK_ALIGNMENT) G().unpackAlignment = param;
}

void glGetIntegerv(GLenum pname, GLint* params) {
    if (params == nullptr) return;
    switch (pname) {
        case GL_UNPACK_ALIGNMENT: *params = G().unpackAlignment; break;
        case GL_TEXTURE_BINDING_2D: *params = static_cast<GLint>(G().boundTexture); break;
        case GL_LIST_BASE: *params = static_cast<GLint>(G().listBase); break;
        case GL_MATRIX_MODE: *params = static_cast<GLint>(G().matrixMode); break;
        case GL_MAX_TEXTURE_SIZE: *params = G().maxTextureSize; break;
        case GL_VIEWPORT:
            for (int i = 0; i < 4; ++i) params[i] = G().viewport[static_cast<size_t>(i)];
            break;
        default: *params = 0; break;
    }
}

// ---------------------------------------------------------------------------
// State

void glEnable(GLenum cap) {
    Log("glEnable", {EnumName(cap)});
    G().enabled.insert(cap);
}

void glDisable(GLenum cap) {
    Log("glDisable", {EnumName(cap)});
    G().enabled.erase(cap);
}

GLboolean glIsEnabled(GLenum cap) { return G().enabled.count(cap) != 0 ? GL_TRUE : GL_FALSE; }

void glShadeModel(GLenum mode) {
    Log("glShadeModel", {EnumName(mode)});
    G().shadeModel = mode;
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    Log("glClearColor", {Num(r), Num(g), Num(b), Num(a)});
    G().clearColor = {r, g, b, a};
}

void glClearDepth(GLclampd depth) {
    Log("glClearDepth", {Num(depth)});
    G().clearDepth = depth;
}

void glDepthFunc(GLenum func) {
    Log("glDepthFunc", {EnumName(func)});
    G().depthFunc = func;
}

void glHint(GLenum target, GLenum mode) {
    Log("glHint", {EnumName(target), EnumName(mode)});
    G().hints[target] = mode;
}

void glBlendFunc(GLenum sfactor, GLenum dfactor) {
    Log("glBlendFunc", {EnumName(sfactor), EnumName(dfactor)});
}

void glClear(GLbitfield mask) {
    Log("glClear", {Num(mask)});
    ++G().current.clears;
}

GLenum glGetError() {
    const GLenum error = G().error;
    G().error = GL_NO_ERROR;
    return error;
}
void glFlush() { Log("glFlush", {}); }
void glFinish() { Log("glFinish", {}); }

// ---------------------------------------------------------------------------
// Matrices and viewport

void glMatrixMode(GLenum mode) {
    Log("glMatrixMode", {EnumName(mode)});
    G().matrixMode = mode;
}

void glLoadIdentity() { Log("glLoadIdentity", {}); }
void glPushMatrix() { Log("glPushMatrix", {}); }
void glPopMatrix() { Log("glPopMatrix", {}); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    Log("glTranslatef", {Num(x), Num(y), Num(z)});
}
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    Log("glTranslated", {Num(x), Num(y), Num(z)});
}

void glOrtho(GLdouble left,
             GLdouble right,
             GLdouble bottom,
             GLdouble top,
             GLdouble nearVal,
             GLdouble farVal) {
    Log("glOrtho", {Num(left), Num(right), Num(bottom), Num(top), Num(nearVal), Num(farVal)});
    G().ortho = {left, right, bottom, top, nearVal, farVal};
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    Log("glViewport", {Num(x), Num(y), Num(width), Num(height)});
    G().viewport = {x, y, width, height};
}

// ---------------------------------------------------------------------------
// Raster positions, display lists and bitmaps

void glRasterPos2d(GLdouble x, GLdouble y) {
    Log("glRasterPos2d", {Num(x), Num(y)});
    fake::RasterPos(x, y);
}
void glRasterPos2i(GLint x, GLint y) {
    Log("glRasterPos2i", {Num(x), Num(y)});
    fake::RasterPos(x, y);
}
void glRasterPos2f(GLfloat x, GLfloat y) {
    Log("glRasterPos2f", {Num(x), Num(y)});
    fake::RasterPos(x, y);
}

void glPushAttrib(GLbitfield mask) {
    Log("glPushAttrib", {Num(mask)});
    G().attribStack.push_back(fake::Attrib{mask, G().listBase, G().enabled, G().color});
}

void glPopAttrib() {
    Log("glPopAttrib", {});
    if (G().attribStack.empty()) return;
    const fake::Attrib saved = G().attribStack.back();
    G().attribStack.pop_back();
    if ((saved.mask & GL_LIST_BIT) != 0) G().listBase = saved.listBase;
    if ((saved.mask & GL_ENABLE_BIT) != 0) G().enabled = saved.enabled;
    if ((saved.mask & GL_CURRENT_BIT) != 0) G().color = saved.color;
}

void glListBase(GLuint base) {
    Log("glListBase", {Num(base)});
    G().listBase = base;
}

GLuint glGenLists(GLsizei range) {
    Log("glGenLists", {Num(range)});
    if (range <= 0) return 0;
    const GLuint first = G().nextList;
    G().nextList += static_cast<GLuint>(range);
    for (GLsizei i = 0; i < range; ++i) G().lists.insert(first + static_cast<GLuint>(i));
    return first;
}

void glDeleteLists(GLuint list, GLsizei range) {
    Log("glDeleteLists", {Num(list), Num(range)});
    for (GLsizei i = 0; i < range; ++i) {
        G().lists.erase(list + static_cast<GLuint>(i));
        G().glyphs.erase(list + static_cast<GLuint>(i));
    }
}

void glNewList(GLuint list, GLenum mode) {
    Log("glNewList", {Num(list), EnumName(mode)});
    G().lists.insert(list);
}

void glEndList() { Log("glEndList", {}); }

void glCallList(GLuint list) {
    Log("glCallList", {Num(list)});
    fake::CallList(list);
}

void glCallLists(GLsizei n, GLenum type, const GLvoid* lists) {
    Log("glCallLists", {Num(n), EnumName(type)});
    if (lists == nullptr) return;
    for (GLsizei i = 0; i < n; ++i) {
        GLuint offset = 0;
        switch (type) {
            case GL_UNSIGNED_BYTE: offset = static_cast<const GLubyte*>(lists)[i]; break;
            case GL_BYTE: offset = static_cast<GLuint>(static_cast<const GLbyte*>(lists)[i]); break;
            case GL_UNSIGNED_SHORT: offset = static_cast<const GLushort*>(lists)[i]; break;
            case GL_SHORT:
                offset = static_cast<GLuint>(static_cast<const GLshort*>(lists)[i]);
                break;
            case GL_UNSIGNED_INT: offset = static_cast<const GLuint*>(lists)[i]; break;
            case GL_INT: offset = static_cast<GLuint>(static_cast<const GLint*>(lists)[i]); break;
            default: return;
        }
        fake::CallList(G().listBase + offset);
    }
}

void glBitmap(GLsizei width, GLsizei height, GLfloat, GLfloat, GLfloat, GLfloat, const GLubyte*) {
    Log("glBitmap", {Num(width), Num(height)});
}
