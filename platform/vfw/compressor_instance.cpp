#include "platform/vfw/compressor_instance.h"

#include "platform/win/dib_rows.h"

#include <climits>
#include <cstring>
#include <type_traits>

namespace vfw {

namespace {

struct StateHeader {
    DWORD magic;
    FOURCC fourcc;
    DWORD version;
    DWORD count;
};

// libavcodec's bound on a frame's area, whichever the encoder (av_image_check_size, which would
// print its refusal): rows of 8 bytes a pixel and 128 more on each side must stay indexable.
bool FitsAvcodecArea(int width, int height)
{
    return (uint64_t{8} * static_cast<uint64_t>(width) + 128 * 8) * (static_cast<uint64_t>(height) + 128) < INT_MAX;
}

void CopyText(WCHAR* target, size_t capacity, const WCHAR* text)
{
    size_t i = 0;
    for (; text && text[i] && i + 1 < capacity; ++i)
        target[i] = text[i];
    target[i] = 0;
}

} // namespace

CompressorInstance::CompressorInstance(const CompressorDescriptor& descriptor) : m_descriptor(descriptor)
{
    ResetState();
}

CompressorInstance::~CompressorInstance() = default;

void CompressorInstance::FillInfo(ICINFO& info) const
{
    std::memset(&info, 0, sizeof info);
    info.dwSize = sizeof info;
    info.fccType = ICTYPE_VIDEO;
    info.fccHandler = m_descriptor.fourcc;
    info.dwFlags = m_descriptor.flags;
    info.dwVersion = m_descriptor.stateVersion;
    info.dwVersionICM = 0x0104;
    CopyText(info.szName, std::size(info.szName), m_descriptor.name);
    CopyText(info.szDescription, std::size(info.szDescription), m_descriptor.description);
    CopyText(info.szDriver, std::size(info.szDriver),
             m_descriptor.engine == CompressorEngine::JpegBands ? u"libjpeg-turbo" : u"libavcodec");
}

DWORD CompressorInstance::StateSize() const
{
    return static_cast<DWORD>(sizeof(StateHeader) + sizeof(int32_t) * m_settings.optionValues.size());
}

DWORD CompressorInstance::GetState(void* block, DWORD bytes) const
{
    const DWORD size = StateSize();
    if (!block || bytes < size)
        return 0;
    const StateHeader header{kStateMagic, m_descriptor.fourcc, m_descriptor.stateVersion,
                             static_cast<DWORD>(m_settings.optionValues.size())};
    auto* p = static_cast<uint8_t*>(block);
    std::memcpy(p, &header, sizeof header);
    if (!m_settings.optionValues.empty())
        std::memcpy(p + sizeof header, m_settings.optionValues.data(),
                    sizeof(int32_t) * m_settings.optionValues.size());
    return size;
}

DWORD CompressorInstance::SetState(const void* block, DWORD bytes)
{
    if (!block || bytes != StateSize())
        return 0;
    StateHeader header;
    std::memcpy(&header, block, sizeof header);
    if (header.magic != kStateMagic || header.fourcc != m_descriptor.fourcc ||
        header.version != m_descriptor.stateVersion || header.count != m_settings.optionValues.size())
        return 0;
    std::vector<int32_t> values(m_settings.optionValues.size());
    if (!values.empty())
        std::memcpy(values.data(), static_cast<const uint8_t*>(block) + sizeof header, sizeof(int32_t) * values.size());
    return SetOptionValues(values) ? bytes : 0;
}

bool CompressorInstance::SetOptionValues(const std::vector<int32_t>& values)
{
    if (values.size() != m_settings.optionValues.size())
        return false;
    for (size_t i = 0; i < values.size(); ++i) {
        const CompressorOption& option = m_descriptor.options[i];
        if (values[i] < option.minimum || values[i] > option.maximum)
            return false;
    }
    m_settings.optionValues = values;
    return true;
}

void CompressorInstance::ResetState()
{
    m_settings.optionValues.clear();
    for (const CompressorOption& option : m_descriptor.options)
        m_settings.optionValues.push_back(option.defaultValue);
}

bool CompressorInstance::IsAcceptedFormat(const BITMAPINFOHEADER* input) const
{
    const LONG maxSide = m_descriptor.maxSide;
    if (!input || input->biCompression != BI_RGB || input->biBitCount != 24 || input->biPlanes > 1 ||
        input->biWidth <= 0 || input->biWidth > maxSide || input->biHeight == 0 || input->biHeight < -maxSide ||
        input->biHeight > maxSide)
        return false;
    const int width = input->biWidth;
    const int height = Height(*input);
    const FrameSizeStep& step = m_descriptor.sizeStep;
    if (width % step.width != 0 || height % step.height != 0)
        return false;
    return m_descriptor.engine != CompressorEngine::Avcodec || FitsAvcodecArea(width, height);
}

int CompressorInstance::Height(const BITMAPINFOHEADER& input)
{
    return input.biHeight < 0 ? -input.biHeight : input.biHeight;
}

size_t CompressorInstance::InputBytes() const
{
    if (!IsBegun())
        return 0;
    return static_cast<size_t>(DibRowStride(static_cast<uint64_t>(m_input.biWidth))) *
           static_cast<size_t>(Height(m_input));
}

std::unique_ptr<CompressorInstance> CompressorInstance::Twin() const
{
    if (!IsBegun())
        return nullptr;
    auto twin = std::make_unique<CompressorInstance>(m_descriptor);
    twin->m_settings = m_settings;
    if (!twin->Begin(&m_input))
        return nullptr;
    return twin;
}

std::unique_ptr<FrameEncoder> CompressorInstance::OpenEncoder(const BITMAPINFOHEADER& input) const
{
    std::unique_ptr<FrameEncoder> encoder = MakeFrameEncoder(m_descriptor);
    if (!encoder->Open(input.biWidth, Height(input), m_settings))
        return nullptr;
    return encoder;
}

bool CompressorInstance::Query(const BITMAPINFOHEADER* input) const
{
    // Answered from the catalogue: opening an encoder costs tens of milliseconds for some, and
    // their libraries print start-up lines each time.
    return IsAcceptedFormat(input);
}

void CompressorInstance::SetFrameRate(DWORD rate, DWORD scale)
{
    if (rate == 0 || scale == 0)
        return;
    av_reduce(&m_settings.timeBase.num, &m_settings.timeBase.den, scale, rate, 65535);
}

bool CompressorInstance::Begin(const BITMAPINFOHEADER* input)
{
    End();
    if (!IsAcceptedFormat(input))
        return false;
    m_encoder = OpenEncoder(*input);
    if (!m_encoder)
        return false;
    m_input = *input;

    BITMAPINFOHEADER output{};
    output.biWidth = input->biWidth;
    output.biHeight = Height(*input);
    output.biPlanes = 1;
    output.biBitCount = m_encoder->BitCount();
    output.biCompression = m_descriptor.fourcc;
    output.biSizeImage = static_cast<DWORD>(output.biWidth) * static_cast<DWORD>(output.biHeight) * 3;
    const std::vector<uint8_t> extra = m_encoder->ExtraData();
    output.biSize = static_cast<DWORD>(sizeof output + extra.size());
    m_outputFormat.resize(sizeof output);
    std::memcpy(m_outputFormat.data(), &output, sizeof output);
    m_outputFormat.insert(m_outputFormat.end(), extra.begin(), extra.end());
    return true;
}

bool CompressorInstance::Compress(const void* bits, const uint8_t** data, size_t* bytes, bool* key)
{
    return CompressRows(bits, data, bytes, key);
}

void CompressorInstance::CopyInput(const void* bits, void* copy) const
{
    if (!m_encoder || !bits || !copy)
        return;
    const int stride = static_cast<int>(DibRowStride(static_cast<uint64_t>(m_input.biWidth)));
    m_encoder->CopyFrame(static_cast<const uint8_t*>(bits), static_cast<uint8_t*>(copy), m_input.biWidth,
                         Height(m_input), stride);
}

bool CompressorInstance::CompressCopy(void* copy, const uint8_t** data, size_t* bytes, bool* key)
{
    return CompressRows(copy, data, bytes, key);
}

template <typename Bits>
bool CompressorInstance::CompressRows(Bits* bits, const uint8_t** data, size_t* bytes, bool* key)
{
    if (!m_encoder || !bits)
        return false;
    using Row = std::conditional_t<std::is_const_v<Bits>, const uint8_t, uint8_t>;
    const int height = Height(m_input);
    const int stride = static_cast<int>(DibRowStride(static_cast<uint64_t>(m_input.biWidth)));
    auto* rows = static_cast<Row*>(bits);
    // Bottom-up rows are read from the last one with a negative stride.
    const bool bottomUp = m_input.biHeight > 0;
    Row* top = bottomUp ? rows + static_cast<ptrdiff_t>(stride) * (height - 1) : rows;
    EncodedFrame frame;
    const int rowStride = bottomUp ? -stride : stride;
    bool encoded = false;
    if constexpr (std::is_const_v<Bits>)
        encoded = m_encoder->Encode(top, rowStride, frame);
    else
        encoded = m_encoder->EncodeCopy(top, rowStride, frame);
    if (!encoded)
        return false;
    *data = frame.data;
    *bytes = frame.bytes;
    *key = frame.key;
    return true;
}

void CompressorInstance::End()
{
    m_encoder.reset();
    m_outputFormat.clear();
    m_input = {};
}

} // namespace vfw
