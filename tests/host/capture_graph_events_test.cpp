// What the preview does with a graph's events: a lost or broken camera closes it, a failed file write ends
// only the recording. HRESULTs are the system's own values for the errors.
#include <gtest/gtest.h>

#include "capture/GraphEventRule.h"

namespace {

using namespace graphevent;

constexpr int32_t kDiskFull = static_cast<int32_t>(0x80070070);       // HRESULT_FROM_WIN32(ERROR_DISK_FULL)
constexpr int32_t kNotConnected = static_cast<int32_t>(0x8007048F);   // ERROR_DEVICE_NOT_CONNECTED
constexpr int32_t kGeneralFailure = static_cast<int32_t>(0x8007001F); // ERROR_GEN_FAILURE

TEST(GraphEvents, AnUnpluggedCameraEndsThePreviewButItsReturnDoesNot)
{
    EXPECT_EQ(Classify(0x1F, 0, 0, false), Outcome::CameraLost);
    EXPECT_EQ(Classify(0x1F, 0, 0, true), Outcome::CameraLost);
    EXPECT_EQ(Classify(0x1F, 0, 1, true), Outcome::None) << "the device arrived again";
}

TEST(GraphEvents, AFailedWriteEndsOnlyTheRecording)
{
    for (long code : {0x03L, 0x45L, 0x06L}) {
        EXPECT_EQ(Classify(code, kDiskFull, 0, true), Outcome::WriteFailed) << code;
        EXPECT_EQ(Classify(code, kNotConnected, 0, true), Outcome::CameraLost) << code;
        EXPECT_EQ(Classify(code, kDiskFull, 0, false), Outcome::CameraLost) << "the preview writes no file";
    }
    EXPECT_TRUE(IsWriteFailure(static_cast<int32_t>(0x80070027))) << "ERROR_HANDLE_DISK_FULL";
    EXPECT_FALSE(IsWriteFailure(kGeneralFailure));
    EXPECT_FALSE(IsWriteFailure(0x70)) << "a bare error number is no HRESULT";
}

TEST(GraphEvents, EndOfStreamAndOtherNoticesChangeNothing)
{
    EXPECT_EQ(Classify(0x01, 0, 0, true), Outcome::None);
    EXPECT_EQ(Classify(0x0E, 0, 0, false), Outcome::None); // EC_REPAINT
}

} // namespace
