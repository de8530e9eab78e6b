// The layer's sample buffers and input media properties.
#pragma once

#include "platform/wmf/wm_interfaces.h"

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace wmf {

// Sample blocks kept for the next samples: a run asks for a block of the same size every frame,
// and a fresh one would come from the system page by page each time.
class SampleStore {
public:
    // A kept block of exactly size bytes, else a new one; its bytes are left as they are. Null
    // when none can be had.
    std::unique_ptr<BYTE[]> Take(size_t size);
    // Keeps the block for a later Take while only a few are kept, else frees it.
    void Give(std::unique_ptr<BYTE[]> block, size_t size);

private:
    struct Block {
        size_t size;
        std::unique_ptr<BYTE[]> bytes;
    };
    std::mutex m_lock;
    std::vector<Block> m_blocks;
};

class SampleBuffer final : public ComObject<INSSBuffer> {
public:
    // The block comes from store and goes back to it, when one is given; its bytes are not
    // cleared. Null when the block cannot be allocated.
    static SampleBuffer* Create(DWORD size, std::shared_ptr<SampleStore> store = nullptr);

    HRESULT GetLength(DWORD* length) override;
    HRESULT SetLength(DWORD length) override;
    HRESULT GetMaxLength(DWORD* length) override;
    HRESULT GetBuffer(BYTE** buffer) override;
    HRESULT GetBufferAndLength(BYTE** buffer, DWORD* length) override;

    const BYTE* Data() const { return m_data.get(); }
    DWORD Length() const { return m_length; }

private:
    SampleBuffer() = default;
    ~SampleBuffer() override;
    std::unique_ptr<BYTE[]> m_data;
    DWORD m_size = 0;
    DWORD m_length = 0;
    std::shared_ptr<SampleStore> m_store;
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
