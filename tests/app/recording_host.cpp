#include "tests/app/recording_host.h"

#include "image/packed_dib.h"
#include "image/res_img_file.h"
#include "tests/support/decoded_video.h"

namespace {

std::u16string ImageName(int i)
{
    CString name;
    name.Format(u"%04d.bmp", i);
    return std::u16string(name.View());
}

} // namespace

RecordingHost::RecordingHost(int imageCount, int width, int height)
{
    InitBitmapInfoHeader(&source, width, height);
    for (int i = 0; i < imageCount; ++i) {
        const CString path = dir.Path(ImageName(i).c_str());
        std::vector<uint8_t> pixels = MakeDibFrame(width, height, i);
        BITMAPINFOHEADER header = source;
        CResImgFile writer;
        writer.Save(pixels.data(), &header, path, 0);
        images.Add(path);
    }
    output = source;
    clip = RECT{0, 0, width, height};
    info.fps = 299700;
    avi = new FakeAviWriter(*this);
    wmv = new FakeWmvWriter(*this);
    run.AviWriter().Attach(avi);
    run.WmvWriter().Attach(wmv);
    if (imageCount > 0)
        run.LoadFrame(images, 0);
}

void RecordingHost::BreakImage(int i) { dir.WriteFile(ImageName(i), 10); }

std::vector<std::string> RecordingHost::Entries(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const std::string& entry : log)
        if (entry.rfind(prefix, 0) == 0)
            found.push_back(entry);
    return found;
}

size_t RecordingHost::Count(const std::string& entry) const
{
    size_t n = 0;
    for (const std::string& e : log)
        n += e == entry;
    return n;
}

void RecordingHost::Play()
{
    RunInputs inputs;
    inputs.folder = folder;
    inputs.images = images;
    inputs.frameShown = bitsShown;
    inputs.makeAvi = makeAvi;
    inputs.makeWmv = makeWmv;
    inputs.aviPath = aviPath;
    inputs.wmvPath = wmvPath;
    inputs.source = source;
    inputs.output = output;
    inputs.clip = clip;
    inputs.settings = &info;
    inputs.displayRate = &dispRate;
    run.Play(inputs);
}

void RecordingHost::ShowFrame(const BITMAPINFOHEADER* frame)
{
    Log((frame ? "show " : "no frame ") + std::to_string(index));
    if (!frame)
        bitsShown = false;
}

void RecordingHost::PumpMessages()
{
    // The script runs at the pump after each frame, not again at the pumps of a pause wait.
    const bool afterFrame = log.empty() || log.back() != "sleep";
    Log("pump");
    if (onPump && afterFrame)
        onPump(index);
}

void RecordingHost::Sleep(DWORD)
{
    Log("sleep");
    ++sleeps;
    if (onSleep)
        onSleep(sleeps);
}

int FakeAviWriter::Open(CString)
{
    m_host.Log("avi open");
    return openResult;
}

int FakeAviWriter::WriteFrame(const void* bits)
{
    const auto* bytes = static_cast<const BYTE*>(bits);
    lastFrame.assign(bytes, bytes + m_host.output.biSizeImage);
    m_host.Log("avi frame " + std::to_string(m_host.index));
    ++m_framePosition;
    return 0;
}

int FakeAviWriter::Close()
{
    m_host.Log("avi close");
    const int closed = CEncAVI2::Close();
    return closeResult != 0 ? closeResult : closed;
}

int FakeWmvWriter::LoadProfile(LPCWSTR)
{
    m_host.Log("wmv profile file");
    return 0;
}

int FakeWmvWriter::CreateProfile(int, int, int, int)
{
    m_host.Log("wmv system profile");
    return 0;
}

int FakeWmvWriter::Open(LPCWSTR, const BITMAPINFOHEADER*, int rate, int audioRate, int channels, int bits)
{
    m_host.Log("wmv open " + std::to_string(rate) + " " + std::to_string(audioRate) + " " + std::to_string(channels) +
               " " + std::to_string(bits));
    return 0;
}

int FakeWmvWriter::WriteVideo(const void*)
{
    m_host.Log("wmv video " + std::to_string(m_host.index));
    return 0;
}

int FakeWmvWriter::WriteAudio(const void* data, int bytes)
{
    const auto* block = static_cast<const BYTE*>(data);
    bool silent = true;
    for (int i = 0; i < bytes; ++i)
        silent = silent && block[i] == 0;
    m_host.Log("wmv audio " + std::to_string(bytes) + (silent ? "" : " not silent"));
    return audioResult;
}

int FakeWmvWriter::EndPass()
{
    m_host.Log("wmv end pass");
    m_twoPassFlag = FALSE;
    return 0;
}

HRESULT FakeWmvWriter::Close()
{
    m_host.Log("wmv close");
    m_twoPassFlag = FALSE;
    return closeResult;
}
