// Resolution states and the camera's stream format (see StreamFormatRule.h).
#include "capture/StreamFormatRule.h"

#include <cstdio>
#include <cstring>
#include <limits>

namespace {
constexpr FrameSize kStateSizes[kResolutionStateCount] = {
    {320, 240}, {640, 480}, {1280, 720}, {1280, 800}, {1280, 1024}};
constexpr const char* kStateLogNames[kResolutionStateCount] = {"QVGA", "VGA", "SSVGA", "SVFA", "XVGA"};
constexpr std::int64_t kCaptureFrameTime = 666666; // 15 frames per second

StreamFormat CommonFormat(FrameSize wanted, bool deviceHasSSVGA)
{
    StreamFormat format{};
    format.scaleMode = ScalerScalesTo720(wanted, deviceHasSSVGA);
    format.width = wanted.width;
    format.height = format.scaleMode ? 800 : wanted.height;
    std::int64_t bytes = static_cast<std::int64_t>(wanted.width) * wanted.height * 3;
    format.sizeImage =
        bytes > 0 && bytes <= std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(bytes) : 0;
    return format;
}
} // namespace

bool IsResolutionState(int resState)
{
    return resState >= 0 && resState < kResolutionStateCount;
}

FrameSize WantedSizeForState(int resState)
{
    return IsResolutionState(resState) ? kStateSizes[resState] : kStateSizes[1];
}

const char* ResolutionStateLogName(int resState)
{
    return IsResolutionState(resState) ? kStateLogNames[resState] : nullptr;
}

bool UsesMjpegPath(FrameSize wanted, bool mjpegModule)
{
    return mjpegModule && wanted.height >= 720;
}

bool ScalerScalesTo720(FrameSize wanted, bool deviceHasSSVGA)
{
    return wanted.width == 1280 && wanted.height == 720 && !deviceHasSSVGA;
}

StreamFormat PreviewStreamFormat(FrameSize wanted, bool deviceHasSSVGA, bool mjpegModule)
{
    StreamFormat format = CommonFormat(wanted, deviceHasSSVGA);
    format.avgTimePerFrame = 0;
    format.subtype = UsesMjpegPath(wanted, mjpegModule) ? CameraSubtype::Mjpg : CameraSubtype::Yuy2;
    format.frameWidth = wanted.width;
    format.frameHeight = wanted.height;
    return format;
}

StreamFormat CaptureStreamFormat(FrameSize wanted, bool deviceHasSSVGA)
{
    StreamFormat format = CommonFormat(wanted, deviceHasSSVGA);
    format.avgTimePerFrame = kCaptureFrameTime;
    format.subtype = CameraSubtype::Yuy2;
    format.frameWidth = format.width;
    format.frameHeight = format.height;
    return format;
}

bool FormatOffersSSVGA(int width, int height)
{
    char text[32] = {};
    std::snprintf(text, sizeof text, "%d x %d ", width, height < 0 ? -height : height);
    if (!std::strstr(text, "1280"))
        return false;
    const char* at = std::strstr(text, "720");
    return at && at - text >= 2;
}
