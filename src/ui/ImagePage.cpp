// The Properties dialog's image page (see ImagePage.h).
#include "ui/ImagePage.h"

#include <cstdio>
#include <memory>

#include "camera/Camera.h"
#include "capture/Preview.h"
#include "res/resource.h"
#include "settings/DebugLog.h"
#include "settings/LangText.h"
#include "ui/Properties.h"
#include "ui/TransparentHelper.h"

FX_BEGIN_MESSAGE_MAP(ImagePage, SkinPage)
FX_ON_WM_HSCROLL(OnHScroll)
FX_ON_WM_SIZE(OnSize)
FX_ON_MESSAGE(CTransparentHelper::kGetBackgroundMessage, OnGetBackground)
FX_END_MESSAGE_MAP()

namespace {

struct SliderPlace
{
    UINT slider, name, value;
    const wchar_t* key; // also the English default
    int sliderY, nameY, valueY;
};

// In the toolbar's order: Brightness, Contrast, Gamma, Hue, Saturation, Sharpness.
constexpr SliderPlace kSliders[imagepage::kSliderCount] = {
    {IDC_IMG_BRIGHTNESS, IDC_IMG_BRIGHTNESS_NAME, IDC_IMG_BRIGHTNESS_VALUE, TextKey(L"Brightness"), 30, 33, 59},
    {IDC_IMG_CONTRAST, IDC_IMG_CONTRAST_NAME, IDC_IMG_CONTRAST_VALUE, TextKey(L"Contrast"), 78, 81, 107},
    {IDC_IMG_GAMMA, IDC_IMG_GAMMA_NAME, IDC_IMG_GAMMA_VALUE, TextKey(L"Gamma"), 125, 128, 154},
    {IDC_IMG_HUE, IDC_IMG_HUE_NAME, IDC_IMG_HUE_VALUE, TextKey(L"Hue"), 170, 173, 199},
    {IDC_IMG_SATURATION, IDC_IMG_SATURATION_NAME, IDC_IMG_SATURATION_VALUE, TextKey(L"Saturation"), 220, 223, 246},
    {IDC_IMG_SHARPNESS, IDC_IMG_SHARPNESS_NAME, IDC_IMG_SHARPNESS_VALUE, TextKey(L"Sharpness"), 266, 269, 292},
};
constexpr int kSliderX = 96, kSliderWidth = 158, kSliderHeight = 26;
constexpr int kNameX = 8, kNameWidth = 85, kNameHeight = 30;
constexpr int kValueX = 180, kValueWidth = 70, kValueHeight = 25;

} // namespace

ImagePage::ImagePage(Properties& owner) : SkinPage(IDD_IMAGE_PAGE, IDB_PAGE_IMAGE, owner), pimgOwner(&owner) {}

BOOL ImagePage::OnInitDialog()
{
    SkinPage::OnInitDialog();
    CreatePageFont(m_valueFont, 13, 13, FW_NORMAL);
    for (int i = 0; i < imagepage::kSliderCount; ++i) {
        const SliderPlace& place = kSliders[i];
        m_sliders[i].SubclassDlgItem(place.slider, Hwnd());
        Place(place.slider, kSliderX, place.sliderY, kSliderWidth, kSliderHeight);
        SetLabel(place.name, place.key, place.key, kNameX, place.nameY, kNameWidth, kNameHeight);
        Place(place.value, kValueX, place.valueY, kValueWidth, kValueHeight);
        ::SendMessageW(GetDlgItem(place.value), WM_SETFONT, reinterpret_cast<WPARAM>(m_valueFont.Get()), FALSE);
    }

    ToolbarLink* toolbar = pimgOwner->pSkinProp;
    Preview* preview = toolbar ? toolbar->OpenPreview() : nullptr;
    const bool open = toolbar && toolbar->IsPreviewOpen();
    DebugLog("ImagePage::OnInitDialog pimgOwner->pSkinProp->bTolPrevWnd=%d", open ? 1 : 0);
    DebugLog("ImagePage::OnInitDialog pimgOwner->pSkinProp->cPreview=%p", static_cast<void*>(preview));
    if (open && preview) {
        if (preview->VideoProcAmp()) {
            InitBrightness();
            InitContrast();
            InitGamma();
            InitHue();
            InitSaturation();
            InitSharpness();
        } else {
            EnableSliders(false);
        }
    } else {
        ShowSlidersWithoutCamera();
    }
    return TRUE;
}

