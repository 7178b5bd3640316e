// The Properties dialog's options page (see OptionsPage.h).
#include "ui/OptionsPage.h"

#include <memory>

#include "camera/Camera.h"
#include "capture/Preview.h"
#include "res/resource.h"
#include "settings/DebugLog.h"
#include "ui/Properties.h"

FX_BEGIN_MESSAGE_MAP(OptionsPage, SkinPage)
FX_ON_BN_CLICKED(IDC_OPT_MIRROR, OnMirrorClicked)
FX_ON_BN_CLICKED(IDC_OPT_FLIP, OnFlipClicked)
FX_ON_BN_CLICKED(IDC_OPT_50HZ, On50HzClicked)
FX_ON_BN_CLICKED(IDC_OPT_60HZ, On60HzClicked)
FX_ON_WM_MOUSEMOVE(OnMouseMove)
FX_END_MESSAGE_MAP()

namespace {
// The camera's power-line property in DirectShow's numbering (KSPROPERTY_VIDEOPROCAMP_POWERLINE_FREQUENCY).
constexpr long kPowerLineProperty = 13;
constexpr long kNodeManualFlags = 2;
constexpr long kFallbackManualFlags = 1;
} // namespace

OptionsPage::OptionsPage(Properties& owner) : SkinPage(IDD_OPTIONS_PAGE, IDB_PAGE_OPTIONS, owner), poptOwner(&owner) {}

BOOL OptionsPage::OnInitDialog()
{
    DebugLog("OptionsPage::OnInitDialog[IN]");
    SkinPage::OnInitDialog();
    SetLabel(IDC_OPT_FLIP_TITLE, L"Flip", L"Flip", 15, 10, 200, 25);
    SetLabel(IDC_OPT_HORIZONTAL_LABEL, L"Horizontal", L"Horizontal", 80, 35, 100, 25);
    SetLabel(IDC_OPT_VERTICAL_LABEL, L"Vertical", L"Vertical", 80, 60, 100, 25);
    SetLabel(IDC_OPT_PLFREQ_TITLE, L"PLFreq", L"PowerLine Freqency", 15, 110, 200, 25);
    SetLabel(IDC_OPT_50HZ_LABEL, L"50HZ", L"50HZ", 138, 138, 70, 25);
    SetLabel(IDC_OPT_60HZ_LABEL, L"60HZ", L"60HZ", 223, 138, 70, 25);

    m_btnMirror.SubclassDlgItem(IDC_OPT_MIRROR, Hwnd());
    m_btnFlip.SubclassDlgItem(IDC_OPT_FLIP, Hwnd());
    m_btn50Hz.SubclassDlgItem(IDC_OPT_50HZ, Hwnd());
    m_btn60Hz.SubclassDlgItem(IDC_OPT_60HZ, Hwnd());
    Place(IDC_OPT_MIRROR, 232, 35, 17, 17);
    Place(IDC_OPT_FLIP, 232, 60, 17, 17);
    Place(IDC_OPT_50HZ, 114, 138, 19, 20);
    Place(IDC_OPT_60HZ, 198, 138, 19, 20);
    m_btnMirror.LoadBitmaps(IDB_CHECK_OFF);
    m_btnFlip.LoadBitmaps(IDB_CHECK_OFF);
    m_btn50Hz.LoadBitmaps(IDB_RADIO_OFF);
    m_btn60Hz.LoadBitmaps(IDB_RADIO_ON);

    ToolbarLink* toolbar = poptOwner->pSkinProp;
    if (Preview* preview = toolbar ? toolbar->OpenPreview() : nullptr) {
        if (preview->m_bIsMirrorSelected) {
            m_btnMirror.LoadBitmaps(IDB_CHECK_ON);
            m_btnMirror.bSelected = 1;
        }
        if (preview->m_bIsFlipSelected) {
            m_btnFlip.LoadBitmaps(IDB_CHECK_ON);
            m_btnFlip.bSelected = 1;
        }
    } else {
        m_btnMirror.EnableWindow(false);
        m_btnFlip.EnableWindow(false);
    }
    ShowFrequency(toolbar && toolbar->Settings().m_bPowerline60Hz);
    InitPowerFrequency();
    DebugLog("OptionsPage::OnInitDialog[OUT]");
    return TRUE;
}

COLORREF OptionsPage::LabelTextColour(HWND control) const
{
    switch (::GetDlgCtrlID(control)) {
    case IDC_OPT_FLIP_TITLE:
    case IDC_OPT_HORIZONTAL_LABEL:
    case IDC_OPT_VERTICAL_LABEL: {
        ToolbarLink* toolbar = poptOwner->pSkinProp;
        return toolbar && toolbar->OpenPreview() ? kLabelText : kLabelGrey;
    }
    case IDC_OPT_PLFREQ_TITLE:
    case IDC_OPT_50HZ_LABEL:
    case IDC_OPT_60HZ_LABEL:
        return kLabelText;
    default:
        return CLR_INVALID;
    }
}

