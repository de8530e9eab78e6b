#include "platform/vfw/avi_muxer.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace vfw {

namespace {

constexpr size_t kSuperIndexEntries = 256;
constexpr size_t kSuperIndexBytes = 24 + 16 * kSuperIndexEntries;
constexpr size_t kOdmlBytes = 4 + 8 + 248; // 'odml' + the dmlh chunk
constexpr DWORD kAvifHasIndex = 0x10;
constexpr DWORD kAvifIsInterleaved = 0x100;
constexpr uint32_t kNotKeyFrame = 0x80000000u;

class ByteWriter {
public:
    void U8(uint8_t v) { m_bytes.push_back(v); }
    void U16(uint16_t v)
    {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void U64(uint64_t v)
    {
        U32(static_cast<uint32_t>(v));
        U32(static_cast<uint32_t>(v >> 32));
    }
    void Tag(FOURCC tag) { U32(tag); }
    void Bytes(const void* data, size_t n)
    {
        const auto* p = static_cast<const uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + n);
    }
    void Zeros(size_t n) { m_bytes.insert(m_bytes.end(), n, 0); }
    // Starts a chunk or list; returns where its size goes.
    size_t Open(FOURCC tag)
    {
        Tag(tag);
        const size_t at = m_bytes.size();
        U32(0);
        return at;
    }
    void Close(size_t sizeAt)
    {
        const auto size = static_cast<uint32_t>(m_bytes.size() - sizeAt - 4);
        std::memcpy(&m_bytes[sizeAt], &size, 4);
        if (size & 1)
            U8(0);
    }
    std::vector<uint8_t>& Data() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

// The 'avih' chunk's fields, in the file's order; dwTotalFrames counts the first part's frames
// only (the OpenDML header has them all).
struct AviMainHeader {
    uint32_t dwMicroSecPerFrame;
    uint32_t dwMaxBytesPerSec;
    uint32_t dwPaddingGranularity;
    uint32_t dwFlags;
    uint32_t dwTotalFrames;
    uint32_t dwInitialFrames;
    uint32_t dwStreams;
    uint32_t dwSuggestedBufferSize;
    uint32_t dwWidth;
    uint32_t dwHeight;
    uint32_t dwReserved[4];
};

void WriteMainHeader(ByteWriter& w, const AviMainHeader& h)
{
    for (uint32_t field : {h.dwMicroSecPerFrame, h.dwMaxBytesPerSec, h.dwPaddingGranularity, h.dwFlags, h.dwTotalFrames,
                           h.dwInitialFrames, h.dwStreams, h.dwSuggestedBufferSize, h.dwWidth, h.dwHeight})
        w.U32(field);
    for (uint32_t reserved : h.dwReserved)
        w.U32(reserved);
}

constexpr FOURCC Tag(const char* t) { return mmioFOURCC(t[0], t[1], t[2], t[3]); }

FOURCC StreamTag(int index, const char* kind)
{
    return mmioFOURCC(static_cast<char>('0' + index / 10), static_cast<char>('0' + index % 10), kind[0], kind[1]);
}

} // namespace

bool AviMuxer::Create(const std::string& path) { return m_sink.Create(path); }

int AviMuxer::AddStream(const AVISTREAMINFOW& info)
{
    if (m_laidOut || m_streams.size() >= 99)
        return -1;
    Stream stream{};
    stream.info = info;
    stream.info.dwLength = 0;
    m_streams.push_back(stream);
    return static_cast<int>(m_streams.size()) - 1;
}

bool AviMuxer::SetFormat(int stream, const void* format, size_t bytes)
{
    if (m_laidOut || stream < 0 || stream >= StreamCount() || !format || bytes == 0 || bytes > 0x100000)
        return false;
    Stream& s = m_streams[stream];
    const auto* p = static_cast<const uint8_t*>(format);
    s.format.assign(p, p + bytes);
    return true;
}

std::vector<uint8_t> AviMuxer::BuildHeader() const
{
    const bool openDml = m_partCount > 1;
    const Stream* video = nullptr;
    for (const Stream& s : m_streams)
        if (s.info.fccType == streamtypeVIDEO && !video)
            video = &s;

    ByteWriter w;
    const size_t hdrl = w.Open(Tag("LIST"));
    w.Tag(Tag("hdrl"));
    const size_t avih = w.Open(Tag("avih"));
    const double frameSeconds = video && video->info.dwRate ? double(video->info.dwScale) / video->info.dwRate : 0.0;
    const AviMainHeader mainHeader{
        .dwMicroSecPerFrame = static_cast<uint32_t>(std::min(frameSeconds * 1e6 + 0.5, 4294967295.0)),
        .dwMaxBytesPerSec = frameSeconds > 0 ? static_cast<uint32_t>(std::min(m_maxChunk / frameSeconds, 4294967295.0))
                                             : 0,
        .dwPaddingGranularity = 0,
        .dwFlags = (m_hasLegacyIndex ? kAvifHasIndex : 0) | kAvifIsInterleaved,
        .dwTotalFrames = video ? video->firstPartFrames : 0,
        .dwInitialFrames = 0,
        .dwStreams = static_cast<uint32_t>(m_streams.size()),
        .dwSuggestedBufferSize = m_maxChunk,
        .dwWidth = video ? static_cast<uint32_t>(video->info.rcFrame.right - video->info.rcFrame.left) : 0,
        .dwHeight = video ? static_cast<uint32_t>(video->info.rcFrame.bottom - video->info.rcFrame.top) : 0,
        .dwReserved = {},
    };
    WriteMainHeader(w, mainHeader);
    w.Close(avih);

    for (size_t i = 0; i < m_streams.size(); ++i) {
        const Stream& s = m_streams[i];
        const AVISTREAMINFOW& info = s.info;
        const size_t strl = w.Open(Tag("LIST"));
        w.Tag(Tag("strl"));
        const size_t strh = w.Open(Tag("strh"));
        w.Tag(info.fccType);
        w.Tag(info.fccHandler);
        w.U32(info.dwFlags);
        w.U16(info.wPriority);
        w.U16(info.wLanguage);
        w.U32(info.dwInitialFrames);
        w.U32(info.dwScale);
        w.U32(info.dwRate);
        w.U32(info.dwStart);
        w.U32(info.dwLength);
        w.U32(info.dwSuggestedBufferSize);
        w.U32(info.dwQuality);
        w.U32(info.dwSampleSize);
        w.U16(static_cast<uint16_t>(info.rcFrame.left));
        w.U16(static_cast<uint16_t>(info.rcFrame.top));
        w.U16(static_cast<uint16_t>(info.rcFrame.right));
        w.U16(static_cast<uint16_t>(info.rcFrame.bottom));
        w.Close(strh);
        const size_t strf = w.Open(Tag("strf"));
        w.Bytes(s.format.data(), s.format.size());
        w.Close(strf);
        if (openDml) {
            const size_t indx = w.Open(Tag("indx"));
            w.U16(4);
            w.U8(0);
            w.U8(0); // an index of indexes
            w.U32(static_cast<uint32_t>(s.superIndex.size()));
            w.Tag(s.chunkId);
            w.Zeros(12);
            for (const SuperEntry& e : s.superIndex) {
                w.U64(e.offset);
                w.U32(e.bytes);
                w.U32(e.duration);
            }
            w.Zeros(16 * (kSuperIndexEntries - s.superIndex.size()));
            w.Close(indx);
        } else {
            const size_t junk = w.Open(Tag("JUNK"));
            w.Zeros(kSuperIndexBytes);
            w.Close(junk);
        }
        w.Close(strl);
    }

    if (openDml) {
        const size_t odml = w.Open(Tag("LIST"));
        w.Tag(Tag("odml"));
        const size_t dmlh = w.Open(Tag("dmlh"));
        w.U32(video ? video->info.dwLength : 0);
        w.Zeros(244);
        w.Close(dmlh);
        w.Close(odml);
    } else {
        const size_t junk = w.Open(Tag("JUNK"));
        w.Zeros(kOdmlBytes);
        w.Close(junk);
    }
    w.Close(hdrl);
    return std::move(w.Data());
}

bool AviMuxer::LayOut()
{
    for (size_t i = 0; i < m_streams.size(); ++i) {
        Stream& s = m_streams[i];
        bool compressed = true;
        if (s.info.fccType == streamtypeVIDEO && s.format.size() >= sizeof(BITMAPINFOHEADER)) {
            BITMAPINFOHEADER header;
            std::memcpy(&header, s.format.data(), sizeof header);
            compressed = header.biCompression != BI_RGB;
        }
        s.chunkId = StreamTag(static_cast<int>(i), s.info.fccType == streamtypeAUDIO ? "wb" : compressed ? "dc" : "db");
    }
    m_laidOut = true;
    const uint8_t riff[12] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '};
    const std::vector<uint8_t> header = BuildHeader();
    m_headerBytes = header.size();
    m_partCount = 1;
    m_riffStart = 0;
    m_moviStart = sizeof riff + header.size();
    const uint8_t movi[12] = {'L', 'I', 'S', 'T', 0, 0, 0, 0, 'm', 'o', 'v', 'i'};
    if (!m_sink.Append(riff, sizeof riff) || !m_sink.Append(header.data(), header.size()) ||
        !m_sink.Append(movi, sizeof movi)) {
        m_failed = true;
        return false;
    }
    return true;
}

size_t AviMuxer::PendingIndexBytes() const
{
    size_t bytes = 0;
    for (const Stream& s : m_streams)
        bytes += 8 + 24 + 8 * (s.partChunks.size() + 1);
    if (m_partCount == 1)
        bytes += 8 + 16 * (m_legacyIndex.size() + 1);
    return bytes;
}

void AviMuxer::PatchSize(uint64_t sizeFieldOffset, uint64_t end)
{
    const auto size = static_cast<uint32_t>(end - sizeFieldOffset - 4);
    if (!m_sink.WriteAt(sizeFieldOffset, &size, 4))
        m_failed = true;
}

bool AviMuxer::WriteStandardIndexes()
{
    bool ok = true;
    for (size_t i = 0; i < m_streams.size(); ++i) {
        Stream& s = m_streams[i];
        if (s.partChunks.empty())
            continue;
        ByteWriter w;
        const size_t ix = w.Open(
            mmioFOURCC('i', 'x', static_cast<char>('0' + i / 10), static_cast<char>('0' + i % 10)));
        w.U16(2);
        w.U8(0);
        w.U8(1); // an index of chunks
        w.U32(static_cast<uint32_t>(s.partChunks.size()));
        w.Tag(s.chunkId);
        w.U64(m_moviStart);
        w.U32(0);
        for (const ChunkEntry& e : s.partChunks) {
            w.U32(static_cast<uint32_t>(e.offset + 8 - m_moviStart));
            w.U32(e.bytes | (e.key ? 0 : kNotKeyFrame));
        }
        w.Close(ix);
        const uint64_t at = m_sink.End();
        if (!m_sink.Append(w.Data().data(), w.Data().size())) {
            ok = false;
            continue;
        }
        s.superIndex.push_back({at, static_cast<uint32_t>(w.Data().size()), s.partSamples});
    }
    return ok;
}

bool AviMuxer::EndPart(bool last)
{
    bool ok = true;
    if (m_partCount > 1 || !last)
        ok = WriteStandardIndexes();
    PatchSize(m_moviStart + 4, m_sink.End());
    if (m_partCount == 1) {
        ByteWriter w;
        const size_t idx1 = w.Open(Tag("idx1"));
        const uint64_t base = m_moviStart + 8;
        for (const LegacyEntry& e : m_legacyIndex) {
            w.Tag(e.chunkId);
            w.U32(e.flags);
            w.U32(static_cast<uint32_t>(e.offset - base));
            w.U32(e.bytes);
        }
        w.Close(idx1);
        m_hasLegacyIndex = m_sink.Append(w.Data().data(), w.Data().size());
        ok = ok && m_hasLegacyIndex;
        m_legacyIndex.clear();
        m_legacyIndex.shrink_to_fit();
    }
    PatchSize(m_riffStart + 4, m_sink.End());
    for (Stream& s : m_streams) {
        s.partChunks.clear();
        s.partSamples = 0;
    }
    return ok;
}

bool AviMuxer::StartPart()
{
    const uint64_t start = m_sink.End();
    const uint8_t heads[24] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', 'X',
                               'L', 'I', 'S', 'T', 0, 0, 0, 0, 'm', 'o', 'v', 'i'};
    if (!m_sink.Append(heads, sizeof heads))
        return false;
    m_riffStart = start;
    m_moviStart = start + 12;
    ++m_partCount;
    return true;
}

