// RIFF AVI layout: header lists, 'movi' chunks, idx1 index, and past the first part's size
// limit the OpenDML continuation (AVIX parts, super index and standard indexes).
#pragma once

#include "platform/vfw/avi_file_sink.h"
#include "platform/vfw/vfw_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vfw {

class AviMuxer {
public:
    static constexpr uint64_t kDefaultPartLimit = 1ull << 30;

    explicit AviMuxer(uint64_t partLimit = kDefaultPartLimit) : m_partLimit(partLimit) {}

    [[nodiscard]] bool Create(const std::string& path);
    [[nodiscard]] int AddStream(const AVISTREAMINFOW& info);
    int StreamCount() const { return static_cast<int>(m_streams.size()); }
    // Formats are fixed once the first chunk is written.
    [[nodiscard]] bool SetFormat(int stream, const void* format, size_t bytes);
    const std::vector<uint8_t>& Format(int stream) const { return m_streams[stream].format; }
    const AVISTREAMINFOW& Info(int stream) const { return m_streams[stream].info; }
    // Appends one chunk of the given number of samples; on failure nothing of it stays.
    [[nodiscard]] bool WriteChunk(int stream, const void* data, size_t bytes, bool key, uint32_t samples);
    // Writes the indexes and the final headers; the file stays readable even when it fails.
    [[nodiscard]] bool Finish();
    int PartCount() const { return m_partCount; }

private:
    struct ChunkEntry {
        uint64_t offset; // of the chunk's header
        uint32_t bytes;
        bool key;
    };
    struct SuperEntry {
        uint64_t offset;
        uint32_t bytes;
        uint32_t duration;
    };
    struct Stream {
        AVISTREAMINFOW info;
        std::vector<uint8_t> format;
        uint32_t chunkId;
        std::vector<ChunkEntry> partChunks;
        uint32_t partSamples = 0;
        std::vector<SuperEntry> superIndex;
        uint32_t firstPartFrames = 0;
    };
    struct LegacyEntry {
        uint32_t chunkId;
        uint32_t flags;
        uint64_t offset;
        uint32_t bytes;
    };

    std::vector<uint8_t> BuildHeader() const;
    [[nodiscard]] bool LayOut();
    [[nodiscard]] bool StartPart();
    [[nodiscard]] bool EndPart(bool last);
    [[nodiscard]] bool WriteStandardIndexes();
    size_t PendingIndexBytes() const;
    void PatchSize(uint64_t sizeFieldOffset, uint64_t end);

    uint64_t m_partLimit;
    AviFileSink m_sink;
    std::vector<Stream> m_streams;
    std::vector<LegacyEntry> m_legacyIndex;
    bool m_laidOut = false;
    bool m_failed = false;
    bool m_hasLegacyIndex = false;
    int m_partCount = 0;
    size_t m_headerBytes = 0;
    uint64_t m_riffStart = 0;
    uint64_t m_moviStart = 0; // offset of the 'movi' list's size field minus 4
    uint32_t m_maxChunk = 0;
};

} // namespace vfw
