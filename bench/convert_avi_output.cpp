#include "bench/convert_output.h"

#include "writers/enc_avi2.h"

namespace {

class AviOutput final : public ConvertOutput {
public:
    explicit AviOutput(const ConvertOptions& options)
    {
        CEncAVISetting* setting = m_writer.GetSetting();
        if (options.codec.size() == 4)
            setting->SetHandler(mmioFOURCC(options.codec[0], options.codec[1], options.codec[2], options.codec[3]));
        if (options.quality >= 0)
            setting->SetQuality(options.quality);
    }
    int Create(CString path, const BITMAPINFOHEADER& header, DWORD rate) override
    {
        return m_writer.Create(path, &header, static_cast<int>(rate));
    }
    int WriteFrame(const void* bits) override { return m_writer.WriteFrame(bits); }
    void Close() override { m_writer.Close(); }

private:
    CEncAVI2 m_writer;
};

} // namespace

std::unique_ptr<ConvertOutput> MakeAviOutput(const ConvertOptions& options)
{
    return std::make_unique<AviOutput>(options);
}
