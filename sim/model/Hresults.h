// Result codes the camera driver answers with, as plain numbers so the device model stays free of
// windows.h; the Windows glue passes them through unchanged as HRESULTs.
#pragma once
#include <cstdint>

namespace sim {

constexpr int32_t kOk = 0;
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);               // E_FAIL
constexpr int32_t kInvalidArg = static_cast<int32_t>(0x80070057u);         // E_INVALIDARG
constexpr int32_t kPropIdUnsupported = static_cast<int32_t>(0x80070490u);  // E_PROP_ID_UNSUPPORTED
constexpr int32_t kPropSetUnsupported = static_cast<int32_t>(0x80070492u); // E_PROP_SET_UNSUPPORTED
constexpr int32_t kInsufficientBuffer = static_cast<int32_t>(0x8007007Au); // HRESULT_FROM_WIN32(122)
constexpr int32_t kBusy = static_cast<int32_t>(0x800700AAu);               // HRESULT_FROM_WIN32(ERROR_BUSY)
constexpr int32_t kNotConnected = static_cast<int32_t>(0x8007048Fu); // HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED)

} // namespace sim
