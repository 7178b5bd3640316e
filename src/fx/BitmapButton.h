// fx::BitmapButton: an owner-drawn button that shows one of four bitmap resources by its state:
// normal, pressed, focused and disabled.
#pragma once

#include "fx/Button.h"
#include "fx/ButtonPicture.h"
#include "fx/Gdi.h"

namespace fx {

class BitmapButton : public Button
{
public:
    // Replaces the pictures with the given bitmap resources (0 = no such picture) and makes the button
    // owner-drawn. Returns false when the normal picture or any other requested one did not load;
    // what did load is kept. The button is not repainted here.
    bool LoadBitmaps(UINT normalId, UINT pressedId = 0, UINT focusedId = 0, UINT disabledId = 0);

    const Bitmap& Picture(ButtonPicture which) const;

protected:
    // Copies the picture for the item's state to the item rectangle.
    void DrawItem(DRAWITEMSTRUCT& item) override;

private:
    Bitmap m_normal;
    Bitmap m_pressed;
    Bitmap m_focused;
    Bitmap m_disabled;
};

} // namespace fx
