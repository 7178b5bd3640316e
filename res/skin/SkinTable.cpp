// The table of skin pictures. Sizes follow the windows and controls that show them; frame pieces of
// the preview window follow its layouts (window size, video area and body bottom of each layout).
#include "res/skin/SkinTable.h"

#include "res/skin/SkinArt.h"

namespace skin {
namespace {

constexpr int kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3;

std::vector<SkinBitmap> BuildTable()
{
    std::vector<SkinBitmap> t = {
        {237, 265, 51, "toolbar shape, horizontal (magenta outside)", PaintToolbarShape, 0},
        {238, 52, 264, "toolbar shape, vertical (magenta outside)", PaintToolbarShape, 1},
        {232, 91, 51, "toolbar logo, horizontal", PaintToolbarLogo, 0},
        {239, 51, 91, "toolbar logo, vertical", PaintToolbarLogo, 1},
    };

    // Toolbar button frames in the order they are handed to the button: frame 0 at rest, the others
    // played once on hover.
    struct Frames
    {
        int button;
        int orientation;
        int ids[5];
    };
    const Frames frames[] = {
        {0, 0, {251, 252, 253, 254, 250}}, {1, 0, {233, 255, 256, 257, 246}}, {2, 0, {234, 258, 259, 260, 247}},
        {3, 0, {235, 261, 262, 263, 248}}, {4, 0, {236, 249, 0, 0, 0}},       {0, 1, {240, 264, 265, 266, 267}},
        {1, 1, {241, 268, 269, 270, 271}}, {2, 1, {242, 272, 273, 274, 275}}, {3, 1, {243, 276, 277, 278, 279}},
        {4, 1, {244, 280, 0, 0, 0}},       {4, 2, {245, 281, 0, 0, 0}},
    };
    const char* buttonRoles[2][5] = {
        {"toolbar camera button, horizontal", "toolbar property button, horizontal",
         "toolbar setting button, horizontal", "toolbar help button, horizontal", "toolbar menu button, horizontal"},
        {"toolbar camera button, vertical", "toolbar property button, vertical", "toolbar setting button, vertical",
         "toolbar help button, vertical", "toolbar menu button, vertical"},
    };
    for (const Frames& f : frames) {
        const bool vertical = f.orientation != 0;
        const int length = f.button == 4 ? 21 : 38;
        for (int k = 0; k < 5 && f.ids[k] != 0; ++k) {
            t.push_back({f.ids[k], vertical ? 51 : length, vertical ? length : 51, buttonRoles[vertical][f.button],
                         PaintToolbarButton, ToolbarVariant(f.orientation, f.button, k)});
        }
    }

    const std::vector<SkinBitmap> rest = {
        // Preview frame pieces: top, bottom, left, right of each layout.
        {356, 663, 92, "preview frame top, compact", PaintPreviewPiece, 356},
        {353, 663, 38, "preview frame bottom, compact", PaintPreviewPiece, 353},
        {354, 11, 480, "preview frame left, compact", PaintPreviewPiece, 354},
        {355, 12, 480, "preview frame right, compact", PaintPreviewPiece, 355},
        {366, 594, 92, "preview frame top, compact small screen", PaintPreviewPiece, 366},
        {367, 594, 38, "preview frame bottom, compact small screen", PaintPreviewPiece, 367},
        {368, 11, 429, "preview frame left, compact small screen", PaintPreviewPiece, 368},
        {365, 11, 429, "preview frame right, compact small screen", PaintPreviewPiece, 365},
        {361, 1134, 35, "preview frame top, enlarged", PaintPreviewPiece, 361},
        {362, 1134, 6, "preview frame bottom, enlarged", PaintPreviewPiece, 362},
        {363, 6, 685, "preview frame left, enlarged", PaintPreviewPiece, 363},
        {364, 6, 685, "preview frame right, enlarged", PaintPreviewPiece, 364},
        {352, 888, 35, "preview frame top, enlarged 1280x1024 / small screen", PaintPreviewPiece, 352},
        {357, 888, 7, "preview frame bottom, enlarged 1280x1024 / small screen", PaintPreviewPiece, 357},
        {372, 6, 528, "preview frame left, enlarged small screen", PaintPreviewPiece, 372},
        {369, 6, 528, "preview frame right, enlarged small screen", PaintPreviewPiece, 369},
        {370, 695, 35, "preview frame top, enlarged small screen 1280x1024", PaintPreviewPiece, 370},
        {371, 695, 6, "preview frame bottom, enlarged small screen 1280x1024", PaintPreviewPiece, 371},
        {311, 640, 480, "preview cover", PaintPreviewCover, 0},
        {340, 572, 429, "preview cover, small screen", PaintPreviewCover, 0},

        {291, 154, 48, "snapshot button", PaintSnapshotButton, kNormal},
        {305, 154, 48, "snapshot button, hover", PaintSnapshotButton, kHover},
        {292, 154, 48, "snapshot button, pressed", PaintSnapshotButton, kPressed},
        {293, 154, 48, "snapshot button, disabled", PaintSnapshotButton, kDisabled},
        {312, 154, 48, "record button", PaintRecordButton, 0},
        {165, 154, 48, "record button, hover", PaintRecordButton, 1},
        {313, 154, 48, "record button, pressed", PaintRecordButton, 2},
        {314, 154, 48, "record button, recording (blink on)", PaintRecordButton, 3},
        {315, 154, 48, "record button, recording (blink off)", PaintRecordButton, 4},
        {337, 154, 48, "record button, disabled", PaintRecordButton, 5},
        {309, 33, 17, "close button", PaintCloseButton, kNormal},
        {286, 33, 17, "close button, hover", PaintCloseButton, kHover},
        {287, 33, 17, "close button, pressed", PaintCloseButton, kPressed},
        {308, 33, 17, "minimise button", PaintMinimiseButton, kNormal},
        {288, 33, 17, "minimise button, hover", PaintMinimiseButton, kHover},
        {289, 33, 17, "minimise button, pressed", PaintMinimiseButton, kPressed},
        {306, 20, 9, "function menu button (also pressed)", PaintFunctionButton, kNormal},
        {294, 20, 9, "function menu button, hover", PaintFunctionButton, kHover},
        {307, 8, 8, "resolution menu button (also pressed)", PaintResolutionButton, kNormal},
        {296, 8, 8, "resolution menu button, hover", PaintResolutionButton, kHover},
        {338, 8, 8, "resolution menu button, disabled", PaintResolutionButton, kDisabled},

        {163, 308, 434, "Properties and Setting background and outline", PaintDialogBackground, 0},
        {349, 271, 307, "options page background", PaintPageBackground, 0},
        {347, 271, 307, "toolbar-options page background", PaintPageBackground, 1},
        {348, 271, 307, "image, picture and video page background", PaintPageBackground, 2},
        {216, 456, 336, "About background", PaintAboutBackground, 0},
        {343, 64, 33, "dialog button", PaintTextButton, kNormal},
        {344, 64, 33, "dialog button, hover", PaintTextButton, kHover},
        {342, 64, 33, "dialog button, pressed", PaintTextButton, kPressed},
        {345, 63, 21, "tab of the shown page (also pressed)", PaintTab, 0},
        {346, 63, 21, "tab of another page", PaintTab, 1},
        {341, 63, 21, "tab, hover", PaintTab, 2},
        {207, 17, 17, "check box, unchecked", PaintCheck, 0},
        {212, 17, 17, "check box, checked", PaintCheck, 1},
        {213, 17, 17, "check box, unchecked, hover", PaintCheck, 2},
        {208, 19, 20, "radio button, not chosen", PaintRadio, 0},
        {215, 19, 20, "radio button, chosen", PaintRadio, 1},
        {214, 19, 20, "radio button, not chosen, hover", PaintRadio, 2},
        {209, 46, 30, "browse button", PaintBrowseButton, kNormal},
        {284, 46, 30, "browse button, hover", PaintBrowseButton, kHover},
        {285, 46, 30, "browse button, pressed", PaintBrowseButton, kPressed},
        {195, 165, 24, "slider channel (magenta outside)", PaintSliderChannel, 0},
        {196, 10, 23, "slider thumb", PaintSliderThumb, 0},
    };
    t.insert(t.end(), rest.begin(), rest.end());
    return t;
}

// Paths in a resource script are quoted strings: backslashes and quotes are escaped.
std::string QuotedPath(const std::string& path)
{
    std::string out = "\"";
    for (char ch : path) {
        if (ch == '\\') {
            out += "\\\\";
        } else if (ch == '"') {
            out += "\"\"";
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

} // namespace

const std::vector<SkinBitmap>& SkinBitmaps()
{
    static const std::vector<SkinBitmap> table = BuildTable();
    return table;
}

const std::vector<SkinIcon>& SkinIcons()
{
    static const std::vector<SkinIcon> icons = {
        {334, "Quillo program icon", PaintAppIcon},
        {129, "Tessel program icon", PaintHelperIcon},
    };
    return icons;
}

const SkinBitmap* FindSkinBitmap(int id)
{
    for (const SkinBitmap& b : SkinBitmaps()) {
        if (b.id == id) {
            return &b;
        }
    }
    return nullptr;
}

Canvas DrawSkinBitmap(const SkinBitmap& bitmap)
{
    Canvas canvas(bitmap.width, bitmap.height);
    canvas.Clear(Rgb(0, 0, 0));
    bitmap.paint(canvas, bitmap.variant);
    return canvas;
}

std::vector<Canvas> DrawSkinIcon(const SkinIcon& icon)
{
    std::vector<Canvas> images;
    for (int size : kIconSizes) {
        Canvas canvas(size, size);
        icon.paint(canvas, size);
        images.push_back(std::move(canvas));
    }
    return images;
}

std::string BitmapFileName(int id)
{
    return "skin" + std::to_string(id) + ".bmp";
}

std::string IconFileName(int id)
{
    return "icon" + std::to_string(id) + ".ico";
}

std::string SkinResourceScript(const std::string& folder)
{
    std::string base = folder;
    if (!base.empty() && base.back() != '/' && base.back() != '\\') {
        base += '/';
    }
    std::string script = "// Generated by skingen: the skin pictures and program icons.\n";
    for (const SkinBitmap& b : SkinBitmaps()) {
        script += std::to_string(b.id) + " BITMAP " + QuotedPath(base + BitmapFileName(b.id)) + "\n";
    }
    for (const SkinIcon& i : SkinIcons()) {
        script += std::to_string(i.id) + " ICON " + QuotedPath(base + IconFileName(i.id)) + "\n";
    }
    return script;
}

} // namespace skin
