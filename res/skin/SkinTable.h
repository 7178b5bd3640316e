// Every picture of the main program's skin and the two program icons: id, size, role and painter.
// The resource script of the generated files is built from this table too.
#pragma once

#include <string>
#include <vector>

#include "res/skin/Raster.h"

namespace skin {

struct SkinBitmap
{
    int id;
    int width;
    int height;
    const char* role;
    void (*paint)(Canvas& canvas, int variant);
    int variant;
};

struct SkinIcon
{
    int id;
    const char* role;
    void (*paint)(Canvas& canvas, int size);
};

// Image sizes inside every icon file.
constexpr int kIconSizes[] = {16, 32, 48};

const std::vector<SkinBitmap>& SkinBitmaps();
const std::vector<SkinIcon>& SkinIcons();
// The table entry of a bitmap id, or null.
const SkinBitmap* FindSkinBitmap(int id);

// Draws a bitmap at its size.
Canvas DrawSkinBitmap(const SkinBitmap& bitmap);
// Draws an icon at each of kIconSizes, with transparency.
std::vector<Canvas> DrawSkinIcon(const SkinIcon& icon);

// File names of the generated pictures.
std::string BitmapFileName(int id);
std::string IconFileName(int id);

// The resource script that binds every id to its file in `folder` (an absolute path):
// `<id> BITMAP "<path>"` and `<id> ICON "<path>"` lines.
std::string SkinResourceScript(const std::string& folder);

} // namespace skin
