// VideoArea: the static that hosts the preview's video window. The renderer hands it the mouse messages of the
// picture; a renderer whose window does not report double-clicks sends two presses instead, which the area
// pairs into the double-click notification (STN_DBLCLK) its owner listens for.
#pragma once

#include "fx/Static.h"
#include "ui/DoubleClick.h"

class VideoArea : public fx::Static
{
public:
    VideoArea();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ui::DoubleClick m_doubleClick;
};
