#include "platform/wmf/media_objects.h"

#include <cstring>
#include <limits>
#include <new>

namespace wmf {

namespace {
// No frame or audio block of this layer comes near this; larger requests are refused.
constexpr DWORD kMaxSampleBytes = 512u * 1024u * 1024u;
// The scalers' vector loads read a little past the end of a picture's last row.
constexpr size_t kSamplePadding = 64;
// Enough for the samples of a run in flight at once.
constexpr size_t kKeptSampleBlocks = 8;
// Larger format blocks than any media type needs are refused.
constexpr ULONG kMaxFormatBytes = 64 * 1024;

std::unique_ptr<BYTE[]> NewBlock(size_t size)
{
    return std::unique_ptr<BYTE[]>(new (std::nothrow) BYTE[size + kSamplePadding]);
}
} // namespace

std::unique_ptr<BYTE[]> SampleStore::Take(size_t size)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it)
            if (it->size == size) {
                std::unique_ptr<BYTE[]> block = std::move(it->bytes);
                m_blocks.erase(it);
                return block;
            }
    }
    return NewBlock(size);
}

void SampleStore::Give(std::unique_ptr<BYTE[]> block, size_t size)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (block && m_blocks.size() < kKeptSampleBlocks)
        m_blocks.push_back({size, std::move(block)});
}

SampleBuffer* SampleBuffer::Create(DWORD size, std::shared_ptr<SampleStore> store)
{
    if (size > kMaxSampleBytes)
        return nullptr;
    SampleBuffer* sample = new (std::nothrow) SampleBuffer();
    if (!sample)
        return nullptr;
    sample->m_data = store ? store->Take(size) : NewBlock(size);
    if (!sample->m_data) {
        sample->Release();
        return nullptr;
    }
    sample->m_size = size;
    sample->m_length = size;
    sample->m_store = std::move(store);
    return sample;
}

SampleBuffer::~SampleBuffer()
{
    if (m_store)
        m_store->Give(std::move(m_data), m_size);
}

HRESULT SampleBuffer::GetLength(DWORD* length)
{
    if (!length)
        return E_POINTER;
    *length = m_length;
    return S_OK;
}

HRESULT SampleBuffer::SetLength(DWORD length)
{
    if (length > m_size)
        return E_INVALIDARG;
    m_length = length;
    return S_OK;
}

HRESULT SampleBuffer::GetMaxLength(DWORD* length)
{
    if (!length)
        return E_POINTER;
    *length = m_size;
    return S_OK;
}

HRESULT SampleBuffer::GetBuffer(BYTE** buffer)
{
    if (!buffer)
        return E_POINTER;
    *buffer = m_data.get();
    return S_OK;
}

HRESULT SampleBuffer::GetBufferAndLength(BYTE** buffer, DWORD* length)
{
    if (!buffer || !length)
        return E_POINTER;
    *buffer = m_data.get();
    *length = m_length;
    return S_OK;
}

MediaType::MediaType(const WM_MEDIA_TYPE& type) : m_type(type)
{
    m_type.pUnk = nullptr;
    if (type.pbFormat && type.cbFormat > 0 && type.cbFormat <= kMaxFormatBytes)
        m_format.assign(type.pbFormat, type.pbFormat + type.cbFormat);
    m_type.cbFormat = static_cast<ULONG>(m_format.size());
    m_type.pbFormat = nullptr;
}

DWORD MediaType::SerializedSize() const { return static_cast<DWORD>(sizeof(WM_MEDIA_TYPE) + m_format.size()); }

bool MediaType::Serialize(WM_MEDIA_TYPE* out, DWORD size) const
{
    if (!out || size < SerializedSize())
        return false;
    *out = m_type;
    BYTE* format = reinterpret_cast<BYTE*>(out + 1);
    if (!m_format.empty())
        std::memcpy(format, m_format.data(), m_format.size());
    out->pbFormat = m_format.empty() ? nullptr : format;
    return true;
}

HRESULT InputMediaProps::GetType(WM_MEDIA_TYPE* type, DWORD* size)
{
    if (!size)
        return E_POINTER;
    if (!type) {
        *size = m_type.SerializedSize();
        return S_OK;
    }
    if (!m_type.Serialize(type, *size)) {
        *size = m_type.SerializedSize();
        return E_INVALIDARG;
    }
    return S_OK;
}

HRESULT InputMediaProps::SetMediaType(WM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    if (type->cbFormat > kMaxFormatBytes || (type->cbFormat > 0 && !type->pbFormat))
        return E_INVALIDARG;
    m_type = MediaType(*type);
    return S_OK;
}

} // namespace wmf
