// Fuzz target: the AVI layout and index builder under any sequence of frames, sound, failed writes and a disk
// that fills up, with small RIFF limits so that extension RIFFs and full super indexes come into play.
#include "FuzzTargets.h"

#include "filters/aviwriter/AviLayout.h"

#include <cstring>
#include <vector>

namespace fuzz {

namespace {

class MemorySink : public avi::ByteSink
{
public:
    bool Append(const void* data, size_t size) override
    {
        const auto* from = static_cast<const uint8_t*>(data);
        if (failNext || bytes.size() + size > capacity) {
            // Part of the data lands, as on a disk that fills up mid-write.
            const size_t room = bytes.size() < capacity ? capacity - bytes.size() : 0;
            bytes.insert(bytes.end(), from, from + std::min(room, size / 2));
            failNext = false;
            return false;
        }
        bytes.insert(bytes.end(), from, from + size);
        return true;
    }
    bool Overwrite(uint64_t offset, const void* data, size_t size) override
    {
        if (offset + size > bytes.size())
            return false;
        std::memcpy(bytes.data() + offset, data, size);
        return true;
    }
    bool Truncate(uint64_t size) override
    {
        if (size > bytes.size())
            return false;
        bytes.resize(size);
        return true;
    }
    std::vector<uint8_t> bytes;
    size_t capacity = SIZE_MAX;
    bool failNext = false;
};

uint32_t Le32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// A finished file is a row of whole RIFFs ("RIFF" then "AVIX"s) that ends exactly at the file's end.
bool WholeRiffs(const std::vector<uint8_t>& b)
{
    size_t at = 0;
    int count = 0;
    while (at < b.size()) {
        if (b.size() - at < 12 || std::memcmp(&b[at], "RIFF", 4) != 0 ||
            std::memcmp(&b[at + 8], count == 0 ? "AVI " : "AVIX", 4) != 0)
            return false;
        const uint64_t next = at + 8 + uint64_t(Le32(b, at + 4));
        if (next > b.size())
            return false;
        at = size_t(next);
        ++count;
    }
    return count > 0;
}

} // namespace

bool AviLayout(const uint8_t* data, size_t size)
{
    if (size < 3)
        return true;
    avi::VideoFormat video;
    video.width = 1 + data[0] % 8;
    video.height = 1 + (data[0] >> 3) % 8;
    video.imageSize = uint32_t(video.width * video.height * 3);
    video.nominalInterval = 666666;
    avi::AudioFormat audio;
    audio.channels = 1 + (data[1] & 1);
    audio.samplesPerSec = 48000;
    audio.bitsPerSample = 16;
    audio.blockAlign = uint16_t(audio.channels * 2);
    audio.avgBytesPerSec = audio.samplesPerSec * audio.blockAlign;
    avi::LayoutOptions options;
    options.riffLimit = 1024 + uint64_t(data[2]) * 64;
    options.superIndexEntries = 1 + (data[1] >> 1) % 4;
    options.compatibilityIndex = (data[1] & 0x20) == 0;
    options.masterStream = (data[1] & 0x40) ? 1 : -1;
    const bool withAudio = (data[1] & 0x80) == 0;

    MemorySink sink;
    avi::AviLayout layout(sink, options);
    if (!layout.Begin(&video, withAudio ? &audio : nullptr))
        return true;
    std::vector<uint8_t> payload(4096, 0x5A);
    int64_t start = 0;
    for (size_t i = 3; i < size; ++i) {
        const uint8_t op = data[i];
        switch (op % 8) {
        case 0:
        case 1:
        case 2:
        case 3:
            (void)layout.AddVideoFrame(payload.data(), video.imageSize, (op & 0x80) != 0, start);
            start += 666666 + (op >> 4);
            break;
        case 4:
        case 5:
            (void)layout.AddAudio(payload.data(), std::min<uint32_t>(op * 13u, uint32_t(payload.size())));
            break;
        case 6:
            sink.failNext = true;
            break;
        default:
            sink.capacity = sink.bytes.size() + size_t(op >> 3) * 16;
            break;
        }
    }
    if (!layout.Finish())
        return true; // nothing could be made whole (no room even for the headers' indexes)
    return WholeRiffs(sink.bytes);
}

} // namespace fuzz