bool AviMuxer::WriteChunk(int stream, const void* data, size_t bytes, bool key, uint32_t samples)
{
    if (stream < 0 || stream >= StreamCount() || !m_sink.IsOpen() || bytes > 0x7FFFFFF0u)
        return false;
    if (!m_laidOut && !LayOut())
        return false;
    const size_t total = 8 + bytes + (bytes & 1);
    bool partHasChunks = false;
    for (const Stream& s : m_streams)
        partHasChunks = partHasChunks || !s.partChunks.empty();
    if (partHasChunks && m_sink.End() - m_riffStart + total + PendingIndexBytes() > m_partLimit) {
        if (m_partCount >= static_cast<int>(kSuperIndexEntries))
            return false;
        // A part whose indexes are missing leaves the file damaged: Finish must not report success.
        if (!EndPart(false))
            m_failed = true;
        if (!StartPart())
            return false;
    }

    Stream& s = m_streams[stream];
    const uint64_t start = m_sink.End();
    const uint32_t head[2] = {s.chunkId, static_cast<uint32_t>(bytes)};
    const uint8_t pad = 0;
    if (!m_sink.Append(head, sizeof head) || (bytes && !m_sink.Append(data, bytes)) ||
        ((bytes & 1) && !m_sink.Append(&pad, 1))) {
        // A chunk header left behind would announce data that is not there.
        if (!m_sink.TruncateTo(start))
            m_failed = true;
        return false;
    }
    s.partChunks.push_back({start, static_cast<uint32_t>(bytes), key});
    if (m_partCount == 1) {
        m_legacyIndex.push_back({s.chunkId, key ? AVIIF_KEYFRAME : 0, start, static_cast<uint32_t>(bytes)});
        if (s.info.fccType == streamtypeVIDEO)
            s.firstPartFrames += samples;
    }
    s.partSamples += samples;
    s.info.dwLength += samples;
    s.info.dwSuggestedBufferSize = std::max<DWORD>(s.info.dwSuggestedBufferSize, static_cast<DWORD>(bytes));
    m_maxChunk = std::max<uint32_t>(m_maxChunk, static_cast<uint32_t>(bytes));
    return true;
}

bool AviMuxer::Finish()
{
    if (!m_sink.IsOpen())
        return false;
    if (!m_laidOut && !LayOut())
        m_failed = true;
    if (m_laidOut) {
        if (!EndPart(true))
            m_failed = true;
        const std::vector<uint8_t> header = BuildHeader();
        if (header.size() != m_headerBytes || !m_sink.WriteAt(12, header.data(), header.size()))
            m_failed = true;
    }
    if (!m_sink.Close())
        m_failed = true;
    return !m_failed;
}

} // namespace vfw
