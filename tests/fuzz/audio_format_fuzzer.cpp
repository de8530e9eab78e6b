// A stored audio format as the AVI writer's audio target: the converter keeps it, and an AVI
// file with one second of audio is written through it.
#include "platform/win/text.h"
#include "tests/fuzz/fuzz_support.h"
#include "writers/enc_avi2.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    // The settings drop a stored format shorter than its header or its own extra byte count.
    WAVEFORMATEX head{};
    if (size < sizeof head)
        return 0;
    std::memcpy(&head, data, sizeof head);
    if (size < sizeof head + head.cbSize)
        return 0;
    const std::vector<uint8_t> stored(data, data + size);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 16;
    header.biHeight = 16;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = 16 * 16 * 3;
    const std::string path = fuzz::ScratchFolder() + "/audio.avi";
    CEncAVI2 writer;
    if (writer.Create(CString(Utf8ToUtf16(path).c_str()), &header, 250000) != 0)
        return 0;
    WAVEFORMATEX& source = *writer.GetConverter()->GetSourceFormat();
    source = WAVEFORMATEX{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    writer.GetConverter()->SetTargetFormat(reinterpret_cast<const WAVEFORMATEX*>(stored.data()));
    if (const WAVEFORMATEX* kept = *writer.GetConverter()->GetTargetFormat())
        fuzz::Check(sizeof(WAVEFORMATEX) + kept->cbSize <= GlobalSize(const_cast<WAVEFORMATEX*>(kept)),
                    "a kept format claims only the bytes kept");
    if (writer.CreateAudioStream() == 0) {
        const std::vector<uint8_t> frame(header.biSizeImage, 0x40);
        const std::vector<uint8_t> audio(44100 * 4 / 25, 0);
        for (int i = 0; i < 25 && writer.WriteFrame(frame.data()) == 0; ++i)
            writer.WriteAudio(audio.data(), static_cast<int>(audio.size()));
    }
    writer.Close();
    return 0;
}
