// Picture choice of bitmap buttons.
#include "fx/ButtonPicture.h"

namespace fx {

ButtonPicture ChooseButtonPicture(const ButtonDrawState& state, const ButtonPictureSet& available)
{
    if (state.pressed && available.pressed)
        return ButtonPicture::Pressed;
    if (state.focused && available.focused)
        return ButtonPicture::Focused;
    if (state.disabled && available.disabled)
        return ButtonPicture::Disabled;
    return ButtonPicture::Normal;
}

} // namespace fx
