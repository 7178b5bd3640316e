// The recording's byte layout. The first RIFF holds the headers, a movi list, the standard indexes of that
// list and idx1; each further RIFF ('AVIX') holds a movi list and its standard indexes. The headers (with the
// super indexes pointing at every standard index) are rewritten whenever a RIFF closes and at the end.
#include "filters/aviwriter/AviLayout.h"

#include <algorithm>
#include <numeric>

namespace avi {

namespace {

constexpr uint32_t FourCC(const char (&s)[5])
{
    return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
           uint32_t(uint8_t(s[3])) << 24;
}

constexpr int64_t kSecond = 10000000; // 100 ns units
constexpr int64_t kDefaultInterval = 333333;
constexpr uint32_t kHasIndex = 0x10;       // avih: idx1 present
constexpr uint32_t kIsInterleaved = 0x100; // avih: sound and picture alternate
constexpr uint32_t kKeyFrame = 0x10;       // idx1 entry flag
constexpr uint8_t kIndexOfIndexes = 0x00;
constexpr uint8_t kIndexOfChunks = 0x01;
constexpr uint32_t kStdIndexHeader = 24;   // standard index fields before its entries
constexpr uint32_t kSuperIndexHeader = 24; // super index fields before its entries
constexpr uint32_t kDmlhBytes = 248;
// Size fields of a RIFF and its movi list until the RIFF closes: the largest a RIFF may grow to, so a reader
// of a recording cut off before its end takes every chunk up to the end of the file as part of the list.
constexpr uint32_t kOpenSize = 0x7FFFFFF0;

// Little-endian appender with chunk nesting.
class Bytes
{
public:
    explicit Bytes(std::vector<uint8_t>& out) : m_out(out) {}
    void U8(uint8_t v) { m_out.push_back(v); }
    void U16(uint16_t v)
    {
        U8(uint8_t(v));
        U8(uint8_t(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(uint16_t(v));
        U16(uint16_t(v >> 16));
    }
    void U64(uint64_t v)
    {
        U32(uint32_t(v));
        U32(uint32_t(v >> 32));
    }
    void Zeros(size_t n) { m_out.insert(m_out.end(), n, 0); }
    // Writes the chunk header; Close fills in its size.
    size_t Open(uint32_t id)
    {
        U32(id);
        U32(0);
        return m_out.size();
    }
    size_t OpenList(uint32_t type)
    {
        const size_t at = Open(FourCC("LIST"));
        U32(type);
        return at;
    }
    void Close(size_t dataStart)
    {
        const uint32_t size = uint32_t(m_out.size() - dataStart);
        Patch(dataStart - 4, size);
        if (size & 1)
            U8(0);
    }
    void Patch(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_out[at + i] = uint8_t(v >> (8 * i));
    }

private:
    std::vector<uint8_t>& m_out;
};

uint32_t Clamp32(uint64_t v)
{
    return v > UINT32_MAX ? UINT32_MAX : uint32_t(v);
}

} // namespace

StreamRate VideoRate(uint32_t frames, bool timed, int64_t firstStart, int64_t lastStart, int64_t nominalInterval,
                     int64_t masterDuration)
{
    int64_t interval;
    if (masterDuration > 0 && frames > 0)
        interval = (masterDuration + frames / 2) / frames;
    else if (timed && frames >= 2 && lastStart > firstStart)
        interval = (lastStart - firstStart + (frames - 1) / 2) / (frames - 1);
    else if (nominalInterval > 0)
        interval = nominalInterval;
    else
        interval = kDefaultInterval;
    StreamRate r;
    r.scale = uint32_t(std::clamp<int64_t>(interval, 1, UINT32_MAX));
    r.rate = uint32_t(kSecond);
    const uint32_t divisor = std::gcd(r.scale, r.rate);
    r.scale /= divisor;
    r.rate /= divisor;
    return r;
}

AviLayout::AviLayout(ByteSink& sink, const LayoutOptions& options) : m_sink(sink), m_options(options)
{
    if (m_options.superIndexEntries < 1)
        m_options.superIndexEntries = 1;
    // Every size and index offset of a RIFF is a 32-bit field.
    m_options.riffLimit = std::min<uint64_t>(m_options.riffLimit, kOpenSize);
}

bool AviLayout::Put(const void* data, size_t size)
{
    if (m_failed || !m_sink.Append(data, size))
        return Fail();
    m_end += size;
    return true;
}

bool AviLayout::PatchSize(uint64_t at, uint32_t size)
{
    const uint8_t bytes[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24)};
    return m_sink.Overwrite(at, bytes, sizeof bytes) || Fail();
}

bool AviLayout::Fail()
{
    m_failed = true;
    return false;
}

bool AviLayout::Begin(const VideoFormat* video, const AudioFormat* audio)
{
    if (m_begun || (!video && !audio))
        return false;
    if (video && (video->width <= 0 || video->height <= 0 || video->imageSize == 0))
        return false;
    if (audio && (audio->blockAlign == 0 || audio->samplesPerSec == 0 || audio->avgBytesPerSec == 0))
        return false;
    if (video) {
        m_videoFormat = *video;
        m_video.present = true;
        m_video.number = m_streamCount++;
        m_video.dataId = FourCC("00dc");
    }
    if (audio) {
        m_audioFormat = *audio;
        m_audio.present = true;
        m_audio.number = m_streamCount++;
        m_audio.dataId = FourCC("00wb") + (uint32_t(m_audio.number) << 8); // '01wb' after a video stream
    }
    for (Stream* s : {&m_video, &m_audio})
        s->indexId = FourCC("ix00") + (uint32_t(s->number) << 24);
    m_begun = true;
    m_riffCount = 1;
    m_riffOpen = true;

    std::vector<uint8_t> header;
    BuildHeaders(header);
    m_headerBytes = uint32_t(header.size());
    m_riffStart = 0;
    m_moviStart = m_headerBytes - 12;
    if (!Put(header.data(), header.size()))
        return false;
    m_goodEnd = m_end;
    return true;
}

uint64_t AviLayout::IndexBytes(size_t entries) const
{
    uint64_t bytes = uint64_t(8 + kStdIndexHeader) * m_streamCount + 8 * uint64_t(entries);
    if (m_riffCount == 1 && m_options.compatibilityIndex)
        bytes += 8 + 16 * uint64_t(entries);
    return bytes;
}

bool AviLayout::MakeRoom(uint32_t chunkBytes)
{
    const uint64_t need = 8 + uint64_t(chunkBytes) + (chunkBytes & 1);
    if (need + 24 + IndexBytes(1) > m_options.riffLimit)
        return Fail(); // could never fit in any RIFF
    if (m_entries.empty())
        return true; // every RIFF takes at least one chunk, however large its headers
    if (m_end - m_riffStart + need + IndexBytes(m_entries.size() + 1) <= m_options.riffLimit)
        return true;
    return CloseRiff() && OpenExtension();
}

bool AviLayout::OpenExtension()
{
    if (uint32_t(m_riffCount) >= m_options.superIndexEntries)
        return Fail(); // the super indexes are full: the file cannot grow further
    std::vector<uint8_t>& h = m_scratch;
    h.clear();
    Bytes b(h);
    b.U32(FourCC("RIFF"));
    b.U32(kOpenSize);
    b.U32(FourCC("AVIX"));
    b.U32(FourCC("LIST"));
    b.U32(kOpenSize);
    b.U32(FourCC("movi"));
    const uint64_t start = m_end;
    if (!Put(h.data(), h.size()))
        return false;
    m_riffStart = start;
    m_moviStart = start + 12;
    ++m_riffCount;
    m_riffOpen = true;
    m_goodEnd = m_end;
    return true;
}

bool AviLayout::AddChunk(Stream& stream, const void* data, uint32_t size)
{
    if (!m_begun || m_finished || m_failed || !stream.present)
        return false;
    if (!MakeRoom(size))
        return false;
    uint8_t header[8];
    for (int i = 0; i < 4; ++i) {
        header[i] = uint8_t(stream.dataId >> (8 * i));
        header[4 + i] = uint8_t(size >> (8 * i));
    }
    if (!Put(header, sizeof header))
        return false;
    const uint64_t dataOffset = m_end;
    if (size && !Put(data, size))
        return false;
    if (size & 1) {
        const uint8_t pad = 0;
        if (!Put(&pad, 1))
            return false;
    }
    m_entries.push_back(Entry{dataOffset, size, uint8_t(stream.number)});
    ++stream.chunks;
    stream.bytes += size;
    stream.largest = std::max(stream.largest, size);
    if (m_riffCount == 1)
        ++stream.chunksInFirstRiff;
    m_goodEnd = m_end;
    return true;
}

bool AviLayout::AddVideoFrame(const void* data, uint32_t size, bool timed, int64_t start)
{
    if (!AddChunk(m_video, data, size))
        return false;
    if (timed) {
        if (!m_timed)
            m_firstStart = start;
        m_lastStart = start;
        m_timed = true;
    }
    return true;
}

bool AviLayout::AddAudio(const void* data, uint32_t size)
{
    if (!m_audio.present)
        return false;
    size -= size % m_audioFormat.blockAlign;
    if (size == 0)
        return !m_failed;
    return AddChunk(m_audio, data, size);
}

uint32_t AviLayout::Ticks(const Stream& stream, uint64_t bytes, uint32_t chunks) const
{
    if (&stream == &m_audio)
        return Clamp32(bytes / m_audioFormat.blockAlign);
    return chunks;
}

bool AviLayout::CloseRiff()
{
    for (Stream* s : {&m_video, &m_audio}) {
        if (!s->present)
            continue;
        uint32_t n = 0;
        uint64_t bytes = 0;
        for (const Entry& e : m_entries) {
            if (e.stream == s->number) {
                ++n;
                bytes += e.size;
            }
        }
        if (n == 0)
            continue;
        m_scratch.clear();
        Bytes b(m_scratch);
        const size_t chunk = b.Open(s->indexId);
        b.U16(2);
        b.U8(0);
        b.U8(kIndexOfChunks);
        b.U32(n);
        b.U32(s->dataId);
        b.U64(m_riffStart);
        b.U32(0);
        for (const Entry& e : m_entries) {
            if (e.stream == s->number) {
                b.U32(uint32_t(e.dataOffset - m_riffStart));
                b.U32(e.size); // top bit clear: every chunk is a key frame
            }
        }
        b.Close(chunk);
        const uint64_t at = m_end;
        if (!Put(m_scratch.data(), m_scratch.size()))
            return false;
        s->superIndex.push_back({at, uint32_t(m_scratch.size()), Ticks(*s, bytes, n)});
    }
    const uint32_t moviSize = uint32_t(m_end - m_moviStart - 8);
    if (!PatchSize(m_moviStart + 4, moviSize))
        return false;
    if (m_riffCount == 1 && m_options.compatibilityIndex) {
        m_scratch.clear();
        Bytes b(m_scratch);
        const size_t chunk = b.Open(FourCC("idx1"));
        const uint64_t moviId = m_moviStart + 8; // offsets count from the list's 'movi'
        for (const Entry& e : m_entries) {
            b.U32(m_video.present && e.stream == m_video.number ? m_video.dataId : m_audio.dataId);
            b.U32(kKeyFrame);
            b.U32(uint32_t(e.dataOffset - 8 - moviId));
            b.U32(e.size);
        }
        b.Close(chunk);
        if (!Put(m_scratch.data(), m_scratch.size()))
            return false;
    }
    const uint32_t riffSize = uint32_t(m_end - m_riffStart - 8);
    if (!PatchSize(m_riffStart + 4, riffSize))
        return false;
    if (m_riffCount == 1) {
        m_firstRiffSize = riffSize;
        m_firstMoviSize = moviSize;
    }
    m_entries.clear();
    m_riffOpen = false;
    m_goodEnd = m_end;
    // A recording cut off later still has every closed RIFF indexed.
    BuildHeaders(m_scratch);
    if (!m_sink.Overwrite(0, m_scratch.data(), m_scratch.size()))
        return Fail();
    return true;
}

bool AviLayout::Finish()
{
    if (!m_begun || m_goodEnd == 0)
        return false; // not even the headers were written
    if (m_finished)
        return !m_failed;
    m_finished = true;
    if (!m_failed)
        return !m_riffOpen || CloseRiff();
    // After a failed write (a full disk): cut a half-written chunk or index away, then index what is whole.
    // When not even the indexes find room, the newest chunks give up theirs, so the file still closes complete.
    for (;;) {
        if (!m_sink.Truncate(m_goodEnd))
            return false;
        m_end = m_goodEnd;
        m_failed = false;
        for (Stream* s : {&m_video, &m_audio}) {
            while (!s->superIndex.empty() && s->superIndex.back().offset >= m_goodEnd)
                s->superIndex.pop_back();
        }
        if (!m_riffOpen || CloseRiff())
            return true;
        if (!m_riffOpen || !DropNewestChunk())
            return false;
    }
}

bool AviLayout::DropNewestChunk()
{
    if (m_entries.empty())
        return false;
    const Entry newest = m_entries.back();
    m_entries.pop_back();
    Stream& stream = m_video.present && newest.stream == m_video.number ? m_video : m_audio;
    --stream.chunks;
    stream.bytes -= newest.size;
    if (m_riffCount == 1)
        --stream.chunksInFirstRiff;
    m_goodEnd = newest.dataOffset - 8; // the chunk's header goes too
    return true;
}

StreamRate AviLayout::FinalVideoRate() const
{
    int64_t masterDuration = 0;
    if (m_audio.present && m_options.masterStream == m_audio.number && m_audio.bytes > 0) {
        const uint64_t blocks = m_audio.bytes / m_audioFormat.blockAlign;
        masterDuration = int64_t(blocks * uint64_t(kSecond) / m_audioFormat.samplesPerSec);
    }
    return VideoRate(m_video.chunks, m_timed, m_firstStart, m_lastStart, m_videoFormat.nominalInterval, masterDuration);
}

void AviLayout::BuildHeaders(std::vector<uint8_t>& out) const
{
    out.clear();
    Bytes b(out);
    const StreamRate video = FinalVideoRate();
    const uint32_t streams = uint32_t(m_streamCount);
    const uint32_t largest = std::max(m_video.largest, m_audio.largest);

    b.U32(FourCC("RIFF"));
    b.U32(m_firstRiffSize ? m_firstRiffSize : kOpenSize);
    b.U32(FourCC("AVI "));
    const size_t hdrl = b.OpenList(FourCC("hdrl"));

    const size_t avih = b.Open(FourCC("avih"));
    uint64_t bytesPerSec = m_audio.present ? m_audioFormat.avgBytesPerSec : 0;
    if (m_video.present)
        bytesPerSec += uint64_t(m_videoFormat.imageSize) * video.rate / video.scale;
    b.U32(m_video.present ? Clamp32(uint64_t(video.scale) * 1000000 / video.rate) : 0);
    b.U32(Clamp32(bytesPerSec));
    b.U32(0); // padding granularity
    b.U32((m_options.compatibilityIndex ? kHasIndex : 0) | (streams > 1 ? kIsInterleaved : 0));
    b.U32(m_video.present ? m_video.chunksInFirstRiff : 0);
    b.U32(0); // initial frames
    b.U32(streams);
    b.U32(largest + 8);
    b.U32(m_video.present ? uint32_t(m_videoFormat.width) : 0);
    b.U32(m_video.present ? uint32_t(m_videoFormat.height) : 0);
    b.Zeros(16);
    b.Close(avih);

    for (const Stream* s : {&m_video, &m_audio}) {
        if (!s->present)
            continue;
        const bool isVideo = s == &m_video;
        const size_t strl = b.OpenList(FourCC("strl"));
        const size_t strh = b.Open(FourCC("strh"));
        b.U32(isVideo ? FourCC("vids") : FourCC("auds"));
        b.U32(0); // handler: none for uncompressed data
        b.U32(0); // flags
        b.U16(0); // priority
        b.U16(0); // language
        b.U32(0); // initial frames
        b.U32(isVideo ? video.scale : m_audioFormat.blockAlign);
        b.U32(isVideo ? video.rate : m_audioFormat.avgBytesPerSec);
        b.U32(0); // start
        b.U32(isVideo ? s->chunks : Ticks(*s, s->bytes, s->chunks));
        b.U32(s->largest);
        b.U32(UINT32_MAX); // quality: the default
        b.U32(isVideo ? 0 : m_audioFormat.blockAlign);
        b.U16(0);
        b.U16(0);
        b.U16(isVideo ? uint16_t(m_videoFormat.width) : 0);
        b.U16(isVideo ? uint16_t(m_videoFormat.height) : 0);
        b.Close(strh);

        const size_t strf = b.Open(FourCC("strf"));
        if (isVideo) {
            b.U32(40);
            b.U32(uint32_t(m_videoFormat.width));
            b.U32(uint32_t(m_videoFormat.height));
            b.U16(1);
            b.U16(m_videoFormat.bitCount);
            b.U32(0); // uncompressed RGB
            b.U32(m_videoFormat.imageSize);
            b.Zeros(16);
        } else {
            b.U16(m_audioFormat.formatTag);
            b.U16(m_audioFormat.channels);
            b.U32(m_audioFormat.samplesPerSec);
            b.U32(m_audioFormat.avgBytesPerSec);
            b.U16(m_audioFormat.blockAlign);
            b.U16(m_audioFormat.bitsPerSample);
            b.U16(0); // no extra format bytes
        }
        b.Close(strf);

        const size_t indx = b.Open(FourCC("indx"));
        b.U16(4);
        b.U8(0);
        b.U8(kIndexOfIndexes);
        b.U32(uint32_t(s->superIndex.size()));
        b.U32(s->dataId);
        b.Zeros(12);
        for (const Stream::SuperEntry& e : s->superIndex) {
            b.U64(e.offset);
            b.U32(e.size);
            b.U32(e.duration);
        }
        b.Zeros(16 * (m_options.superIndexEntries - s->superIndex.size()));
        b.Close(indx);
        b.Close(strl);
    }

    const size_t odml = b.OpenList(FourCC("odml"));
    const size_t dmlh = b.Open(FourCC("dmlh"));
    b.U32(m_video.present ? m_video.chunks : Ticks(m_audio, m_audio.bytes, m_audio.chunks));
    b.Zeros(kDmlhBytes - 4);
    b.Close(dmlh);
    b.Close(odml);
    b.Close(hdrl);

    b.U32(FourCC("LIST"));
    b.U32(m_firstMoviSize ? m_firstMoviSize : kOpenSize);
    b.U32(FourCC("movi"));
}

} // namespace avi
