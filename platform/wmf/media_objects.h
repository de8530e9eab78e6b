// The layer's sample buffers and input media properties.
#pragma once

#include "platform/wmf/wm_interfaces.h"

#include <vector>

namespace wmf {

class SampleBuffer final : public ComObject<INSSBuffer> {
public:
    // Null when the block cannot be allocated.
    static SampleBuffer* Create(DWORD size);

    HRESULT GetLength(DWORD* length) override;
    HRESULT SetLength(DWORD length) override;
    HRESULT GetMaxLength(DWORD* length) override;
    HRESULT GetBuffer(BYTE** buffer) override;
    HRESULT GetBufferAndLength(BYTE** buffer, DWORD* length) override;

    const BYTE* Data() const { return m_data.data(); }
    DWORD Length() const { return m_length; }

private:
    SampleBuffer() = default;
    std::vector<BYTE> m_data;
    DWORD m_length = 0;
};

// A media type with its own copy of the format block.
class MediaType {
public:
    MediaType() = default;
    explicit MediaType(const WM_MEDIA_TYPE& type);

    const WM_MEDIA_TYPE& Type() const { return m_type; }
    const std::vector<BYTE>& Format() const { return m_format; }
    DWORD SerializedSize() const;
    // Writes the type followed by its format block; false when size is too small.
    bool Serialize(WM_MEDIA_TYPE* out, DWORD size) const;

private:
    WM_MEDIA_TYPE m_type{};
    std::vector<BYTE> m_format;
};

class InputMediaProps final : public ComObject<IWMInputMediaProps> {
public:
    explicit InputMediaProps(const MediaType& type) : m_type(type) {}

    HRESULT GetType(WM_MEDIA_TYPE* type, DWORD* size) override;
    HRESULT SetMediaType(WM_MEDIA_TYPE* type) override;

    const MediaType& Type() const { return m_type; }

private:
    MediaType m_type;
};

} // namespace wmf
