// The AVI writer's byte layout, read back with a small RIFF walker of the test's own: chunk sizes and padding,
// the old and OpenDML indexes pointing at the chunks they name, extension RIFFs under a small size limit,
// rates from time stamps, and what a recording cut off or hit by a failed write leaves behind.
#include "filters/aviwriter/AviLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// ---- memory sink ----

class MemorySink : public avi::ByteSink
{
public:
    bool Append(const void* data, size_t size) override
    {
        if (bytes.size() + size > capacity) {
            // A full disk: what fits lands, the rest does not.
            const auto* from = static_cast<const uint8_t*>(data);
            bytes.insert(bytes.end(), from, from + (capacity - bytes.size()));
            return false;
        }
        if (failAppend == 0) {
            // A disk that fills up mid-write: part of the data lands.
            bytes.insert(bytes.end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size / 2);
            failAppend = -1;
            return false;
        }
        if (failAppend > 0)
            --failAppend;
        bytes.insert(bytes.end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
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
    int failAppend = -1;        // the append that fails (counted from 0), -1: none
    size_t capacity = SIZE_MAX; // bytes the disk holds
};

// ---- the test's own RIFF reader ----

uint32_t Le32(const std::vector<uint8_t>& b, uint64_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, uint64_t at)
{
    return uint16_t(b[at] | b[at + 1] << 8);
}
uint64_t Le64(const std::vector<uint8_t>& b, uint64_t at)
{
    return Le32(b, at) | uint64_t(Le32(b, at + 4)) << 32;
}
std::string Id(uint32_t v)
{
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

struct Chunk
{
    std::string id;   // "RIFF", "LIST" or the chunk's id
    std::string type; // of a RIFF or LIST
    uint64_t at = 0;  // of the header
    uint32_t size = 0;
    std::vector<Chunk> children;
    uint64_t Data() const { return at + 8; }
    const Chunk* Find(const std::string& name, int skip = 0) const
    {
        for (const Chunk& c : children) {
            if ((c.id == name || (c.id == "LIST" && c.type == name)) && skip-- == 0)
                return &c;
        }
        return nullptr;
    }
};

// Every chunk lies inside its parent, and an odd-sized chunk is followed by one zero byte.
void Walk(const std::vector<uint8_t>& b, uint64_t from, uint64_t to, std::vector<Chunk>& out)
{
    uint64_t at = from;
    while (at < to) {
        ASSERT_LE(at + 8, to) << "a chunk header crosses its parent's end at " << at;
        Chunk c;
        c.id = Id(Le32(b, at));
        c.at = at;
        c.size = Le32(b, at + 4);
        const uint64_t end = at + 8 + c.size;
        ASSERT_LE(end, to) << c.id << " at " << at << " is larger than its parent";
        if (c.id == "RIFF" || c.id == "LIST") {
            ASSERT_GE(c.size, 4u);
            c.type = Id(Le32(b, at + 8));
            Walk(b, at + 12, end, c.children);
        }
        if (c.size & 1) {
            ASSERT_LT(end, to) << "padding byte missing after " << c.id;
            EXPECT_EQ(0, b[end]);
        }
        at = end + (c.size & 1);
        out.push_back(std::move(c));
    }
}

std::vector<Chunk> WalkFile(const std::vector<uint8_t>& b)
{
    std::vector<Chunk> top;
    Walk(b, 0, b.size(), top);
    return top;
}

// A reader recovering a file whose sizes cannot be trusted: chunk after chunk from the start, stepping into
// every RIFF and LIST, keeping the whole data chunks.
std::vector<Chunk> ScanDataChunks(const std::vector<uint8_t>& b)
{
    std::vector<Chunk> found;
    uint64_t at = 0;
    while (at + 8 <= b.size()) {
        Chunk c;
        c.id = Id(Le32(b, at));
        c.at = at;
        c.size = Le32(b, at + 4);
        if (c.id == "RIFF" || c.id == "LIST") {
            if (Id(Le32(b, at + 8)) != "movi" && Id(Le32(b, at + 8)) != "AVI " && Id(Le32(b, at + 8)) != "AVIX") {
                at += 8 + c.size + (c.size & 1); // hdrl and the like: skip whole
                continue;
            }
            at += 12;
            continue;
        }
        if (at + 8 + c.size > b.size())
            break;
        if (c.id.compare(2, 2, "dc") == 0 || c.id.compare(2, 2, "wb") == 0)
            found.push_back(c);
        at += 8 + c.size + (c.size & 1);
    }
    return found;
}

// ---- what the tests write ----

struct Written
{
    std::string id;
    std::vector<uint8_t> data;
};

std::vector<uint8_t> Filled(size_t size, int seed)
{
    std::vector<uint8_t> v(size);
    for (size_t i = 0; i < size; ++i)
        v[i] = uint8_t(seed * 31 + i * 7);
    return v;
}

// 4 x 2 pixels, 24-bit: rows of 12 bytes.
avi::VideoFormat SmallVideo(int width, int height)
{
    avi::VideoFormat v;
    v.width = width;
    v.height = height;
    v.imageSize = uint32_t(((width * 3 + 3) & ~3) * height);
    return v;
}

// 8 kHz mono 8-bit: one byte a block, so odd chunk sizes (and their padding) occur.
avi::AudioFormat SmallAudio()
{
    avi::AudioFormat a;
    a.channels = 1;
    a.samplesPerSec = 8000;
    a.avgBytesPerSec = 8000;
    a.blockAlign = 1;
    a.bitsPerSample = 8;
    return a;
}

// Frames every 40 ms (25 per second), each followed by an odd-sized block of sound.
std::vector<Written> WriteAlternating(avi::AviLayout& layout, const avi::VideoFormat& v, int frames,
                                      uint32_t audioBytes)
{
    std::vector<Written> written;
    for (int i = 0; i < frames; ++i) {
        Written f{"00dc", Filled(v.imageSize, i)};
        EXPECT_TRUE(layout.AddVideoFrame(f.data.data(), uint32_t(f.data.size()), true, 400000LL * i));
        written.push_back(std::move(f));
        Written a{"01wb", Filled(audioBytes, 1000 + i)};
        EXPECT_TRUE(layout.AddAudio(a.data.data(), uint32_t(a.data.size())));
        written.push_back(std::move(a));
    }
    return written;
}

std::vector<uint8_t> DataOf(const std::vector<uint8_t>& b, const Chunk& c)
{
    return std::vector<uint8_t>(b.begin() + c.Data(), b.begin() + c.Data() + c.size);
}

// The data chunks of every movi list in file order.
std::vector<Chunk> MoviChunks(const std::vector<Chunk>& top)
{
    std::vector<Chunk> out;
    for (const Chunk& riff : top) {
        if (const Chunk* movi = riff.Find("movi")) {
            for (const Chunk& c : movi->children) {
                if (c.id.compare(0, 2, "ix") != 0)
                    out.push_back(c);
            }
        }
    }
    return out;
}

void ExpectChunksAre(const std::vector<uint8_t>& b, const std::vector<Chunk>& chunks,
                     const std::vector<Written>& written)
{
    ASSERT_EQ(written.size(), chunks.size());
    for (size_t i = 0; i < chunks.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "chunk " << i);
        EXPECT_EQ(written[i].id, chunks[i].id);
        EXPECT_TRUE(DataOf(b, chunks[i]) == written[i].data);
    }
}

// The stream header fields the tests look at.
struct StreamHeader
{
    std::string type;
    uint32_t scale, rate, length, sampleSize;
};
StreamHeader ReadStrh(const std::vector<uint8_t>& b, const Chunk& strl)
{
    const Chunk* strh = strl.Find("strh");
    EXPECT_NE(nullptr, strh);
    if (!strh)
        return {};
    EXPECT_EQ(56u, strh->size);
    const uint64_t d = strh->Data();
    return {Id(Le32(b, d)), Le32(b, d + 20), Le32(b, d + 24), Le32(b, d + 32), Le32(b, d + 44)};
}

// Checks one stream's super index and its standard indexes against the movi chunks of that stream; returns
// the sum of the super index durations.
uint64_t CheckOpenDmlIndex(const std::vector<uint8_t>& b, const std::vector<Chunk>& top, const Chunk& strl,
                           const std::string& dataId)
{
    const Chunk* indx = strl.Find("indx");
    EXPECT_NE(nullptr, indx);
    if (!indx)
        return 0;
    const uint64_t d = indx->Data();
    EXPECT_EQ(4, Le16(b, d));
    EXPECT_EQ(0, b[d + 3]); // index of indexes
    EXPECT_EQ(dataId, Id(Le32(b, d + 8)));
    const uint32_t used = Le32(b, d + 4);

    std::map<uint64_t, uint32_t> dataChunks;  // data offset -> size, of this stream, from the walk
    std::map<uint64_t, std::string> ixChunks; // header offset -> id
    for (const Chunk& riff : top) {
        if (const Chunk* movi = riff.Find("movi")) {
            for (const Chunk& c : movi->children) {
                if (c.id == dataId)
                    dataChunks[c.Data()] = c.size;
                if (c.id.compare(0, 2, "ix") == 0)
                    ixChunks[c.at] = c.id;
            }
        }
    }
    std::map<uint64_t, uint32_t> indexed;
    uint64_t duration = 0;
    for (uint32_t i = 0; i < used; ++i) {
        const uint64_t e = d + 24 + 16 * uint64_t(i);
        const uint64_t offset = Le64(b, e);
        const uint32_t size = Le32(b, e + 8);
        duration += Le32(b, e + 12);
        EXPECT_EQ(1u, ixChunks.count(offset)) << "super index entry " << i << " points at no ix chunk";
        if (!ixChunks.count(offset))
            continue;
        EXPECT_EQ("ix" + dataId.substr(0, 2), ixChunks[offset]);
        EXPECT_EQ(8 + Le32(b, offset + 4), size);
        const uint64_t s = offset + 8;
        EXPECT_EQ(2, Le16(b, s));
        EXPECT_EQ(1, b[s + 3]); // index of chunks
        EXPECT_EQ(dataId, Id(Le32(b, s + 8)));
        const uint32_t entries = Le32(b, s + 4);
        const uint64_t base = Le64(b, s + 12);
        for (uint32_t k = 0; k < entries; ++k) {
            const uint64_t at = base + Le32(b, s + 24 + 8 * uint64_t(k));
            indexed[at] = Le32(b, s + 28 + 8 * uint64_t(k));
        }
    }
    EXPECT_TRUE(indexed == dataChunks) << dataId << ": the standard indexes must name exactly its chunks' data";
    return duration;
}

// ---- tests ----

class OneRiff : public ::testing::TestWithParam<bool>
{
};

TEST_P(OneRiff, HoldsBothStreamsWithIndexesPointingAtTheirChunks)
{
    const bool compatibility = GetParam();
    MemorySink sink;
    avi::LayoutOptions options;
    options.compatibilityIndex = compatibility;
    avi::AviLayout layout(sink, options);
    const avi::VideoFormat video = SmallVideo(4, 2);
    const avi::AudioFormat audio = SmallAudio();
    ASSERT_TRUE(layout.Begin(&video, &audio));
    const std::vector<Written> written = WriteAlternating(layout, video, 10, 801);
    ASSERT_TRUE(layout.Finish());

    const std::vector<uint8_t>& b = sink.bytes;
    const std::vector<Chunk> top = WalkFile(b);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(1u, top.size());
    EXPECT_EQ("RIFF", top[0].id);
    EXPECT_EQ("AVI ", top[0].type);
    EXPECT_EQ(b.size() - 8, top[0].size);

    const Chunk* hdrl = top[0].Find("hdrl");
    ASSERT_NE(nullptr, hdrl);
    const Chunk* avih = hdrl->Find("avih");
    ASSERT_NE(nullptr, avih);
    ASSERT_EQ(56u, avih->size);
    EXPECT_EQ(40000u, Le32(b, avih->Data()));                                 // microseconds per frame
    EXPECT_EQ(compatibility ? 0x10u : 0u, Le32(b, avih->Data() + 12) & 0x10); // has idx1
    EXPECT_EQ(10u, Le32(b, avih->Data() + 16));                               // frames
    EXPECT_EQ(2u, Le32(b, avih->Data() + 24));                                // streams
    EXPECT_EQ(4u, Le32(b, avih->Data() + 32));
    EXPECT_EQ(2u, Le32(b, avih->Data() + 36));

    const Chunk* videoStrl = hdrl->Find("strl", 0);
    const Chunk* audioStrl = hdrl->Find("strl", 1);
    ASSERT_TRUE(videoStrl && audioStrl);
    const StreamHeader vh = ReadStrh(b, *videoStrl);
    EXPECT_EQ("vids", vh.type);
    EXPECT_EQ(1u, vh.scale); // 40 ms a frame
    EXPECT_EQ(25u, vh.rate);
    EXPECT_EQ(10u, vh.length);
    const StreamHeader ah = ReadStrh(b, *audioStrl);
    EXPECT_EQ("auds", ah.type);
    EXPECT_EQ(1u, ah.scale);
    EXPECT_EQ(8000u, ah.rate);
    EXPECT_EQ(8010u, ah.length);
    EXPECT_EQ(1u, ah.sampleSize);

    const Chunk* strf = videoStrl->Find("strf");
    ASSERT_NE(nullptr, strf);
    ASSERT_EQ(40u, strf->size);
    EXPECT_EQ(4u, Le32(b, strf->Data() + 4));
    EXPECT_EQ(2u, Le32(b, strf->Data() + 8));
    EXPECT_EQ(24, Le16(b, strf->Data() + 14));
    EXPECT_EQ(0u, Le32(b, strf->Data() + 16)); // uncompressed
    EXPECT_EQ(24u, Le32(b, strf->Data() + 20));
    const Chunk* wave = audioStrl->Find("strf");
    ASSERT_NE(nullptr, wave);
    ASSERT_GE(wave->size, 16u);
    EXPECT_EQ(1, Le16(b, wave->Data()));
    EXPECT_EQ(1, Le16(b, wave->Data() + 2));
    EXPECT_EQ(8000u, Le32(b, wave->Data() + 4));

    const Chunk* dmlh = hdrl->Find("odml") ? hdrl->Find("odml")->Find("dmlh") : nullptr;
    ASSERT_NE(nullptr, dmlh);
    EXPECT_EQ(10u, Le32(b, dmlh->Data()));

    const std::vector<Chunk> chunks = MoviChunks(top);
    ExpectChunksAre(b, chunks, written);
    EXPECT_EQ(10u, CheckOpenDmlIndex(b, top, *videoStrl, "00dc"));
    EXPECT_EQ(8010u, CheckOpenDmlIndex(b, top, *audioStrl, "01wb"));

    const Chunk* idx1 = top[0].Find("idx1");
    ASSERT_EQ(compatibility, idx1 != nullptr);
    if (idx1) {
        const Chunk* movi = top[0].Find("movi");
        ASSERT_EQ(16u * chunks.size(), idx1->size);
        for (size_t i = 0; i < chunks.size(); ++i) {
            const uint64_t e = idx1->Data() + 16 * i;
            EXPECT_EQ(chunks[i].id, Id(Le32(b, e)));
            EXPECT_EQ(0x10u, Le32(b, e + 4)); // key frame
            EXPECT_EQ(chunks[i].at, movi->at + 8 + Le32(b, e + 8)) << "offsets count from 'movi'";
            EXPECT_EQ(chunks[i].size, Le32(b, e + 12));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AviLayout, OneRiff, ::testing::Bool());

TEST(AviLayout, ExtensionRiffsStayUnderTheLimitAndIndexEveryChunk)
{
    MemorySink sink;
    avi::LayoutOptions options;
    options.riffLimit = 4096;
    options.superIndexEntries = 32;
    options.masterStream = 1;
    avi::AviLayout layout(sink, options);
    const avi::VideoFormat video = SmallVideo(8, 4); // 96-byte frames
    const avi::AudioFormat audio = SmallAudio();
    ASSERT_TRUE(layout.Begin(&video, &audio));
    const std::vector<Written> written = WriteAlternating(layout, video, 60, 201);
    ASSERT_TRUE(layout.Finish());

    const std::vector<uint8_t>& b = sink.bytes;
    const std::vector<Chunk> top = WalkFile(b);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_GE(top.size(), 3u);
    for (size_t i = 0; i < top.size(); ++i) {
        EXPECT_EQ("RIFF", top[i].id);
        EXPECT_EQ(i == 0 ? "AVI " : "AVIX", top[i].type);
        EXPECT_LE(top[i].size + 8u, 4096u);
        EXPECT_NE(nullptr, top[i].Find("movi"));
        EXPECT_EQ(i == 0, top[i].Find("idx1") != nullptr);
    }
    const std::vector<Chunk> chunks = MoviChunks(top);
    ExpectChunksAre(b, chunks, written);

    const Chunk* hdrl = top[0].Find("hdrl");
    ASSERT_NE(nullptr, hdrl);
    const Chunk* videoStrl = hdrl->Find("strl", 0);
    const Chunk* audioStrl = hdrl->Find("strl", 1);
    ASSERT_TRUE(videoStrl && audioStrl);
    EXPECT_EQ(60u, CheckOpenDmlIndex(b, top, *videoStrl, "00dc"));
    EXPECT_EQ(60u * 201, CheckOpenDmlIndex(b, top, *audioStrl, "01wb"));

    size_t framesInFirst = 0;
    for (const Chunk& c : top[0].Find("movi")->children)
        framesInFirst += c.id == "00dc";
    const Chunk* idx1 = top[0].Find("idx1");
    EXPECT_EQ(16u * (top[0].Find("movi")->children.size() - 2), idx1->size) << "idx1 covers the first RIFF only";
    EXPECT_EQ(framesInFirst, Le32(b, hdrl->Find("avih")->Data() + 16));
    EXPECT_EQ(60u, Le32(b, hdrl->Find("odml")->Find("dmlh")->Data()));
    // The sound is master: 12060 bytes at 8000 a second last 1.5075 s, so each of the 60 frames 251250
    // (100 ns), which is 201/8000 s.
    const StreamHeader vh = ReadStrh(b, *videoStrl);
    EXPECT_EQ(201u, vh.scale);
    EXPECT_EQ(8000u, vh.rate);
    EXPECT_EQ(60u, vh.length);
}

struct RateCase
{
    uint32_t frames;
    bool timed;
    int64_t first, last, nominal, master;
    uint32_t scale, rate;
};

class VideoRateTest : public ::testing::TestWithParam<RateCase>
{
};

TEST_P(VideoRateTest, ComesFromTheMasterTheTimesOrTheNominalInterval)
{
    const RateCase& c = GetParam();
    const avi::StreamRate r = avi::VideoRate(c.frames, c.timed, c.first, c.last, c.nominal, c.master);
    EXPECT_EQ(c.scale, r.scale);
    EXPECT_EQ(c.rate, r.rate);
}

INSTANTIATE_TEST_SUITE_P(
    AviLayout, VideoRateTest,
    ::testing::Values(RateCase{10, true, 0, 3600000, 0, 0, 1, 25},                        // 9 gaps of 40 ms
                      RateCase{76, true, 5000000, 55000000, 666666, 0, 666667, 10000000}, // 5 s over 75 gaps, rounded
                      RateCase{1, true, 0, 0, 666666, 0, 333333, 5000000},                // one frame: the nominal rate
                      RateCase{0, false, 0, 0, 0, 0, 333333, 10000000},                   // nothing known: 30 a second
                      RateCase{3, true, 800000, 0, 400000, 0, 1, 25},                     // times running backwards
                      RateCase{25, true, 0, 9600000, 400000, 20000000, 2, 25}));          // 2 s of master sound

TEST(AviLayout, ARecordingCutOffBeforeTheEndKeepsEveryWholeChunkReadable)
{
    MemorySink sink;
    avi::LayoutOptions options;
    options.riffLimit = 4096;
    options.superIndexEntries = 32;
    avi::AviLayout layout(sink, options);
    const avi::VideoFormat video = SmallVideo(8, 4);
    const avi::AudioFormat audio = SmallAudio();
    ASSERT_TRUE(layout.Begin(&video, &audio));
    std::vector<Written> written = WriteAlternating(layout, video, 40, 201);

    // No Finish: the process ended. Cut the file in the middle of the last chunk, as a disk write would.
    std::vector<uint8_t> b = sink.bytes;
    b.resize(b.size() - 50);
    written.pop_back();
    const std::vector<Chunk> chunks = ScanDataChunks(b);
    ExpectChunksAre(b, chunks, written);

    // The RIFFs already closed are complete: the first one walks cleanly with its idx1.
    std::vector<Chunk> first;
    Walk(b, 0, 8 + Le32(b, 4), first);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(1u, first.size());
    ASSERT_NE(nullptr, first[0].Find("idx1"));
}

TEST(AviLayout, AFailedWriteLeavesAnIndexedFileOfTheWholeChunksBeforeIt)
{
    MemorySink sink;
    avi::LayoutOptions options;
    avi::AviLayout layout(sink, options);
    const avi::VideoFormat video = SmallVideo(4, 2);
    const avi::AudioFormat audio = SmallAudio();
    ASSERT_TRUE(layout.Begin(&video, &audio));
    std::vector<Written> written = WriteAlternating(layout, video, 3, 801);
    sink.failAppend = 1; // the next frame's header lands, half its data does not
    const std::vector<uint8_t> frame = Filled(video.imageSize, 99);
    EXPECT_FALSE(layout.AddVideoFrame(frame.data(), uint32_t(frame.size()), true, 1200000));
    EXPECT_TRUE(layout.Failed());
    EXPECT_FALSE(layout.AddAudio(frame.data(), 10)) << "nothing is appended after a failure";

    EXPECT_TRUE(layout.Finish());
    const std::vector<Chunk> top = WalkFile(sink.bytes);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(1u, top.size());
    ExpectChunksAre(sink.bytes, MoviChunks(top), written);
    const Chunk* hdrl = top[0].Find("hdrl");
    EXPECT_EQ(3u, CheckOpenDmlIndex(sink.bytes, top, *hdrl->Find("strl", 0), "00dc"));
    EXPECT_EQ(3u, ReadStrh(sink.bytes, *hdrl->Find("strl", 0)).length);
}

TEST(AviLayout, ADiskFullToTheLastByteStillGetsAnIndexedFileOfTheFirstChunks)
{
    MemorySink sink;
    avi::AviLayout layout(sink, avi::LayoutOptions());
    const avi::VideoFormat video = SmallVideo(4, 2);
    const avi::AudioFormat audio = SmallAudio();
    ASSERT_TRUE(layout.Begin(&video, &audio));
    std::vector<Written> written = WriteAlternating(layout, video, 6, 801);
    sink.capacity = sink.bytes.size(); // the disk is full right after the last whole chunk
    const std::vector<uint8_t> frame = Filled(video.imageSize, 99);
    EXPECT_FALSE(layout.AddVideoFrame(frame.data(), uint32_t(frame.size()), true, 2400000));

    EXPECT_TRUE(layout.Finish());
    const std::vector<Chunk> top = WalkFile(sink.bytes);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(1u, top.size());
    const std::vector<Chunk> kept = MoviChunks(top);
    ASSERT_FALSE(kept.empty());
    ASSERT_LT(kept.size(), written.size()) << "the indexes took the room of the newest chunks";
    written.resize(kept.size());
    ExpectChunksAre(sink.bytes, kept, written);
    ASSERT_NE(nullptr, top[0].Find("idx1"));
    const Chunk* strl = top[0].Find("hdrl")->Find("strl", 0);
    size_t frames = 0;
    for (const Written& w : written)
        frames += w.id == "00dc" ? 1 : 0;
    EXPECT_EQ(frames, CheckOpenDmlIndex(sink.bytes, top, *strl, "00dc"));
    EXPECT_EQ(frames, ReadStrh(sink.bytes, *strl).length);
}

TEST(AviLayout, AFullSuperIndexEndsTheFileWithWhatFits)
{
    MemorySink sink;
    avi::LayoutOptions options;
    options.riffLimit = 4096;
    options.superIndexEntries = 2;
    avi::AviLayout layout(sink, options);
    const avi::VideoFormat video = SmallVideo(8, 4);
    ASSERT_TRUE(layout.Begin(&video, nullptr));
    const std::vector<uint8_t> frame = Filled(video.imageSize, 1);
    int accepted = 0;
    while (accepted < 200 && layout.AddVideoFrame(frame.data(), uint32_t(frame.size()), false, 0))
        ++accepted;
    ASSERT_LT(accepted, 200) << "two RIFFs of 4 KiB cannot hold 200 frames";
    EXPECT_TRUE(layout.Finish());

    const std::vector<Chunk> top = WalkFile(sink.bytes);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(2u, top.size());
    const Chunk* strl = top[0].Find("hdrl")->Find("strl");
    EXPECT_EQ(uint64_t(accepted), CheckOpenDmlIndex(sink.bytes, top, *strl, "00dc"));
    EXPECT_EQ(uint32_t(accepted), ReadStrh(sink.bytes, *strl).length);
}

} // namespace