void OptionsPage::InitPowerFrequency()
{
    ToolbarLink* toolbar = poptOwner->pSkinProp;
    Preview* preview = toolbar ? toolbar->OpenPreview() : nullptr;
    IBaseFilter* capture = preview && toolbar->IsPreviewOpen() ? preview->CurrentGraph().CaptureFilter() : nullptr;
    if (!capture)
        return;
    dshow::ComPtr<IKsTopologyInfo> topology;
    if (SUCCEEDED(capture->QueryInterface(IID_IKsTopologyInfo, topology.PutVoid())) && topology) {
        DWORD count = 0;
        if (FAILED(topology->get_NumNodes(&count)))
            count = 0;
        for (DWORD i = 0; i < count; ++i) {
            GUID type = GUID_NULL;
            if (FAILED(topology->get_NodeType(i, &type)))
                continue; // a node whose type cannot be read is passed over
            if (!IsEqualGUID(type, KSNODETYPE_VIDEO_PROCESSING))
                continue;
            // A unit at position 0 does not count: the camera then has no interface for the frequency.
            if (i != 0 && (FAILED(topology->CreateNodeInstance(i, IID_IVideoProcAmp, m_pNode.PutVoid())) || !m_pNode))
                m_pNode.Reset();
            break;
        }
    } else if (FAILED(capture->QueryInterface(IID_IAMVideoProcAmp, m_pFallback.PutVoid())) || !m_pFallback) {
        m_pFallback.Reset();
    }
    DebugLog("OptionsPage::InitPowerFrequency[OUT]");
}

bool OptionsPage::SetPowerLineFrequency(long frequency)
{
    // A camera that refuses keeps its own frequency; nothing more can be done about it here.
    if (m_pNode) {
        (void)m_pNode->put_PowerlineFrequency(frequency, kNodeManualFlags);
        return true;
    }
    if (m_pFallback) {
        (void)m_pFallback->Set(kPowerLineProperty, frequency, kFallbackManualFlags);
        return true;
    }
    return false;
}

void OptionsPage::ShowFrequency(bool sixty)
{
    m_btn50Hz.bSelected = sixty ? 0 : 1;
    m_btn60Hz.bSelected = sixty ? 1 : 0;
    m_btn50Hz.LoadBitmaps(sixty ? IDB_RADIO_OFF : IDB_RADIO_ON);
    m_btn60Hz.LoadBitmaps(sixty ? IDB_RADIO_ON : IDB_RADIO_OFF);
    m_btn50Hz.bHover = 0;
    m_btn60Hz.bHover = 0;
    m_btn50Hz.Invalidate(true);
    m_btn60Hz.Invalidate(true);
}

void OptionsPage::On60HzClicked()
{
    if (m_btn60Hz.bSelected)
        return;
    (void)SetPowerLineFrequency(2); // without an interface only the pictures change
    ShowFrequency(true);
}

void OptionsPage::On50HzClicked()
{
    if (m_btn50Hz.bSelected)
        return;
    (void)SetPowerLineFrequency(1);
    ShowFrequency(false);
}

void OptionsPage::OnMirrorClicked()
{
    const bool wasChecked = m_btnMirror.bSelected != 0;
    // The mouse is still over the box: a cleared box shows its hover picture until the mouse leaves it.
    m_btnMirror.LoadBitmaps(wasChecked ? IDB_CHECK_HOVER : IDB_CHECK_ON);
    m_btnMirror.bHover = wasChecked ? 1 : 0;
    m_btnMirror.bSelected = wasChecked ? 0 : 1;
    m_btnMirror.Invalidate(true);
    if (poptOwner->pSkinProp && poptOwner->pSkinProp->IsPreviewOpen())
        ImageMirror(m_btnMirror.bSelected);
}

void OptionsPage::OnFlipClicked()
{
    const bool wasChecked = m_btnFlip.bSelected != 0;
    m_btnFlip.LoadBitmaps(wasChecked ? IDB_CHECK_HOVER : IDB_CHECK_ON);
    m_btnFlip.bHover = wasChecked ? 1 : 0;
    m_btnFlip.bSelected = wasChecked ? 0 : 1;
    m_btnFlip.Invalidate(true);
    if (poptOwner->pSkinProp && poptOwner->pSkinProp->IsPreviewOpen())
        ImageFlip(m_btnFlip.bSelected);
}

