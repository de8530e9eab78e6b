#include "platform/vfw/avifile.h"

#include "platform/vfw/avi_muxer.h"
#include "platform/vfw/compressor_instance.h"
#include "platform/win/ref_counted.h"
#include "platform/win/text.h"

#include <cstring>
#include <memory>
#include <vector>

namespace vfw {

// The file is finished when its last reference goes.
class AviFileObject final : public win::RefCounted<> {
public:
    explicit AviFileObject(uint64_t partLimit) : m_muxer(partLimit) {}
    AviMuxer& Muxer() { return m_muxer; }
    bool Finish()
    {
        if (m_finished)
            return m_finishResult;
        m_finished = true;
        m_finishResult = m_muxer.Finish();
        return m_finishResult;
    }

private:
    // Release has no result to carry a failure; the sink logged it where it happened.
    ~AviFileObject() override { static_cast<void>(Finish()); }

    AviMuxer m_muxer;
    bool m_finished = false;
    bool m_finishResult = false;
};

class AviStreamObject : public win::RefCounted<> {
public:
    virtual HRESULT SetFormat(const void* format, LONG bytes) = 0;
    virtual HRESULT ReadFormat(void* format, LONG* bytes) = 0;
    virtual HRESULT Write(const void* data, LONG bytes, LONG samples, DWORD flags, LONG* samplesWritten,
                          LONG* bytesWritten) = 0;
    virtual AVISTREAMINFOW Info() = 0;
};

namespace {

HRESULT CopyFormat(const std::vector<uint8_t>& stored, void* format, LONG* bytes)
{
    if (!bytes)
        return AVIERR_BADPARAM;
    if (!format) {
        *bytes = static_cast<LONG>(stored.size());
        return AVIERR_OK;
    }
    const size_t n = std::min(stored.size(), static_cast<size_t>(std::max<LONG>(*bytes, 0)));
    if (n)
        std::memcpy(format, stored.data(), n);
    *bytes = static_cast<LONG>(n);
    return stored.empty() ? AVIERR_BADFORMAT : AVIERR_OK;
}

// A stream of the file itself: what is written goes into the file as one chunk per call.
class FileStream final : public AviStreamObject {
public:
    FileStream(AviFileObject* file, int index) : m_file(file), m_index(index) { m_file->AddRef(); }
    ~FileStream() override { m_file->Release(); }

    HRESULT SetFormat(const void* format, LONG bytes) override
    {
        if (!format || bytes <= 0)
            return AVIERR_BADPARAM;
        return m_file->Muxer().SetFormat(m_index, format, static_cast<size_t>(bytes)) ? AVIERR_OK : AVIERR_UNSUPPORTED;
    }
    HRESULT ReadFormat(void* format, LONG* bytes) override
    {
        return CopyFormat(m_file->Muxer().Format(m_index), format, bytes);
    }
    HRESULT Write(const void* data, LONG bytes, LONG samples, DWORD flags, LONG* samplesWritten,
                  LONG* bytesWritten) override
    {
        if (bytes < 0 || samples < 0 || (bytes > 0 && !data) || m_file->Muxer().Format(m_index).empty())
            return AVIERR_BADPARAM;
        if (!m_file->Muxer().WriteChunk(m_index, data, static_cast<size_t>(bytes), (flags & AVIIF_KEYFRAME) != 0,
                                        static_cast<uint32_t>(samples)))
            return AVIERR_FILEWRITE;
        if (samplesWritten)
            *samplesWritten = samples;
        if (bytesWritten)
            *bytesWritten = bytes;
        return AVIERR_OK;
    }
    AVISTREAMINFOW Info() override { return m_file->Muxer().Info(m_index); }

private:
    AviFileObject* m_file;
    int m_index;
};

// Compresses each frame with its own compressor before it reaches the file stream.
class CompressingStream final : public AviStreamObject {
public:
    CompressingStream(AviStreamObject* target, const AVICOMPRESSOPTIONS& options,
                      std::unique_ptr<CompressorInstance> compressor)
        : m_target(target), m_options(options), m_compressor(std::move(compressor))
    {
        m_target->AddRef();
        if (m_compressor && options.lpParms && options.cbParms)
            m_compressor->SetState(options.lpParms, options.cbParms);
    }
    ~CompressingStream() override { m_target->Release(); }

