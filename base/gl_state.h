// Textures, the bitmap font and the fixed GL state that every window gets.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <span>

// A decoded picture: 24-bit RGB, rows packed, the bottom row first. The record
// and its pixel array are separate heap blocks; free the pixels, then the record.
struct RgbImage {
    std::int32_t width;
    std::int32_t height;
    unsigned char* pixels;
};

constexpr int kMaxTextures = 31;

// Texture names of the running program, by the index of its picture list.
extern std::array<GLuint, kMaxTextures> TextureTable;

// First of the 96 display lists that draw the characters 32 to 127.
extern GLuint fontBase;

// The picture list that InitGlState loads; each program sets it once, before
// its first OpenGlWindow.
void UseTextureList(std::span<const char* const> files);
// The list last passed to UseTextureList.
std::span<const char* const> UsedTextureList();

bool InitGlState();
bool LoadTextureTable(std::span<const char* const> files, GLuint* table);
RgbImage* LoadBmpImage(const char* path);
void CreateFontLists();
void DeleteFontLists();
// Drops the record of the current font object without releasing it (for
// ResetGlWindowState between whole-program runs on the fake).
void ForgetFontObject();
// printf-style text at the current raster position, cut at 255 characters.
void PrintText(const char* format, ...) __attribute__((format(printf, 1, 2)));