void OptionsPage::ImageMirror(BYTE state)
{
    SendOrientation(true, state, m_btnFlip.bSelected, "OptionsPage::ImageMirror");
}

void OptionsPage::ImageFlip(BYTE state)
{
    SendOrientation(false, m_btnMirror.bSelected, state, "OptionsPage::ImageFlip");
}

void OptionsPage::RestoreOrientation(BYTE mirror, BYTE flip)
{
    if ((m_btnMirror.bSelected != 0) != (mirror != 0))
        SendOrientation(true, mirror, flip, "OptionsPage::ImageMirror");
    if ((m_btnFlip.bSelected != 0) != (flip != 0))
        SendOrientation(false, mirror, flip, "OptionsPage::ImageFlip");
}

void OptionsPage::SendOrientation(bool mirrorCommand, BYTE mirror, BYTE flip, const char* trace)
{
    ToolbarLink* toolbar = poptOwner->pSkinProp;
    Preview* preview = toolbar ? toolbar->OpenPreview() : nullptr;
    if (!preview)
        return;
    // The preview's codes are copied: no new identification runs.
    std::unique_ptr<Camera> camera(new Camera(preview));
    camera->isp = preview->isp;
    camera->bVGAModule = preview->m_bVGAModule;
    DebugLog("%s poptOwner->pSkinProp->cPreview->isp=%d", trace, preview->isp);
    DebugLog("%s poptOwner->pSkinProp->cPreview->bVGAModule=%d", trace, preview->m_bVGAModule);
    camera->bMirror = mirror;
    camera->bFlip = flip;
    if (mirrorCommand)
        camera->SetMirror(mirror);
    else
        camera->SetFlip(flip);
}

void OptionsPage::LoadDefaultSetting()
{
    ToolbarLink* toolbar = poptOwner->pSkinProp;
    Preview* preview = toolbar ? toolbar->OpenPreview() : nullptr;
    std::unique_ptr<Camera> camera(new Camera(preview));
    if (preview) {
        camera->isp = preview->isp;
        camera->bVGAModule = preview->m_bVGAModule;
        DebugLog("OptionsPage::LoadDefaultSetting poptOwner->pSkinProp->cPreview->isp=%d", preview->isp);
        DebugLog("OptionsPage::LoadDefaultSetting poptOwner->pSkinProp->cPreview->bVGAModule=%d",
                 preview->m_bVGAModule);
    } else {
        camera->ChkDeviceisp();
    }
    const bool sixty = camera->bVGAModule == 1;
    if (!toolbar || !toolbar->IsPreviewOpen()) {
        ShowFrequency(sixty);
        return;
    }
    (void)SetPowerLineFrequency(sixty ? 2 : 1);
    ShowFrequency(sixty);
    if (!preview)
        return;
    if (preview->m_bIsFlipSelected || m_btnFlip.bSelected) {
        m_btnFlip.bSelected = 0;
        m_btnFlip.LoadBitmaps(IDB_CHECK_OFF);
        m_btnFlip.Invalidate(true);
        camera->bMirror = 0;
        camera->bFlip = 0;
        camera->SetFlip(0);
    }
    if (preview->m_bIsMirrorSelected || m_btnMirror.bSelected) {
        m_btnMirror.bSelected = 0;
        m_btnMirror.LoadBitmaps(IDB_CHECK_OFF);
        m_btnMirror.Invalidate(true);
        camera->bMirror = 0;
        camera->bFlip = 0;
        camera->SetMirror(0);
    }
}

void OptionsPage::ClearOrientationChecks(bool enable)
{
    for (MyCheckButton* check : {&m_btnMirror, &m_btnFlip}) {
        if (!check->IsWindow())
            continue;
        check->bSelected = 0;
        check->bHover = 0;
        check->LoadBitmaps(IDB_CHECK_OFF);
        check->EnableWindow(enable);
        check->Invalidate(true);
    }
    Invalidate(true);
}

void OptionsPage::OnMouseMove(UINT, POINT)
{
    for (MyCheckButton* check : {&m_btnMirror, &m_btnFlip}) {
        if (check->bSelected == 0 && check->bHover == 1) {
            check->bHover = 0;
            check->LoadBitmaps(IDB_CHECK_OFF);
            check->Invalidate(true);
        }
    }
    for (MyRadioButton* radio : {&m_btn50Hz, &m_btn60Hz}) {
        if (radio->bSelected == 0 && radio->bHover == 1) {
            radio->bHover = 0;
            radio->LoadBitmaps(IDB_RADIO_OFF);
            radio->Invalidate(true);
        }
    }
    Default();
}
