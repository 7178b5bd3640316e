// CSliderCtrlEx: the image page's slider drawn from the channel picture (its magenta parts show the
// page's background) and the thumb picture, through the trackbar's custom draw.
#pragma once

#include "fx/Gdi.h"
#include "fx/SliderCtrl.h"
#include "ui/TransparentHelper.h"

class CSliderCtrlEx : public fx::SliderCtrl
{
public:
    bool HasPictures() const { return m_channel && m_thumb; }

protected:
    void OnAttach() override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void OnCustomDraw(NMHDR& header, LRESULT& result);
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    LRESULT OnRefresh(WPARAM, LPARAM);
    void OnDestroy();
    void DrawChannel(HDC dc) const;
    void DrawThumb(HDC dc, const RECT& thumb) const;

    fx::Bitmap m_channel;
    fx::Bitmap m_thumb;
    CTransparentHelper m_transparent;
};
