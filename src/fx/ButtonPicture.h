// Which of a bitmap button's four pictures shows for an owner-draw state. Windows-free so the rule is
// tested on the host.
#pragma once

namespace fx {

enum class ButtonPicture {
    Normal,
    Pressed,
    Focused,
    Disabled,
};

struct ButtonDrawState
{
    bool pressed;  // ODS_SELECTED
    bool focused;  // ODS_FOCUS
    bool disabled; // ODS_DISABLED
};

// The pictures a button has besides the normal one.
struct ButtonPictureSet
{
    bool pressed;
    bool focused;
    bool disabled;
};

// Pressed before focused before disabled; a state whose picture is missing shows the normal picture.
ButtonPicture ChooseButtonPicture(const ButtonDrawState& state, const ButtonPictureSet& available);

} // namespace fx
