// Speed of the scaler's per-frame work as the filter runs it (scaler::FramePath::ToSample, the call
// DownScaler::Receive makes for every frame) against the fewest libyuv calls that give the same bytes,
// and against a plain copy of the same bytes (each input row read once, each output row written once:
// the floor any conversion stands on). All run in the same process on the same frames; after the runs,
// one "ratio path" line per case gives libyuv's time divided by ours and one "copy" line our time
// divided by the copy's.
#include "filters/scaler/FramePath.h"

#include <benchmark/benchmark.h>
#include <libyuv.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using kernels::KernelPath;
using kernels::PixelFormat;

namespace {

struct Case
{
    PixelFormat in, out;
    int width, height; // output picture
    int srcHeight;     // camera rows; more than height means a centre crop
    bool mirror, flip;
};

// "<in>_<out>[_mirror|_flip|_crop]".
std::string Kernel(const Case& c)
{
    std::string name =
        std::string(c.in == PixelFormat::Yuy2 ? "yuy2" : "rgb24") + (c.out == PixelFormat::Rgb32 ? "_rgb32" : "_rgb24");
    if (c.srcHeight > c.height)
        name += "_crop";
    if (c.mirror)
        name += "_mirror";
    if (c.flip)
        name += "_flip";
    return name;
}

std::string SizeText(const Case& c)
{
    return std::to_string(c.width) + "x" + std::to_string(c.height);
}

std::string Name(const Case& c, const char* who)
{
    return Kernel(c) + "/" + SizeText(c) + "/" + who;
}

size_t SourceStride(const Case& c)
{
    return c.in == PixelFormat::Yuy2 ? kernels::Yuy2RowBytes(c.width) : kernels::Rgb24Stride(c.width);
}

size_t OutputStride(const Case& c)
{
    return kernels::DibStride(c.out, c.width);
}

// A camera frame with some structure (gradients), so nothing is constant.
std::vector<uint8_t> CameraFrame(const Case& c)
{
    const size_t stride = SourceStride(c);
    std::vector<uint8_t> frame(stride * static_cast<size_t>(c.srcHeight));
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<uint8_t>((i * 7 + i / stride * 3) & 0xFF);
    return frame;
}

// The connection the filter would have: a YUY2 camera (top-down rows) or an RGB24 camera with DIB rows
// (bottom-up), into bottom-up samples of the renderer's format.
scaler::FramePath PlannedPath(const Case& c)
{
    scaler::StreamFormats formats;
    formats.input = c.in;
    formats.inputWidth = c.width;
    formats.inputHeight = c.srcHeight;
    formats.output = c.out;
    formats.outputWidth = c.width;
    formats.outputHeight = c.height;
    scaler::FramePath path;
    path.Plan(formats);
    return path;
}

void RunQuillo(benchmark::State& state, Case c, KernelPath kernelPath)
{
    const std::vector<uint8_t> src = CameraFrame(c);
    const scaler::FramePath path = PlannedPath(c);
    std::vector<uint8_t> sample(path.SampleBytes());
    scaler::Orientation orientation;
    orientation.mirror = c.mirror;
    orientation.flip = c.flip;
    for (auto _ : state) {
        if (!path.ToSample(src.data(), src.size(), sample.data(), sample.size(), orientation, kernelPath)) {
            state.SkipWithError("the frame path refused the frame");
            break;
        }
        benchmark::DoNotOptimize(sample.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sample.size()));
}

// libyuv's fewest calls for the same picture. The sample is in DIB order, the YUY2 frame top-down: libyuv
// turns rows over with a negative height, and a flip on top of that cancels out. An RGB24 camera frame is
// in DIB order already, so there a flip asks for the negative height.
void RunLibyuv(benchmark::State& state, Case c, bool withoutAvx2)
{
    // A processor of the generation before AVX2: libyuv's SSSE3 rows.
    libyuv::MaskCpuFlags(withoutAvx2 ? libyuv::kCpuHasX86 | libyuv::kCpuHasSSE2 | libyuv::kCpuHasSSSE3 |
                                           libyuv::kCpuHasSSE41 | libyuv::kCpuHasSSE42 | libyuv::kCpuHasERMS
                                     : -1);
    const int w = c.width;
    const int h = c.height;
    const std::vector<uint8_t> src = CameraFrame(c);
    const int srcStride = static_cast<int>(SourceStride(c));
    const uint8_t* first = src.data() + static_cast<size_t>((c.srcHeight - h) / 2) * static_cast<size_t>(srcStride);
    const int dstStride = static_cast<int>(OutputStride(c));
    std::vector<uint8_t> dst(static_cast<size_t>(dstStride) * static_cast<size_t>(h));
    std::vector<uint8_t> argb(static_cast<size_t>(w) * 4 * static_cast<size_t>(h));
    std::vector<uint8_t> argb2(argb.size());
    const bool yuy2 = c.in == PixelFormat::Yuy2;
    const int turned = (yuy2 != c.flip) ? -h : h; // height that gives the sample's row order
    for (auto _ : state) {
        if (yuy2 && c.out == PixelFormat::Rgb32) {
            if (c.mirror) {
                libyuv::YUY2ToARGB(first, srcStride, argb.data(), w * 4, w, h);
                libyuv::ARGBMirror(argb.data(), w * 4, dst.data(), dstStride, w, turned);
            } else {
                libyuv::YUY2ToARGB(first, srcStride, dst.data(), dstStride, w, turned);
            }
        } else if (yuy2) {
            libyuv::YUY2ToARGB(first, srcStride, argb.data(), w * 4, w, turned);
            const uint8_t* rgba = argb.data();
            if (c.mirror) {
                libyuv::ARGBMirror(argb.data(), w * 4, argb2.data(), w * 4, w, h);
                rgba = argb2.data();
            }
            libyuv::ARGBToRGB24(rgba, w * 4, dst.data(), dstStride, w, h);
        } else if (c.out == PixelFormat::Rgb32) {
            if (c.mirror) {
                libyuv::RGB24ToARGB(first, srcStride, argb.data(), w * 4, w, h);
                libyuv::ARGBMirror(argb.data(), w * 4, dst.data(), dstStride, w, turned);
            } else {
                libyuv::RGB24ToARGB(first, srcStride, dst.data(), dstStride, w, turned);
            }
        } else if (c.mirror) {
            libyuv::RGB24Mirror(first, srcStride, dst.data(), dstStride, w, turned);
        } else {
            libyuv::CopyPlane(first, srcStride, dst.data(), dstStride, w * 3, turned);
        }
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(dst.size()));
    libyuv::MaskCpuFlags(-1);
}

// The floor: every input row of the picture read once and every output row written once, with memcpy.
// An output row longer than its input row takes the input row's bytes again (from the first-level cache).
void RunCopy(benchmark::State& state, Case c)
{
    const std::vector<uint8_t> src = CameraFrame(c);
    const size_t srcStride = SourceStride(c);
    const size_t inRow = c.in == PixelFormat::Yuy2 ? kernels::Yuy2RowBytes(c.width) : static_cast<size_t>(c.width) * 3;
    const size_t outStride = OutputStride(c);
    std::vector<uint8_t> dst(outStride * static_cast<size_t>(c.height));
    const uint8_t* first = src.data() + static_cast<size_t>((c.srcHeight - c.height) / 2) * srcStride;
    for (auto _ : state) {
        for (int row = 0; row < c.height; ++row) {
            const uint8_t* in = first + static_cast<size_t>(row) * srcStride;
            uint8_t* out = dst.data() + static_cast<size_t>(row) * outStride;
            for (size_t done = 0; done < outStride; done += inRow)
                std::memcpy(out + done, in, outStride - done < inRow ? outStride - done : inRow);
        }
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(dst.size()));
}

// Console output as usual, and each run's time per frame kept for the summary.
class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    explicit CollectingReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_cpuTime[run.benchmark_name()] = run.GetAdjustedCPUTime();
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
    for (PixelFormat out : {PixelFormat::Rgb32, PixelFormat::Rgb24}) {
        for (auto size : {std::make_pair(640, 480), std::make_pair(1280, 720), std::make_pair(1280, 1024)}) {
            const int w = size.first, h = size.second;
            cases.push_back({PixelFormat::Yuy2, out, w, h, h, false, false});
            cases.push_back({PixelFormat::Yuy2, out, w, h, h, true, false});
            cases.push_back({PixelFormat::Yuy2, out, w, h, h, false, true});
        }
        cases.push_back({PixelFormat::Yuy2, out, 1280, 720, 800, false, false});
    }
    for (PixelFormat out : {PixelFormat::Rgb32, PixelFormat::Rgb24}) {
        for (auto size : {std::make_pair(640, 480), std::make_pair(1280, 1024)}) {
            const int w = size.first, h = size.second;
            cases.push_back({PixelFormat::Rgb24, out, w, h, h, false, false});
            cases.push_back({PixelFormat::Rgb24, out, w, h, h, true, false});
        }
    }
    return cases;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<Case> cases = Cases();
    const bool hasAvx2 = kernels::ResolveKernelPath(KernelPath::Auto) == KernelPath::Avx2;
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(Name(c, "libyuv").c_str(), RunLibyuv, c, false)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(Name(c, "quillo").c_str(), RunQuillo, c, KernelPath::Auto)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(Name(c, "copy").c_str(), RunCopy, c)->Unit(benchmark::kMicrosecond);
        if (hasAvx2 && c.in == PixelFormat::Yuy2) {
            // What a processor without AVX2 gets, from both.
            benchmark::RegisterBenchmark(Name(c, "libyuv_ssse3").c_str(), RunLibyuv, c, true)
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(Name(c, "quillo_sse2").c_str(), RunQuillo, c, KernelPath::Sse2)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CollectingReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nquillo path: %s\n", kernels::KernelPathName(kernels::ResolveKernelPath(KernelPath::Auto)));
    for (const Case& c : cases) {
        const double ours = reporter.CpuTime(Name(c, "quillo"));
        const double theirs = reporter.CpuTime(Name(c, "libyuv"));
        if (ours > 0.0 && theirs > 0.0)
            std::printf("ratio path %s %s %.2f\n", Kernel(c).c_str(), SizeText(c).c_str(), theirs / ours);
    }
    for (const Case& c : cases) {
        const double ours = reporter.CpuTime(Name(c, "quillo"));
        const double copy = reporter.CpuTime(Name(c, "copy"));
        if (ours > 0.0 && copy > 0.0)
            std::printf("copy %s %s %.2f\n", Kernel(c).c_str(), SizeText(c).c_str(), ours / copy);
    }
    // Our SSE2 path against libyuv limited to SSSE3 (kernel name "...@sse2").
    for (const Case& c : cases) {
        const double ours = reporter.CpuTime(Name(c, "quillo_sse2"));
        const double theirs = reporter.CpuTime(Name(c, "libyuv_ssse3"));
        if (ours > 0.0 && theirs > 0.0)
            std::printf("ratio path %s@sse2 %s %.2f\n", Kernel(c).c_str(), SizeText(c).c_str(), theirs / ours);
    }
    return 0;
}
