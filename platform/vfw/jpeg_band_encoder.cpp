#include "platform/vfw/jpeg_band_encoder.h"

#include "platform/jpeg/jpeg_error.h"
#include "platform/win/failure_log.h"
#include "workers/part_pool.h"

#include <algorithm>
#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <string>

#include <jpeglib.h>

#include <jerror.h>

namespace vfw {

namespace {

constexpr int kMcuSize = 16; // 4:2:0 sampling
constexpr int kMaxRestartInterval = 65535;
constexpr int64_t kSmallestSplitFrame = 256 * 256;
constexpr size_t kFirstBufferBytes = 64 * 1024;
constexpr JDIMENSION kRowsPerWrite = 16;

constexpr uint8_t kMarker = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfFrame = 0xC0;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kRestartInterval = 0xDD;
constexpr uint8_t kFirstRestart = 0xD0;

void IgnoreMessage(j_common_ptr, int) {}

// Where one band's JPEG has its height, its scan header and its entropy-coded data.
struct BandLayout {
    size_t heightAt = 0;
    size_t scanHeaderAt = 0;
    size_t dataAt = 0;
    size_t dataEnd = 0;
};

uint16_t BigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

// Our own encoder wrote the JPEG: markers up to the scan, data, end of image. Anything else
// fails the frame.
bool FindLayout(const std::vector<uint8_t>& jpeg, size_t bytes, BandLayout& layout)
{
    if (bytes < 4 || jpeg[0] != kMarker || jpeg[1] != kStartOfImage)
        return false;
    size_t at = 2;
    bool haveHeight = false;
    for (;;) {
        if (at + 4 > bytes || jpeg[at] != kMarker)
            return false;
        const uint8_t marker = jpeg[at + 1];
        const size_t length = BigEndian16(&jpeg[at + 2]);
        if (length < 2 || at + 2 + length > bytes)
            return false;
        if (marker == kStartOfFrame && length >= 7) {
            layout.heightAt = at + 5;
            haveHeight = true;
        }
        if (marker == kStartOfScan) {
            layout.scanHeaderAt = at;
            layout.dataAt = at + 2 + length;
            break;
        }
        at += 2 + length;
    }
    if (!haveHeight || bytes < layout.dataAt + 2 || jpeg[bytes - 2] != kMarker || jpeg[bytes - 1] != kEndOfImage)
        return false;
    layout.dataEnd = bytes - 2;
    return true;
}

} // namespace

JpegBandPlan PlanJpegBands(int width, int height, int threads)
{
    const int mcuRows = (height + kMcuSize - 1) / kMcuSize;
    const int mcusPerRow = (width + kMcuSize - 1) / kMcuSize;
    const JpegBandPlan whole{mcuRows, 1};
    if (threads <= 1 || mcuRows < 2 || mcusPerRow > kMaxRestartInterval ||
        static_cast<int64_t>(width) * height < kSmallestSplitFrame)
        return whole;
    const int rows = std::min((mcuRows + threads - 1) / threads, kMaxRestartInterval / mcusPerRow);
    return {rows, (mcuRows + rows - 1) / rows};
}

int JpegQuality(LONG quality)
{
    if (quality < 0)
        quality = kDefaultCompressorQuality;
    return static_cast<int>(std::clamp<LONG>((quality + 50) / 100, 1, 100));
}

// One band's compressor and the JPEG it wrote last; the libjpeg object lives as long as the band.
class JpegBandEncoder::Band {
public:
    Band() = default;
    ~Band()
    {
        if (m_created)
            jpeg_destroy_compress(&m_compressor);
    }
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    bool Create()
    {
        m_compressor.err = jpeg::InitErrorJump(&m_error);
        m_error.pub.emit_message = IgnoreMessage;
        if (setjmp(m_error.jump))
            return false;
        jpeg_create_compress(&m_compressor);
        m_created = true;
        m_destination.init_destination = InitDestination;
        m_destination.empty_output_buffer = EmptyOutputBuffer;
        m_destination.term_destination = TermDestination;
        m_compressor.dest = &m_destination;
        m_compressor.client_data = this;
        return true;
    }

    // Rows [first, first + count) of the frame whose first row shown is top.
    bool Compress(const uint8_t* top, ptrdiff_t stride, int first, int count, int width, int quality)
    {
        m_failure.clear();
        if (setjmp(m_error.jump)) {
            m_failure = jpeg::Message(reinterpret_cast<j_common_ptr>(&m_compressor));
            jpeg_abort_compress(&m_compressor);
            return false;
        }
        m_compressor.image_width = static_cast<JDIMENSION>(width);
        m_compressor.image_height = static_cast<JDIMENSION>(count);
        m_compressor.input_components = 3;
        m_compressor.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&m_compressor);
        jpeg_set_quality(&m_compressor, quality, TRUE);
        // Every band must use the same, standard tables to be joined.
        m_compressor.optimize_coding = FALSE;
        jpeg_start_compress(&m_compressor, TRUE);
        JSAMPROW rows[kRowsPerWrite];
        while (m_compressor.next_scanline < m_compressor.image_height) {
            const JDIMENSION next = m_compressor.next_scanline;
            const JDIMENSION n = std::min(kRowsPerWrite, m_compressor.image_height - next);
            for (JDIMENSION k = 0; k < n; ++k)
                rows[k] = const_cast<JSAMPROW>(top + stride * (first + static_cast<ptrdiff_t>(next + k)));
            jpeg_write_scanlines(&m_compressor, rows, n);
        }
        jpeg_finish_compress(&m_compressor);
        return true;
    }
    const std::vector<uint8_t>& Jpeg() const { return m_buffer; }
    size_t Bytes() const { return m_bytes; }
    // The library's message when the last Compress failed.
    const std::string& Failure() const { return m_failure; }

private:
    static Band& Of(j_compress_ptr compressor) { return *static_cast<Band*>(compressor->client_data); }

