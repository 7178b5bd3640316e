// MyStatic: a static text on a skinned background; the background shows through behind its text.
#pragma once

#include "fx/Static.h"

class MyStatic : public fx::Static
{
protected:
    FX_DECLARE_MESSAGE_MAP()

private:
    HBRUSH CtlColor(HDC dc, UINT ctlColorMessage);
};
