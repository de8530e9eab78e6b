// One open compressor: its options and state, and the engine that compresses its frames.
#pragma once

#include "platform/vfw/compressor_catalogue.h"
#include "platform/vfw/frame_encoder.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vfw {

class CompressorInstance {
public:
    // State blocks start with this magic, the FourCC, the version and the option count.
    static constexpr DWORD kStateMagic = mmioFOURCC('T', 'v', 'C', 's');

    explicit CompressorInstance(const CompressorDescriptor& descriptor);
    ~CompressorInstance();
    CompressorInstance(const CompressorInstance&) = delete;
    CompressorInstance& operator=(const CompressorInstance&) = delete;

    const CompressorDescriptor& Descriptor() const { return m_descriptor; }
    void FillInfo(ICINFO& info) const;

    DWORD StateSize() const;
    // Bytes written, or 0 when the block is too small.
    DWORD GetState(void* block, DWORD bytes) const;
    // Bytes taken, or 0 when the block belongs to another compressor, version or size, or holds
    // a value out of range; a refused block changes nothing.
    DWORD SetState(const void* block, DWORD bytes);
    void ResetState();
    const std::vector<int32_t>& OptionValues() const { return m_settings.optionValues; }
    // Refuses values of the wrong count or out of range.
    bool SetOptionValues(const std::vector<int32_t>& values);

    // Whether Begin takes this input, answered without opening the encoder.
    bool Query(const BITMAPINFOHEADER* input) const;
    // quality 0..10000 or -1 for the default; keyRate <= 0 for key frames only when needed.
    void SetQuality(LONG quality) { m_settings.quality = quality; }
    void SetKeyRate(LONG keyRate) { m_settings.keyRate = keyRate; }
    void SetFrameRate(DWORD rate, DWORD scale);

    [[nodiscard]] bool Begin(const BITMAPINFOHEADER* input);
    bool IsBegun() const { return m_encoder != nullptr; }
    // Bytes of one input frame after Begin: 24-bit rows padded to four bytes.
    size_t InputBytes() const;
    // A second instance with the same settings, begun for the same input; null when not begun or
    // when the engine refuses.
    std::unique_ptr<CompressorInstance> Twin() const;
    // The output format: a BITMAPINFOHEADER followed by the encoder's extra data.
    const std::vector<uint8_t>& OutputFormat() const { return m_outputFormat; }
    // One input frame in, one compressed frame out; the data stays valid until the next call.
    [[nodiscard]] bool Compress(const void* bits, const uint8_t** data, size_t* bytes, bool* key);
    // Copies an input frame into copy (InputBytes() long) for CompressCopy, converted on the way
    // when the engine converts it.
    void CopyInput(const void* bits, void* copy) const;
    // As Compress, for a frame made by CopyInput, which may be overwritten: the engine takes it
    // as it lies when it can, which spares it a frame of its own.
    [[nodiscard]] bool CompressCopy(void* copy, const uint8_t** data, size_t* bytes, bool* key);
    void End();

private:
    // A 24-bit frame of a size this compressor's encoder takes.
    bool IsAcceptedFormat(const BITMAPINFOHEADER* input) const;
    static int Height(const BITMAPINFOHEADER& input);
    // An engine opened for this input with the current settings, or null.
    std::unique_ptr<FrameEncoder> OpenEncoder(const BITMAPINFOHEADER& input) const;
    template <typename Bits>
    bool CompressRows(Bits* bits, const uint8_t** data, size_t* bytes, bool* key);

    const CompressorDescriptor& m_descriptor;
    EncoderSettings m_settings; // its optionValues are the option values

    BITMAPINFOHEADER m_input{};
    std::unique_ptr<FrameEncoder> m_encoder;
    std::vector<uint8_t> m_outputFormat;
};

} // namespace vfw
