// The five resolution states and the frame format the preview and capture graphs ask from the camera for
// each: a camera without a 1280 x 720 mode is asked for 1280 x 800 and the scaler cuts it to 1280 x 720.
#pragma once

#include <cstdint>

constexpr int kResolutionStateCount = 5;

struct FrameSize
{
    int width;
    int height;
};

// Wanted size of a state: 0 320x240, 1 640x480, 2 1280x720, 3 1280x800, 4 1280x1024; any other state 640x480.
FrameSize WantedSizeForState(int resState);
bool IsResolutionState(int resState);
// The state's name in the log ("QVGA", "VGA", "SSVGA", "SVFA", "XVGA"), or null outside 0 to 4.
const char* ResolutionStateLogName(int resState);

enum class CameraSubtype {
    Yuy2,
    Mjpg,
};

// What is written into the camera's VIDEOINFOHEADER media type before SetFormat, and what goes with it.
struct StreamFormat
{
    std::int64_t avgTimePerFrame; // 100 ns units
    int width;                    // biWidth
    int height;                   // biHeight
    std::uint32_t sizeImage;      // biSizeImage
    CameraSubtype subtype;
    bool scaleMode; // the scaler turns 1280 x 800 into 1280 x 720
    int frameWidth; // frame size handed to the snapshot state
    int frameHeight;
};

// The camera delivers MJPG through the system's decompressor at 720 lines and more on MJPG modules.
bool UsesMjpegPath(FrameSize wanted, bool mjpegModule);
// The scaler's scale mode: 1280 x 720 wanted from a camera that has no such mode.
bool ScalerScalesTo720(FrameSize wanted, bool deviceHasSSVGA);

// Live preview: any frame rate, MJPG or YUY2 by UsesMjpegPath, snapshot frame of the wanted size.
StreamFormat PreviewStreamFormat(FrameSize wanted, bool deviceHasSSVGA, bool mjpegModule);
// Recording: 15 frames per second, always YUY2, snapshot frame of the size asked from the camera.
StreamFormat CaptureStreamFormat(FrameSize wanted, bool deviceHasSSVGA);

// Whether one of the camera's formats, given as its width and absolute height, is a 1280 x 720 mode. The
// size is judged by its text "%d x %d ": it holds "1280", and "720" from the third character on.
bool FormatOffersSSVGA(int width, int height);
