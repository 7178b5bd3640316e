// The byte layout of the recordings: a RIFF AVI file with one video and one audio stream, OpenDML extension
// RIFFs (AVIX) with per-stream standard indexes and super indexes, and the old idx1 index over the first RIFF.
// Windows-free: bytes go through ByteSink, so the filter writes a file and the host tests write memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace avi {

// Where the file's bytes go. Every call reports success; after a failure the layout stops appending.
class ByteSink
{
public:
    virtual ~ByteSink() = default;
    // Appends after everything written so far.
    virtual bool Append(const void* data, size_t size) = 0;
    // Rewrites bytes that were appended before: [offset, offset + size).
    virtual bool Overwrite(uint64_t offset, const void* data, size_t size) = 0;
    // Drops everything from size on; the next Append continues there.
    virtual bool Truncate(uint64_t size) = 0;
};

// Uncompressed bottom-up RGB frames.
struct VideoFormat
{
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 24;
    uint32_t imageSize = 0;      // bytes of one frame
    int64_t nominalInterval = 0; // 100 ns units, from the connection; used when the samples carry no times
};

// PCM sound.
struct AudioFormat
{
    uint16_t formatTag = 1;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

struct LayoutOptions
{
    // Largest RIFF (the first and each extension), header included; cut to just under 2 GiB, as RIFF sizes
    // and index offsets are 32-bit fields. 1 GiB keeps them far inside.
    uint64_t riffLimit = uint64_t(1) << 30;
    // Room in each stream's super index: how many RIFFs a file can have (256 GiB at the default limit).
    uint32_t superIndexEntries = 256;
    // The old idx1 index over the first RIFF, for readers that know nothing of OpenDML.
    bool compatibilityIndex = true;
    // File stream whose duration the other streams follow (-1: none). Only the audio stream as master
    // changes anything: the video's rate is set so the picture lasts as long as the sound. The sound's rate
    // is never changed, as its format block would then disagree with its header.
    int masterStream = -1;
};

// Playback rate of a stream: `rate / scale` units per second.
struct StreamRate
{
    uint32_t scale = 1;
    uint32_t rate = 1;
};

// The video's rate: from the master sound's duration when the sound is master and has data, else from the
// first and last frame's start times, else from the nominal interval (else 30 frames per second). Reduced
// by the common divisor, so 400000 (100 ns) per frame is 1/25.
StreamRate VideoRate(uint32_t frames, bool timed, int64_t firstStart, int64_t lastStart, int64_t nominalInterval,
                     int64_t masterDuration);

class AviLayout
{
public:
    AviLayout(ByteSink& sink, const LayoutOptions& options);
    AviLayout(const AviLayout&) = delete;
    AviLayout& operator=(const AviLayout&) = delete;

    // Writes the headers (placeholders where counts are not yet known) and opens the first movi list.
    // Either format may be null, not both; the video is stream 0 when present.
    bool Begin(const VideoFormat* video, const AudioFormat* audio);
    // One frame (timed: start is its stream time in 100 ns units).
    bool AddVideoFrame(const void* data, uint32_t size, bool timed, int64_t start);
    // Sound bytes; only whole blocks are written.
    bool AddAudio(const void* data, uint32_t size);
    // Closes the open RIFF with its indexes and rewrites the headers with the final counts and rates.
    // After a failed append, the file is first cut back to the last whole chunk; when the indexes still find no
    // room, the newest chunks are dropped until they do.
    bool Finish();

    bool Failed() const { return m_failed; }
    uint32_t VideoFrames() const { return m_video.chunks; }
    uint64_t AudioBytes() const { return m_audio.bytes; }

private:
    struct Stream
    {
        bool present = false;
        int number = 0;       // in the file
        uint32_t dataId = 0;  // '00dc' / '01wb'
        uint32_t indexId = 0; // 'ix00' / 'ix01'
        uint32_t chunks = 0;
        uint64_t bytes = 0;
        uint32_t largest = 0;
        uint32_t chunksInFirstRiff = 0;
        struct SuperEntry
        {
            uint64_t offset;
            uint32_t size;
            uint32_t duration;
        };
        std::vector<SuperEntry> superIndex;
    };
    struct Entry
    {
        uint64_t dataOffset; // absolute, of the chunk's data
        uint32_t size;
        uint8_t stream;
    };

    bool AddChunk(Stream& stream, const void* data, uint32_t size);
    bool MakeRoom(uint32_t chunkBytes);
    bool OpenExtension();
    bool CloseRiff();
    // Forgets the open RIFF's newest chunk and moves the good end back to its start; false without one.
    bool DropNewestChunk();
    void BuildHeaders(std::vector<uint8_t>& out) const;
    uint64_t IndexBytes(size_t entries) const;
    uint32_t Ticks(const Stream& stream, uint64_t bytes, uint32_t chunks) const;
    StreamRate FinalVideoRate() const;
    bool Put(const void* data, size_t size);
    bool PatchSize(uint64_t at, uint32_t size);
    bool Fail();

    ByteSink& m_sink;
    LayoutOptions m_options;
    VideoFormat m_videoFormat;
    AudioFormat m_audioFormat;
    Stream m_video;
    Stream m_audio;
    int m_streamCount = 0;
    bool m_begun = false;
    bool m_finished = false;
    bool m_failed = false;

    uint64_t m_end = 0;         // bytes appended
    uint64_t m_goodEnd = 0;     // end of the last whole chunk (or index) written
    uint32_t m_headerBytes = 0; // the first RIFF's header block, up to and with the first movi list's header
    uint64_t m_riffStart = 0;
    uint64_t m_moviStart = 0; // offset of the open movi list's 'LIST'
    int m_riffCount = 0;
    bool m_riffOpen = false;
    uint32_t m_firstRiffSize = 0; // 0 until the first RIFF closes
    uint32_t m_firstMoviSize = 0;
    std::vector<Entry> m_entries;   // chunks of the open RIFF
    std::vector<uint8_t> m_scratch; // index chunks, built at the end of each RIFF

    bool m_timed = false;
    int64_t m_firstStart = 0;
    int64_t m_lastStart = 0;
};

} // namespace avi
