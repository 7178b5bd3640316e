// Host timing program: how long the simulated camera takes to draw its largest frame.
#include "sim/model/Profiles.h"
#include "sim/model/TestPicture.h"
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

int main()
{
    auto device = std::make_unique<sim::DeviceState>();
    sim::ApplyProfile(*device, sim::ProfileId::Veyra9665);
    device->imageValue[sim::kImageBrightness] += 20;
    sim::TestPicture picture;
    if (!picture.Configure(1280, 1024))
        return 1;
    std::vector<uint8_t> frame(picture.FrameBytes());
    const int kFrames = 300;
    double best = 1e9, total = 0;
    for (int i = 0; i < kFrames; ++i) {
        auto start = std::chrono::steady_clock::now();
        picture.DrawYuy2(frame.data(), frame.size(), static_cast<uint32_t>(i), {i % 2 == 1, i % 3 == 1},
                         sim::ToneOf(*device));
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        best = ms < best ? ms : best;
        total += ms;
    }
    std::printf("1280x1024 YUY2 frame: best %.3f ms, mean %.3f ms over %d frames\n", best, total / kFrames, kFrames);
    return 0;
}