IAMVideoProcAmp* ImagePage::LiveCamera() const
{
    ToolbarLink* toolbar = pimgOwner->pSkinProp;
    Preview* preview = toolbar ? toolbar->OpenPreview() : nullptr;
    return preview ? preview->VideoProcAmp() : nullptr;
}

void ImagePage::ShowSlidersWithoutCamera()
{
    ToolbarLink* toolbar = pimgOwner->pSkinProp;
    Preview* preview = toolbar ? toolbar->OpenPreview() : nullptr;
    BYTE isp = 255, vgaModule = 0;
    if (preview) {
        isp = preview->isp;
        vgaModule = preview->m_bVGAModule;
    } else {
        std::unique_ptr<Camera> camera(new Camera(nullptr));
        camera->ChkDeviceisp();
        isp = camera->isp;
        vgaModule = camera->bVGAModule;
    }
    if (toolbar) {
        SettingsRecord& record = toolbar->Settings();
        int saved[imagepage::kSliderCount] = {};
        for (int i = 0; i < imagepage::kSliderCount; ++i)
            saved[i] = ImageValue(record, i);
        imagepage::OfflineSliders sliders = {};
        if (imagepage::SlidersWithoutCamera(isp, vgaModule == 1, record.m_bImageSet, saved, sliders)) {
            for (int i = 0; i < imagepage::kSliderCount; ++i)
                ShowValue(i, sliders.range[i].minimum, sliders.range[i].maximum, sliders.position[i]);
        }
    }
    EnableSliders(false);
}

void ImagePage::InitBrightness()
{
    InitSlider(0, "InitBrightness");
}
void ImagePage::InitContrast()
{
    InitSlider(1, "InitContrast");
}
void ImagePage::InitGamma()
{
    InitSlider(2, "InitGamma");
}
void ImagePage::InitHue()
{
    InitSlider(3, "InitHue");
}
void ImagePage::InitSaturation()
{
    InitSlider(4, "InitSaturation");
}
void ImagePage::InitSharpness()
{
    InitSlider(5, "InitSharpness");
}

void ImagePage::InitSlider(int index, const char* name)
{
    DebugLog("ImagePage::%s[IN]", name);
    IAMVideoProcAmp* amp = LiveCamera();
    if (!amp || FAILED(amp->GetRange(imagepage::kProperty[index], &m_lMin, &m_lMax, &m_lStep, &m_lDefault, &m_lFlags)))
        return; // the slider stays as the template made it
    const HRESULT got = amp->Get(imagepage::kProperty[index], &m_lValue, &m_lFlags);
    UpdateValueLabel(index, static_cast<int>(m_lValue)); // the value last read, even when this read failed
    if (SUCCEEDED(got)) {
        m_sliders[index].SetRange(static_cast<int>(m_lMin), static_cast<int>(m_lMax), true);
        m_sliders[index].SetPos(static_cast<int>(m_lValue));
    }
    DebugLog("ImagePage::%s[OUT]", name);
}

void ImagePage::ShowValue(int index, int minimum, int maximum, int value)
{
    if (index < 0 || index >= imagepage::kSliderCount || !m_sliders[index].IsWindow())
        return;
    UpdateValueLabel(index, value);
    m_sliders[index].SetRange(minimum, maximum, true);
    m_sliders[index].SetPos(value);
}

int ImagePage::SliderPosition(int index) const
{
    if (index < 0 || index >= imagepage::kSliderCount || !m_sliders[index].IsWindow())
        return 0;
    return m_sliders[index].GetPos();
}

