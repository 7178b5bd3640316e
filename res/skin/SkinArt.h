// Painters of the skin pictures. Each draws one kind of picture into a canvas of its final size; the
// variant picks the state, orientation or piece. The table in SkinTable.cpp binds them to ids.
#pragma once

#include "res/skin/Raster.h"

namespace skin {

// Toolbar. Orientation: 0 horizontal (top edge), 1 vertical at the left edge, 2 vertical at the right edge.
// Buttons: 0 camera, 1 property, 2 setting, 3 help, 4 menu.
constexpr int ToolbarVariant(int orientation, int button, int frame)
{
    return orientation * 100 + button * 10 + frame;
}
void PaintToolbarShape(Canvas& canvas, int orientation);
void PaintToolbarLogo(Canvas& canvas, int orientation);
void PaintToolbarButton(Canvas& canvas, int variant);

// Preview window. Frame pieces are chosen by their bitmap id; button variants are ButtonState values,
// except the record button: 0 normal, 1 hover, 2 pressed, 3 recording (blink on), 4 recording (blink
// off), 5 disabled.
void PaintPreviewPiece(Canvas& canvas, int id);
void PaintPreviewCover(Canvas& canvas, int unused);
void PaintSnapshotButton(Canvas& canvas, int state);
void PaintRecordButton(Canvas& canvas, int variant);
void PaintCloseButton(Canvas& canvas, int state);
void PaintMinimiseButton(Canvas& canvas, int state);
void PaintFunctionButton(Canvas& canvas, int state);
void PaintResolutionButton(Canvas& canvas, int state);

// Dialogs and pages. Page kinds: 0 options page, 1 toolbar-options page, 2 image, picture and video pages.
// Tabs: 0 shown page, 1 other page, 2 under the mouse. Check and radio: 0 off, 1 on, 2 off under the mouse.
void PaintDialogBackground(Canvas& canvas, int unused);
void PaintPageBackground(Canvas& canvas, int kind);
void PaintAboutBackground(Canvas& canvas, int unused);
void PaintTextButton(Canvas& canvas, int state);
void PaintTab(Canvas& canvas, int kind);
void PaintCheck(Canvas& canvas, int kind);
void PaintRadio(Canvas& canvas, int kind);
void PaintBrowseButton(Canvas& canvas, int state);
void PaintSliderChannel(Canvas& canvas, int unused);
void PaintSliderThumb(Canvas& canvas, int unused);

// Icons, drawn at the canvas size with transparency.
void PaintAppIcon(Canvas& canvas, int size);
void PaintHelperIcon(Canvas& canvas, int size);

// Rows 0 to 6 of a window whose top corners are rounded: pixels this far in from each side are outside.
constexpr int kTopCornerInset[7] = {6, 4, 3, 2, 1, 1, 0};

} // namespace skin
