// Speed of the AVI writer's layout code as the filter runs it: 1280x720 24-bit frames and 100 ms blocks of
// 48 kHz mono sound, each appended with its chunk header and index entry, RIFFs closed with their indexes
// every GiB. The sink copies every byte into memory, as a write into the file system's cache would. Ends with
// one line: "throughput avi_layout <size> <GB/s>".
#include "filters/aviwriter/AviLayout.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr uint32_t kFrameBytes = kWidth * kHeight * 3;
constexpr uint32_t kSoundBytes = 9600; // 100 ms

// Copies appended bytes into a 64 MiB window (reused), headers into their own area.
class CopySink : public avi::ByteSink
{
public:
    CopySink() : m_window(64u << 20), m_head(1 << 20) {}
    bool Append(const void* data, size_t size) override
    {
        if (size > m_window.size())
            return false;
        if (m_at + size > m_window.size())
            m_at = 0;
        std::memcpy(m_window.data() + m_at, data, size);
        m_at += size;
        m_end += size;
        return true;
    }
    bool Overwrite(uint64_t offset, const void* data, size_t size) override
    {
        if (offset > m_end || size > m_end - offset)
            return false;
        std::memcpy(m_head.data() + (offset % (m_head.size() - size)), data, size);
        return true;
    }
    bool Truncate(uint64_t size) override { return size <= m_end; }

private:
    std::vector<uint8_t> m_window, m_head;
    size_t m_at = 0;
    uint64_t m_end = 0;
};

double g_bytesPerSecond = 0;

void LayoutThroughput(benchmark::State& state)
{
    std::vector<uint8_t> frame(kFrameBytes), sound(kSoundBytes);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = uint8_t(i * 7);
    CopySink sink;
    avi::LayoutOptions options;
    options.masterStream = 1;
    avi::AviLayout layout(sink, options);
    avi::VideoFormat video;
    video.width = kWidth;
    video.height = kHeight;
    video.imageSize = kFrameBytes;
    avi::AudioFormat audio;
    audio.channels = 1;
    audio.samplesPerSec = 48000;
    audio.avgBytesPerSec = 96000;
    audio.blockAlign = 2;
    audio.bitsPerSample = 16;
    if (!layout.Begin(&video, &audio)) {
        state.SkipWithError("Begin failed");
        return;
    }
    int64_t n = 0;
    for (auto _ : state) {
        // 15 frames a second: a block of sound after every frame and a half.
        if (!layout.AddVideoFrame(frame.data(), kFrameBytes, true, n * 666666) ||
            (n % 3 != 2 && !layout.AddAudio(sound.data(), kSoundBytes))) {
            state.SkipWithError("append failed");
            break;
        }
        ++n;
    }
    if (!layout.Finish())
        state.SkipWithError("Finish failed");
    const int64_t bytes = n * kFrameBytes + (n - n / 3) * kSoundBytes;
    state.SetBytesProcessed(bytes);
}

class Reporter : public benchmark::ConsoleReporter
{
public:
    Reporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                const auto it = run.counters.find("bytes_per_second");
                if (it != run.counters.end())
                    g_bytesPerSecond = it->second;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

BENCHMARK(LayoutThroughput)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("throughput avi_layout %dx%d+sound %.2f GB/s (per CPU second)\n", kWidth, kHeight,
                g_bytesPerSecond / 1e9);
    return 0;
}