void ImagePage::EnableSliders(bool enable)
{
    for (CSliderCtrlEx& slider : m_sliders)
        if (slider.IsWindow())
            slider.EnableWindow(enable);
    if (IsWindow())
        ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ImagePage::UpdateValueLabel(int index, int value)
{
    HWND label = GetDlgItem(kSliders[index].value);
    if (!label)
        return;
    // The label paints no background of its own: blanks over the old text first, then the new value.
    ::SetWindowTextW(label, L"             ");
    ::UpdateWindow(label);
    wchar_t text[16] = {};
    (void)_snwprintf(text, sizeof text / sizeof text[0] - 1, L"%d ", value);
    ::SetWindowTextW(label, text);
    ::UpdateWindow(label);
    ::ShowWindow(label, SW_SHOW);
}

void ImagePage::OnHScroll(UINT, UINT, HWND control)
{
    int index = -1;
    for (int i = 0; i < imagepage::kSliderCount; ++i)
        if (control && control == m_sliders[i].Hwnd())
            index = i;
    ToolbarLink* toolbar = pimgOwner->pSkinProp;
    if (index >= 0 && toolbar) {
        const int position = m_sliders[index].GetPos();
        if (toolbar->IsPreviewOpen()) {
            if (IAMVideoProcAmp* amp = LiveCamera()) {
                (void)amp->Set(imagepage::kProperty[index], position, m_lFlags); // a refused value is the camera's
                UpdateValueLabel(index, position);
            }
        } else {
            UpdateValueLabel(index, position);
        }
    }
    Default();
}

void ImagePage::LoadDefaultSetting()
{
    ToolbarLink* toolbar = pimgOwner->pSkinProp;
    const bool open = toolbar && toolbar->IsPreviewOpen();
    DebugLog("ImagePage::LoadDefaultSettingpimgOwner->pSkinProp->bTolPrevWnd=%d", open ? 1 : 0);
    IAMVideoProcAmp* amp = open ? LiveCamera() : nullptr;
    if (!amp)
        return;
    SettingsRecord& record = toolbar->Settings();
    for (int i = 0; i < imagepage::kSliderCount; ++i) {
        // A range the camera will not give leaves the values of the last query.
        (void)amp->GetRange(imagepage::kProperty[i], &m_lMin, &m_lMax, &m_lStep, &m_lDefault, &m_lFlags);
        (void)amp->Set(imagepage::kProperty[i], m_lDefault, m_lFlags);
        UpdateValueLabel(i, static_cast<int>(m_lDefault));
        m_sliders[i].SetPos(static_cast<int>(m_lDefault));
        ImageDefault(record, i) = static_cast<int>(m_lDefault);
    }
}

COLORREF ImagePage::LabelTextColour(HWND control) const
{
    const int id = ::GetDlgCtrlID(control);
    for (const SliderPlace& place : kSliders)
        if (id == static_cast<int>(place.name) || id == static_cast<int>(place.value))
            return LiveCamera() ? kLabelText : kLabelGrey;
    return CLR_INVALID;
}

void ImagePage::OnSize(UINT, int cx, int cy)
{
    Default();
    if (cx <= 0 || cy <= 0)
        return;
    fx::Bitmap background;
    if (!background.Load(BackgroundId()))
        return; // the plain page stays
    fx::ClientDC screen(Hwnd());
    fx::Bitmap picture;
    if (!picture.CreateCompatible(screen, cx, cy))
        return;
    {
        fx::MemoryDC target(screen), source(screen);
        fx::SelectObjectGuard selectTarget(target, picture), selectSource(source, background);
        if (!selectTarget.Selected() || !selectSource.Selected())
            return;
        const SIZE size = background.Size();
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, 0, 0, cx, cy, source, 0, 0, size.cx, size.cy, SRCCOPY);
    }
    m_picture = std::move(picture);
    CTransparentHelper::RefreshTransparentChildren(Hwnd());
}

void ImagePage::PaintBackground(HDC dc)
{
    if (!m_picture) {
        SkinPage::PaintBackground(dc);
        return;
    }
    fx::MemoryDC memory(dc);
    fx::SelectObjectGuard select(memory, m_picture);
    const SIZE size = m_picture.Size();
    if (select.Selected())
        BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
}

LRESULT ImagePage::OnGetBackground(WPARAM wParam, LPARAM lParam)
{
    if (!m_picture)
        return 0;
    fx::MemoryDC memory(reinterpret_cast<HDC>(wParam));
    fx::SelectObjectGuard select(memory, m_picture);
    if (!select.Selected())
        return 0;
    return CTransparentHelper::CopyParentBackground(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                                                    memory)
               ? 1
               : 0;
}
