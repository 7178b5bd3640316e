// Speed of the scaler's fused conversions against libyuv doing the same work as a chain of whole-frame
// passes (YUY2 to ARGB, mirror, ARGB to RGB24). Both run in the same process on the same frames;
// after the runs, one line per kernel and size gives libyuv's time divided by ours.
#include "filters/kernels/ScalerKernels.h"

#include <benchmark/benchmark.h>
#include <libyuv.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace kernels;

namespace {

struct Size
{
    int width, height;
};

struct Case
{
    std::string kernel;
    Size size;     // output picture
    int srcHeight; // camera rows; more than size.height means a centre crop
    bool mirror, flip;
    bool rgbSource;
};

std::string SizeText(const Case& c)
{
    return std::to_string(c.size.width) + "x" + std::to_string(c.size.height);
}

std::string Name(const Case& c, const char* who)
{
    return c.kernel + "/" + SizeText(c) + "/" + who;
}

// A camera frame with some structure (gradients), so nothing is constant.
std::vector<uint8_t> CameraFrame(const Case& c, size_t stride)
{
    std::vector<uint8_t> frame(stride * static_cast<size_t>(c.srcHeight));
    for (size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<uint8_t>((i * 7 + i / stride * 3) & 0xFF);
    }
    return frame;
}

FrameGeometry GeometryOf(const Case& c, size_t srcStride)
{
    FrameGeometry g;
    g.width = c.size.width;
    g.height = c.size.height;
    g.srcHeight = c.srcHeight;
    g.srcStride = static_cast<ptrdiff_t>(srcStride);
    g.mirror = c.mirror;
    g.flip = c.flip;
    g.srcBottomUp = false;
    g.dstBottomUp = true;
    return g;
}

void RunQuillo(benchmark::State& state, Case c, KernelPath path)
{
    const size_t srcStride = c.rgbSource ? Rgb24Stride(c.size.width) : Yuy2RowBytes(c.size.width);
    const std::vector<uint8_t> src = CameraFrame(c, srcStride);
    const FrameGeometry g = GeometryOf(c, srcStride);
    std::vector<uint8_t> dst(RequiredRgb24DestinationBytes(g));
    for (auto _ : state) {
        const bool ok = c.rgbSource ? ConvertRgb24ToRgb24(src.data(), src.size(), dst.data(), dst.size(), g, path)
                                    : ConvertYuy2ToRgb24(src.data(), src.size(), dst.data(), dst.size(), g, path);
        if (!ok) {
            state.SkipWithError("conversion refused the frame");
            break;
        }
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(dst.size()));
}

// libyuv's chain for the same picture. DIB order is the camera frame upside down, which libyuv does with
// a negative height; flipping on top of it cancels out, so a flipped picture keeps the positive height.
void RunLibyuv(benchmark::State& state, Case c, bool withoutAvx2)
{
    // A processor of the generation before AVX2: libyuv's SSSE3 rows.
    libyuv::MaskCpuFlags(withoutAvx2 ? libyuv::kCpuHasX86 | libyuv::kCpuHasSSE2 | libyuv::kCpuHasSSSE3 |
                                           libyuv::kCpuHasSSE41 | libyuv::kCpuHasSSE42 | libyuv::kCpuHasERMS
                                     : -1);
    const int w = c.size.width;
    const int h = c.size.height;
    const int dibHeight = c.flip ? h : -h;
    const size_t dstStride = Rgb24Stride(w);
    std::vector<uint8_t> dst(dstStride * static_cast<size_t>(h));
    std::vector<uint8_t> argb(static_cast<size_t>(w) * 4 * static_cast<size_t>(h));
    std::vector<uint8_t> mirrored(argb.size());
    const int cropTop = (c.srcHeight - h) / 2;
    if (c.rgbSource) {
        const std::vector<uint8_t> src = CameraFrame(c, dstStride);
        const uint8_t* first = src.data() + static_cast<size_t>(cropTop) * dstStride;
        for (auto _ : state) {
            libyuv::RGB24Mirror(first, static_cast<int>(dstStride), dst.data(), static_cast<int>(dstStride), w,
                                dibHeight);
            benchmark::DoNotOptimize(dst.data());
            benchmark::ClobberMemory();
        }
    } else {
        const size_t srcStride = Yuy2RowBytes(w);
        const std::vector<uint8_t> src = CameraFrame(c, srcStride);
        const uint8_t* first = src.data() + static_cast<size_t>(cropTop) * srcStride;
        for (auto _ : state) {
            libyuv::YUY2ToARGB(first, static_cast<int>(srcStride), argb.data(), w * 4, w, dibHeight);
            const uint8_t* rgba = argb.data();
            if (c.mirror) {
                libyuv::ARGBMirror(argb.data(), w * 4, mirrored.data(), w * 4, w, h);
                rgba = mirrored.data();
            }
            libyuv::ARGBToRGB24(rgba, w * 4, dst.data(), static_cast<int>(dstStride), w, h);
            benchmark::DoNotOptimize(dst.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(dst.size()));
    libyuv::MaskCpuFlags(-1);
}

// Console output as usual, and each run's time per frame kept for the summary.
class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    explicit CollectingReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_cpuTime[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // 0 when the run is missing (filtered out or failed).
    double CpuTime(const std::string& name) const
    {
        const auto it = m_cpuTime.find(name);
        return it == m_cpuTime.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> m_cpuTime;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (Size s : {Size{640, 480}, Size{1280, 720}, Size{1280, 1024}}) {
        cases.push_back({"yuy2_rgb24", s, s.height, false, false, false});
        cases.push_back({"yuy2_rgb24_mirror", s, s.height, true, false, false});
        cases.push_back({"yuy2_rgb24_flip", s, s.height, false, true, false});
        cases.push_back({"yuy2_rgb24_mirror_flip", s, s.height, true, true, false});
    }
    cases.push_back({"yuy2_rgb24_crop", {1280, 720}, 800, false, false, false});
    cases.push_back({"yuy2_rgb24_crop_mirror", {1280, 720}, 800, true, false, false});
    for (Size s : {Size{640, 480}, Size{1280, 1024}}) {
        cases.push_back({"rgb24_rgb24_mirror", s, s.height, true, false, true});
    }
    return cases;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<Case> cases = Cases();
    const bool hasAvx2 = ResolveKernelPath(KernelPath::Auto) == KernelPath::Avx2;
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(Name(c, "libyuv").c_str(), RunLibyuv, c, false)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(Name(c, "quillo").c_str(), RunQuillo, c, KernelPath::Auto)
            ->Unit(benchmark::kMicrosecond);
        if (hasAvx2 && !c.rgbSource) {
            // What a processor without AVX2 gets, from both.
            benchmark::RegisterBenchmark(Name(c, "libyuv_ssse3").c_str(), RunLibyuv, c, true)
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(Name(c, "quillo_sse2").c_str(), RunQuillo, c, KernelPath::Sse2)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    CollectingReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nquillo path: %s\n", KernelPathName(ResolveKernelPath(KernelPath::Auto)));
    // Our fastest path against libyuv's fastest, then (kernel name "...@sse2") our SSE2 path against
    // libyuv limited to SSSE3.
    struct Pair
    {
        const char* ours;
        const char* theirs;
        const char* suffix;
    };
    for (const Pair& pair : {Pair{"quillo", "libyuv", ""}, Pair{"quillo_sse2", "libyuv_ssse3", "@sse2"}}) {
        for (const Case& c : cases) {
            const double ours = reporter.CpuTime(Name(c, pair.ours));
            const double theirs = reporter.CpuTime(Name(c, pair.theirs));
            if (theirs > 0.0 && ours > 0.0) {
                std::printf("ratio %s%s %s %.2f\n", c.kernel.c_str(), pair.suffix, SizeText(c).c_str(), theirs / ours);
            }
        }
    }
    return 0;
}
