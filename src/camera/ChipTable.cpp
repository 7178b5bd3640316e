// The chip-family table (see ChipTable.h).
#include "camera/ChipTable.h"

#include "common/SensorHelperProtocol.h"

namespace {
const ChipRow kRows[] = {
    {L"VID_0C45&PID_62C0", 0, 1, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> SONIXDll"},
    {L"VID_0402&PID_7670", 1, 1, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> VEYRADll"},
    {L"VID_0402&PID_7675", 1, 1, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> VEYRADll"},
    {L"VID_0402&PID_9665", 1, 0, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> VEYRADll"},
    {L"VID_04FC&PID_2800", 2, 0, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> SUNPLUSDll"},
    {L"VID_04FC&PID_2801", 3, 0, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> SUNPLUSDll_KT4B"},
    {L"VID_058F&PID_B002", 4, 0, 0, "Camera::chkDeviceIdProceed FOUND!!! ==> Alcor_KT4A"},
};
} // namespace

const ChipRow* ChipRows(std::size_t* count)
{
    if (count)
        *count = sizeof kRows / sizeof kRows[0];
    return kRows;
}

std::wstring UpperCaseAscii(const std::wstring& text)
{
    std::wstring upper(text);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return upper;
}

const ChipRow* MatchChipRow(const std::wstring& upperDevicePath)
{
    for (const ChipRow& row : kRows) {
        if (upperDevicePath.find(row.pathText) != std::wstring::npos)
            return &row;
    }
    return nullptr;
}

bool StartsAt640x480First(std::uint8_t isp, int width, int height)
{
    return isp == 3 && width == 1280 && height == 800;
}

OrientationPath OrientationPathFor(std::uint8_t isp)
{
    if (isp <= 2)
        return OrientationPath::Sensor;
    if (isp <= 4)
        return OrientationPath::Filter;
    return OrientationPath::None;
}

unsigned SensorOrientationMessage(std::uint8_t isp, bool flip)
{
    switch (isp) {
    case 0:
        return flip ? kMsgSonixFlip : kMsgSonixMirror;
    case 1:
        return flip ? kMsgBrindleFlip : kMsgBrindleMirror;
    case 2:
        return flip ? kMsgSunplusFlip : kMsgSunplusMirror;
    default:
        return 0;
    }
}
