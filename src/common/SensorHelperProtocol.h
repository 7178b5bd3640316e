// What Quillo and Tessel agree on: the helper's window title, its program file, the single-instance name and
// every window message Quillo sends it. wParam of an orientation message is the camera's module flag,
// lParam 1 (on) or 0 (off); every message is sent synchronously and nothing is sent back.
#pragma once

// Title of the helper's hidden window; Quillo finds it with FindWindowW(nullptr, kSensorHelperTitle).
constexpr wchar_t kSensorHelperTitle[] = L"Tessel";
// The helper's program file, started from Quillo's own folder.
constexpr wchar_t kSensorHelperProgram[] = L"Tessel.exe";
// Name of the helper's single-instance section and registered message.
constexpr wchar_t kSensorHelperInstanceName[] = L"{49E4CD26-9489-4474-91B0-2A30F6CA3098}";

// Window messages of the helper's window.
enum TesselMessage : unsigned {
    kMsgSonixFlip = 2024, // chip family 0
    kMsgSonixMirror = 2025,
    kMsgBrindleFlip = 3024, // chip family 1
    kMsgBrindleMirror = 3025,
    kMsgSunplusFlip = 4024, // chip family 2
    kMsgSunplusMirror = 4025,
    kMsgKt4bMirrorFlip = 4026, // answered by the helper, sent by nobody
    kMsgQuit = 2258,           // the preview closed: the helper ends
};