    HRESULT SetFormat(const void* format, LONG bytes) override
    {
        if (!format || bytes < static_cast<LONG>(sizeof(BITMAPINFOHEADER)))
            return AVIERR_BADPARAM;
        if (!m_compressor)
            return m_target->SetFormat(format, bytes);
        BITMAPINFOHEADER input;
        std::memcpy(&input, format, sizeof input);
        const AVISTREAMINFOW info = m_target->Info();
        m_compressor->SetFrameRate(info.dwRate, info.dwScale);
        m_compressor->SetQuality(static_cast<LONG>(m_options.dwQuality));
        m_compressor->SetKeyRate(
            (m_options.dwFlags & AVICOMPRESSF_KEYFRAMES) ? static_cast<LONG>(m_options.dwKeyFrameEvery) : 0);
        if (!m_compressor->Begin(&input))
            return AVIERR_BADFORMAT;
        const std::vector<uint8_t> output = m_compressor->OutputFormat();
        // Writers that compress the frames themselves take only the format from here: the encoder
        // (a context and a frame) is let go, and begun again for the same input when a frame comes.
        m_compressor->End();
        m_input = input;
        return m_target->SetFormat(output.data(), static_cast<LONG>(output.size()));
    }
    HRESULT ReadFormat(void* format, LONG* bytes) override { return m_target->ReadFormat(format, bytes); }
    HRESULT Write(const void* data, LONG bytes, LONG samples, DWORD flags, LONG* samplesWritten,
                  LONG* bytesWritten) override
    {
        if (!m_compressor)
            return m_target->Write(data, bytes, samples, flags, samplesWritten, bytesWritten);
        if (!data || samples != 1 || (!m_compressor->IsBegun() && !m_compressor->Begin(&m_input)))
            return AVIERR_BADPARAM;
        const uint8_t* packet = nullptr;
        size_t size = 0;
        bool key = false;
        if (!m_compressor->Compress(data, &packet, &size, &key))
            return AVIERR_INTERNAL;
        return m_target->Write(packet, static_cast<LONG>(size), 1, key ? AVIIF_KEYFRAME : 0, samplesWritten,
                               bytesWritten);
    }
    AVISTREAMINFOW Info() override { return m_target->Info(); }

private:
    AviStreamObject* m_target;
    AVICOMPRESSOPTIONS m_options;
    std::unique_ptr<CompressorInstance> m_compressor;
    BITMAPINFOHEADER m_input{}; // as set with the format; none before
};

} // namespace
} // namespace vfw

void AVIFileInit() {}
void AVIFileExit() {}

HRESULT AVIFileOpenW(PAVIFILE* file, LPCWSTR path, UINT mode, const void* handler)
{
    if (!file)
        return AVIERR_BADPARAM;
    *file = nullptr;
    if (!path || handler || (mode & (OF_WRITE | OF_CREATE)) != (OF_WRITE | OF_CREATE))
        return AVIERR_BADPARAM;
    auto* object = new vfw::AviFileObject(vfw::AviMuxer::kDefaultPartLimit);
    if (!object->Muxer().Create(Utf16ToUtf8(path))) {
        object->Release();
        return AVIERR_FILEOPEN;
    }
    *file = object;
    return AVIERR_OK;
}

HRESULT AVIFileCreateStreamW(PAVIFILE file, PAVISTREAM* stream, const AVISTREAMINFOW* info)
{
    if (!stream)
        return AVIERR_BADPARAM;
    *stream = nullptr;
    if (!file || !info)
        return AVIERR_BADPARAM;
    const int index = file->Muxer().AddStream(*info);
    if (index < 0)
        return AVIERR_UNSUPPORTED;
    *stream = new vfw::FileStream(file, index);
    return AVIERR_OK;
}

ULONG AVIFileRelease(PAVIFILE file) { return file ? file->Release() : 0; }

HRESULT AVIFileFinish(PAVIFILE file)
{
    if (!file)
        return AVIERR_BADPARAM;
    return file->Finish() ? AVIERR_OK : AVIERR_FILEWRITE;
}

HRESULT AVIMakeCompressedStream(PAVISTREAM* compressed, PAVISTREAM source, const AVICOMPRESSOPTIONS* options,
                                const void* handler)
{
    if (!compressed)
        return AVIERR_BADPARAM;
    *compressed = nullptr;
    if (!source || !options || handler)
        return AVIERR_BADPARAM;
    std::unique_ptr<vfw::CompressorInstance> compressor;
    if (options->fccHandler != kFourCCUncompressed && options->fccHandler != 0) {
        const vfw::CompressorDescriptor* descriptor = vfw::FindInstalledCompressor(options->fccHandler);
        if (!descriptor)
            return AVIERR_NOCOMPRESSOR;
        compressor = std::make_unique<vfw::CompressorInstance>(*descriptor);
    }
    *compressed = new vfw::CompressingStream(source, *options, std::move(compressor));
    return AVIERR_OK;
}

HRESULT AVIStreamSetFormat(PAVISTREAM stream, LONG, const void* format, LONG bytes)
{
    return stream ? stream->SetFormat(format, bytes) : AVIERR_BADPARAM;
}

HRESULT AVIStreamReadFormat(PAVISTREAM stream, LONG, void* format, LONG* bytes)
{
    return stream ? stream->ReadFormat(format, bytes) : AVIERR_BADPARAM;
}

HRESULT AVIStreamWrite(PAVISTREAM stream, LONG, LONG samples, const void* data, LONG bytes, DWORD flags,
                       LONG* samplesWritten, LONG* bytesWritten)
{
    return stream ? stream->Write(data, bytes, samples, flags, samplesWritten, bytesWritten) : AVIERR_BADPARAM;
}

ULONG AVIStreamRelease(PAVISTREAM stream) { return stream ? stream->Release() : 0; }
