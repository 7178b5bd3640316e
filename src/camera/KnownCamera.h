// Finding the camera among the system's video-input devices: the first device, in the system device
// enumerator's order, whose device path names a known chip row and whose capture filter can be bound.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>

#include "dshow/ComPtr.h"

struct KnownCameraSearch
{
    // Skip devices without a readable "FriendlyName".
    bool requireFriendlyName = false;
    // Log every device path read ("Camera::ChkDeviceId DevicePath=%s").
    bool logDevicePath = true;
    // Places for the matching row's codes; each may be null. Codes of a matching device whose filter
    // cannot be bound stay written.
    BYTE* isp = nullptr;
    BYTE* bVGAModule = nullptr;
    BYTE* bMJPEGModule = nullptr;
};

// Binds the first known camera's capture filter into filter. True when a filter was bound.
bool BindFirstKnownCamera(const KnownCameraSearch& search, dshow::ComPtr<IBaseFilter>& filter);

// Matches an upper-cased device path against the chip table and logs the row's text (or the no-match line).
// Writes the first matching row's codes into the places that are not null; writes nothing without a match.
bool MatchKnownCamera(const std::wstring& upperDevicePath, BYTE* isp, BYTE* bVGAModule, BYTE* bMJPEGModule);
