// skingen <folder>: writes every skin picture as a 24-bit BMP, the program icons as ICO files and the
// resource script skin.rc that binds their ids to those files. Runs at build time on the build machine.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "res/skin/ImageFiles.h"
#include "res/skin/SkinTable.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "skingen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: skingen <output folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    for (const skin::SkinBitmap& bitmap : skin::SkinBitmaps()) {
        if (!WriteFile(folder + "/" + skin::BitmapFileName(bitmap.id),
                       skin::EncodeBmp24(skin::DrawSkinBitmap(bitmap)))) {
            return 1;
        }
    }
    for (const skin::SkinIcon& icon : skin::SkinIcons()) {
        if (!WriteFile(folder + "/" + skin::IconFileName(icon.id), skin::EncodeIco(skin::DrawSkinIcon(icon)))) {
            return 1;
        }
    }
    // The script goes last, so a complete skin.rc always means complete pictures beside it.
    const std::string script = skin::SkinResourceScript(folder);
    if (!WriteFile(folder + "/skin.rc", std::vector<uint8_t>(script.begin(), script.end()))) {
        return 1;
    }
    return 0;
}
