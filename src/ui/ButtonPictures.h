// Which picture the skinned buttons show: the image-and-text button's picture and text colour by its
// state, and the hover and pressed pictures the picture buttons load by their control id.
#pragma once

namespace skin {

// The image-and-text button's picture for its state, from the pictures its list holds (normal, pressed,
// hover, in that order): pressed shows picture 1 when there are at least two; hover shows picture 2 only
// when there are exactly three; everything else shows picture 0.
int ImageTextButtonPicture(bool pressed, bool hovered, int pictureCount);
// The hover text colour is used only while hovered and not pressed.
bool ImageTextButtonUsesHoverColour(bool pressed, bool hovered);

// The record button of the preview window: its hover pictures are locked while it records.
constexpr unsigned kRecordButtonId = 1008;

// The hover and pressed bitmaps a picture button loads when the mouse moves over it.
struct HoverPictures
{
    unsigned hover;
    unsigned pressed;
};
// False for control ids without hover pictures and for the record button while it is locked.
bool HoverPicturesFor(unsigned controlId, bool locked, HoverPictures& out);

} // namespace skin
