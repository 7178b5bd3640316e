// What the graphs ask of the camera's stream configuration: whether it offers a 1280 x 720 mode, and
// setting the frame format of a resolution state on it.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <functional>

#include "capture/StreamFormatRule.h"

// True when one of the camera's capabilities is a 1280 x 720 mode (FormatOffersSSVGA).
bool CameraOffersSSVGA(IAMStreamConfig* config);

// Writes the format into the camera's current media type and sets it. Only a current format that GetFormat
// gives as S_OK with a VIDEOINFOHEADER is changed; otherwise the camera keeps its format and the answer is
// S_FALSE. beforeSet (may be empty) runs right before SetFormat. A failing SetFormat gives its result.
HRESULT SetCameraFormat(IAMStreamConfig* config, const StreamFormat& format, const std::function<void()>& beforeSet);
