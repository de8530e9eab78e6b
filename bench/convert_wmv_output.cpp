#include "bench/convert_output.h"

#include "writers/enc_wmv.h"

#include <cstdlib>
#include <vector>

namespace {

// "V4:N", "V7:N", "V8:N" choose a system profile, "PRX:PATH" a profile file.
struct ProfileChoice {
    int mode = -1; // 0 V4, 1 V7, 2 V8, 3 profile file
    int index = 0;
    CString path;
};

ProfileChoice ParseProfile(const std::string& text)
{
    ProfileChoice choice;
    if (text.rfind("PRX:", 0) == 0 && text.size() > 4) {
        choice.mode = 3;
        choice.path = CString(text.substr(4).c_str());
    } else if (text.size() > 3 && text[0] == 'V' && text[2] == ':' && (text[1] == '4' || text[1] == '7' || text[1] == '8')) {
        choice.mode = text[1] == '4' ? 0 : text[1] == '7' ? 1 : 2;
        choice.index = std::atoi(text.c_str() + 3);
    }
    return choice;
}

// Drives the WMV writer as the conversion run does: the profile first, Open with the program's
// 48000 / 2 / 16 audio, one frame's silence after each frame, EndPass after each pass, Close.
class WmvOutput final : public ConvertOutput {
public:
    explicit WmvOutput(const ConvertOptions& options) : m_choice(ParseProfile(options.profile)), m_twoPass(options.twoPass) {}

    int Create(CString path, const BITMAPINFOHEADER& header, DWORD rate) override
    {
        int code = 0;
        if (m_choice.mode == 3) {
            m_writer.SetTwoPass(m_twoPass ? TRUE : FALSE);
            code = m_writer.LoadProfile(m_choice.path);
        } else {
            code = m_writer.CreateProfile(m_choice.mode, m_choice.index, m_choice.index, m_choice.index);
        }
        if (code != 0)
            return code;
        // One frame's silence as the run computes it: 48000 / fps × 4 bytes, rounded, raised to
        // whole 4-byte samples.
        const int bytes = static_cast<int>(48000.0 / (rate / 10000.0) * 4 + 0.5);
        m_silence.assign(static_cast<size_t>((bytes + 3) / 4 * 4), 0);
        return m_writer.Open(path, &header, static_cast<int>(rate), 48000, 2, 16);
    }
    int Passes() override { return m_writer.IsTwoPass() + 1; }
    int WriteFrame(const void* bits) override
    {
        const int code = m_writer.WriteVideo(bits);
        if (code == 0)
            m_writer.WriteAudio(m_silence.data(), static_cast<int>(m_silence.size()));
        return code;
    }
    int EndPass() override { return m_writer.EndPass(); }
    void Close() override { m_writer.Close(); }

private:
    ProfileChoice m_choice;
    bool m_twoPass;
    CEncWMVWMA m_writer;
    std::vector<BYTE> m_silence;
};

} // namespace

std::unique_ptr<ConvertOutput> MakeWmvOutput(const ConvertOptions& options)
{
    if (ParseProfile(options.profile).mode < 0)
        return nullptr;
    return std::make_unique<WmvOutput>(options);
}
