// Which graph events end the preview or the recording (see GraphEventRule.h).
#include "capture/GraphEventRule.h"

namespace graphevent {

namespace {

// Win32 error codes as the file writer reports them, wrapped as HRESULT_FROM_WIN32.
constexpr uint32_t kWin32Facility = 0x80070000u;
constexpr uint32_t kWriteErrors[] = {
    39,   // ERROR_HANDLE_DISK_FULL
    112,  // ERROR_DISK_FULL
    1816, // ERROR_NOT_ENOUGH_QUOTA
    29,   // ERROR_WRITE_FAULT
    19,   // ERROR_WRITE_PROTECT
    223,  // ERROR_FILE_TOO_LARGE
};

} // namespace

bool IsWriteFailure(int32_t hr)
{
    const uint32_t value = static_cast<uint32_t>(hr);
    if ((value & 0xFFFF0000u) != kWin32Facility)
        return false;
    for (uint32_t code : kWriteErrors)
        if ((value & 0xFFFFu) == code)
            return true;
    return false;
}

Outcome Classify(long code, intptr_t param1, intptr_t param2, bool recording)
{
    switch (code) {
    case kDeviceLost:
        return param2 == 0 ? Outcome::CameraLost : Outcome::None;
    case kErrorAbort:
    case kErrorAbortEx:
    case kStreamErrorStopped:
        // Only the recording graph writes a file; any other abort means the camera stopped delivering.
        if (recording && IsWriteFailure(static_cast<int32_t>(param1)))
            return Outcome::WriteFailed;
        return Outcome::CameraLost;
    default:
        return Outcome::None;
    }
}

} // namespace graphevent
