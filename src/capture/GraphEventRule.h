// Windows-free rule for the events a running graph posts to the preview dialog: which of them end the preview
// (the camera is gone or broke off) and which end a recording as at a full disk (the file could not be written).
#pragma once

#include <cstdint>

namespace graphevent {

// Event codes of the graph's event queue that the preview acts on (values of the platform's evcode.h).
constexpr long kComplete = 0x01;
constexpr long kErrorAbort = 0x03;
constexpr long kStreamErrorStopped = 0x06;
constexpr long kDeviceLost = 0x1F;
constexpr long kErrorAbortEx = 0x45;

enum class Outcome {
    None,       // nothing for the dialog to do
    CameraLost, // the camera message; a recording is stopped and kept; the preview closes
    WriteFailed // the recording stops as at a full disk; the preview goes on
};

// What an event means. param1 is the event's first parameter (the failure's HRESULT for the aborts), param2 its
// second (for a lost device 0: removed, 1: back again). recording: the recording graph sent it.
Outcome Classify(long code, intptr_t param1, intptr_t param2, bool recording);

// The HRESULT is a failed file write (full disk or quota, write fault, protected medium, file too large).
bool IsWriteFailure(int32_t hr);

} // namespace graphevent