    static void InitDestination(j_compress_ptr compressor)
    {
        Band& band = Of(compressor);
        band.m_bytes = 0;
        if (band.m_buffer.empty() && !band.Grow(kFirstBufferBytes))
            ERREXIT(compressor, JERR_OUT_OF_MEMORY);
        band.m_destination.next_output_byte = band.m_buffer.data();
        band.m_destination.free_in_buffer = band.m_buffer.size();
    }
    static boolean EmptyOutputBuffer(j_compress_ptr compressor)
    {
        Band& band = Of(compressor);
        const size_t used = band.m_buffer.size();
        if (!band.Grow(used * 2))
            ERREXIT(compressor, JERR_OUT_OF_MEMORY);
        band.m_destination.next_output_byte = band.m_buffer.data() + used;
        band.m_destination.free_in_buffer = band.m_buffer.size() - used;
        return TRUE;
    }
    static void TermDestination(j_compress_ptr compressor)
    {
        Band& band = Of(compressor);
        band.m_bytes = band.m_buffer.size() - band.m_destination.free_in_buffer;
    }
    // The buffer only grows, so later frames write into memory that is already there.
    bool Grow(size_t bytes)
    {
        try {
            m_buffer.resize(bytes);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

    jpeg::ErrorJump m_error{};
    jpeg_compress_struct m_compressor{};
    jpeg_destination_mgr m_destination{};
    bool m_created = false;
    std::vector<uint8_t> m_buffer;
    size_t m_bytes = 0;
    std::string m_failure;
};

JpegBandEncoder::JpegBandEncoder() = default;
JpegBandEncoder::~JpegBandEncoder() = default;

bool JpegBandEncoder::Open(int width, int height, const EncoderSettings& settings)
{
    if (width <= 0 || height <= 0 || width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
        return false;
    m_width = width;
    m_height = height;
    m_quality = JpegQuality(settings.quality);
    m_plan = PlanJpegBands(width, height, workers::PartPool::Instance().Threads());
    m_bands.clear();
    for (int i = 0; i < m_plan.bands; ++i) {
        m_bands.push_back(std::make_unique<Band>());
        if (!m_bands.back()->Create()) {
            m_bands.clear();
            return false;
        }
    }
    return true;
}

bool JpegBandEncoder::Encode(const uint8_t* top, int stride, EncodedFrame& frame)
{
    if (m_bands.empty() || !top)
        return false;
    const int bandRows = m_plan.rowsPerBand * kMcuSize;
    std::atomic<bool> failed{false};
    workers::PartPool::Instance().Run(m_plan.bands, [&](int band) {
        const int first = band * bandRows;
        const int count = std::min(bandRows, m_height - first);
        if (!m_bands[static_cast<size_t>(band)]->Compress(top, stride, first, count, m_width, m_quality))
            failed = true;
    });
    if (failed) {
        for (const std::unique_ptr<Band>& band : m_bands)
            if (!band->Failure().empty()) {
                LogFailure("Motion JPEG", band->Failure());
                break;
            }
        return false;
    }
    if (!Join())
        return false;
    frame.data = m_output.data();
    frame.bytes = m_output.size();
    frame.key = true;
    return true;
}

// The first band's markers with the whole frame's height and the restart interval, then each
// band's data, a restart marker between two bands, and the end of image.
bool JpegBandEncoder::Join()
{
    std::vector<BandLayout> layouts(m_bands.size());
    size_t total = 0;
    for (size_t i = 0; i < m_bands.size(); ++i) {
        if (!FindLayout(m_bands[i]->Jpeg(), m_bands[i]->Bytes(), layouts[i]))
            return false;
        total += m_bands[i]->Bytes();
    }
    const std::vector<uint8_t>& first = m_bands[0]->Jpeg();
    if (m_bands.size() == 1) {
        m_output.assign(first.begin(), first.begin() + static_cast<ptrdiff_t>(m_bands[0]->Bytes()));
        return true;
    }
    m_output.clear();
    m_output.reserve(total + 8);
    const BandLayout& head = layouts[0];
    m_output.insert(m_output.end(), first.begin(), first.begin() + static_cast<ptrdiff_t>(head.scanHeaderAt));
    m_output[head.heightAt] = static_cast<uint8_t>(m_height >> 8);
    m_output[head.heightAt + 1] = static_cast<uint8_t>(m_height);
    const int interval = m_plan.rowsPerBand * ((m_width + kMcuSize - 1) / kMcuSize);
    const uint8_t restart[] = {
        kMarker, kRestartInterval, 0, 4, static_cast<uint8_t>(interval >> 8), static_cast<uint8_t>(interval)};
    m_output.insert(m_output.end(), std::begin(restart), std::end(restart));
    m_output.insert(m_output.end(), first.begin() + static_cast<ptrdiff_t>(head.scanHeaderAt),
                    first.begin() + static_cast<ptrdiff_t>(head.dataEnd));
    for (size_t i = 1; i < m_bands.size(); ++i) {
        m_output.push_back(kMarker);
        m_output.push_back(static_cast<uint8_t>(kFirstRestart + (i - 1) % 8));
        const std::vector<uint8_t>& jpeg = m_bands[i]->Jpeg();
        m_output.insert(m_output.end(), jpeg.begin() + static_cast<ptrdiff_t>(layouts[i].dataAt),
                        jpeg.begin() + static_cast<ptrdiff_t>(layouts[i].dataEnd));
    }
    m_output.push_back(kMarker);
    m_output.push_back(kEndOfImage);
    return true;
}

} // namespace vfw
