#include "ui/ButtonPictures.h"

#include "res/resource.h"

namespace skin {

int ImageTextButtonPicture(bool pressed, bool hovered, int pictureCount)
{
    if (pressed)
        return pictureCount >= 2 ? 1 : 0;
    if (hovered)
        return pictureCount == 3 ? 2 : 0;
    return 0;
}

bool ImageTextButtonUsesHoverColour(bool pressed, bool hovered)
{
    return hovered && !pressed;
}

bool HoverPicturesFor(unsigned controlId, bool locked, HoverPictures& out)
{
    struct Entry
    {
        unsigned id;
        HoverPictures pictures;
    };
    static const Entry kTable[] = {
        {IDC_PREVIEW_MINIMIZE, {IDB_PREVIEW_MINIMIZE_HOVER, IDB_PREVIEW_MINIMIZE_PRESSED}},
        {IDC_PREVIEW_SNAPSHOT, {IDB_PREVIEW_SNAPSHOT_HOVER, IDB_PREVIEW_SNAPSHOT_PRESSED}},
        {IDC_PREVIEW_RECORD, {IDB_PREVIEW_RECORD_HOVER, IDB_PREVIEW_RECORD_PRESSED}},
        {IDC_PREVIEW_CLOSE, {IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED}},
        {IDC_PROP_CLOSE, {IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED}},
        {IDC_SET_CLOSE, {IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED}},
        {IDC_PREVIEW_FUNCTION, {IDB_PREVIEW_FUNCTION_HOVER, IDB_PREVIEW_FUNCTION}},
        {IDC_PREVIEW_RESOLUTION, {IDB_PREVIEW_RESOLUTION_HOVER, IDB_PREVIEW_RESOLUTION}},
        {IDC_PIC_BROWSE, {IDB_BROWSE_HOVER, IDB_BROWSE_PRESSED}},
        {IDC_VID_BROWSE, {IDB_BROWSE_HOVER, IDB_BROWSE_PRESSED}},
    };
    static_assert(kRecordButtonId == IDC_PREVIEW_RECORD, "the record button's id");
    if (locked && controlId == kRecordButtonId)
        return false;
    for (const Entry& entry : kTable) {
        if (entry.id == controlId) {
            out = entry.pictures;
            return true;
        }
    }
    return false;
}

} // namespace skin
