#include "platform/wmf/system_profiles.h"

#include <QString>

#include <span>

namespace wmf {
namespace {

// A row of a version's list. width 0 is an audio-only profile. Video profiles carry audio from
// 100 kbps on; below that the budget is too small for the codec's lowest audio rate (24 kbps),
// so they are video-only. Audio-only profiles asking for less use that lowest rate.
struct Row {
    int width;
    int height;
    int totalKbps;
    int vbrQuality;
    int bufferWindowMs;
    int audioKbps;
    int sampleRate;
    int channels;
};

constexpr Row Video(int w, int h, int kbps, int window = 5000) { return {w, h, kbps, -1, window, 0, 0, 0}; }
constexpr Row Quality(int w, int h, int quality) { return {w, h, 0, quality, 5000, 64, 44100, 2}; }
constexpr Row Audio(int kbps, int rate, int channels) { return {0, 0, 0, -1, 0, kbps, rate, channels}; }

struct AudioTier {
    int kbps;
    int rate;
    int channels;
};

AudioTier AudioFor(int totalKbps)
{
    if (totalKbps < 100)
        return {0, 0, 0};
    if (totalKbps < 150)
        return {24, 22050, 1};
    if (totalKbps < 300)
        return {32, 32000, 2};
    if (totalKbps < 500)
        return {48, 44100, 2};
    if (totalKbps < 1000)
        return {64, 44100, 2};
    if (totalKbps < 1400)
        return {96, 44100, 2};
    return {128, 44100, 2};
}

constexpr int kLowestAudioKbps = 24;

const Row kVersion4[] = {
    Video(160, 120, 56),   Video(320, 240, 700), Video(176, 144, 100), Audio(6, 8000, 1),    Audio(16, 16000, 1),
    Audio(20, 22050, 1),   Audio(20, 22050, 2),  Audio(32, 32000, 2),  Audio(64, 44100, 2),  Audio(96, 44100, 2),
    Audio(128, 44100, 2),  Video(176, 144, 28),  Video(160, 120, 28),  Video(160, 120, 28),  Video(176, 144, 56),
    Video(176, 144, 56),   Video(320, 240, 100), Video(320, 240, 250), Video(320, 240, 512), Video(320, 240, 1000),
    Video(320, 240, 3000),
};

const Row kVersion7[] = {
    Video(176, 144, 56),   Video(320, 240, 500),  Video(176, 144, 100), Video(176, 144, 28),
    Video(160, 120, 28),   Video(160, 120, 28),   Video(176, 144, 28),  Video(240, 176, 56),
    Video(320, 240, 100),  Video(320, 240, 250),  Video(320, 240, 384), Video(320, 240, 700),
    Video(640, 480, 1000), Video(640, 480, 2000), Video(640, 480, 700), Video(640, 480, 1000, 3000),
    Audio(6, 8000, 1),     Audio(20, 22050, 1),   Audio(20, 22050, 2),  Audio(32, 32000, 2),
    Audio(48, 44100, 2),   Audio(64, 44100, 2),   Audio(96, 44100, 2),  Audio(128, 44100, 2),
    Video(208, 160, 225),  Video(208, 160, 150),
};

const Row kVersion8[] = {
    Video(208, 160, 225),  Video(208, 160, 150),  Video(176, 144, 56),   Video(320, 240, 500), Video(176, 144, 100),
    Video(160, 120, 28),   Video(176, 144, 56),   Video(240, 176, 100),  Video(320, 240, 256), Video(320, 240, 384),
    Video(320, 240, 450),  Video(320, 240, 700),  Video(320, 240, 1400), Video(352, 288, 384), Video(352, 288, 700),
    Audio(32, 32000, 2),   Audio(48, 44100, 2),   Audio(64, 44100, 2),   Audio(96, 44100, 2),  Audio(128, 44100, 2),
    Audio(160, 44100, 2),  Audio(192, 44100, 2),  Video(176, 144, 28),   Video(240, 176, 56),  Quality(320, 240, 60),
    Quality(320, 240, 80), Quality(320, 240, 95),
};

std::span<const Row> RowsOf(WMT_VERSION version)
{
    switch (version) {
    case WMT_VER_4_0: return kVersion4;
    case WMT_VER_7_0: return kVersion7;
    case WMT_VER_8_0: return kVersion8;
    default: return {};
    }
}

const char* VideoFourCC(WMT_VERSION version)
{
    switch (version) {
    case WMT_VER_4_0: return "MP43";
    case WMT_VER_7_0: return "WMV1";
    default: return "WMV2";
    }
}

QString GuidText(const GUID& g)
{
    return QString::asprintf("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                             g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                             g.Data4[7]);
}

QString AudioStreamConfig(int number, int kbps, int rate, int channels)
{
    const int bytesPerSecond = kbps * 1000 / 8;
    return QString::asprintf("  <streamconfig majortype=\"%s\" streamnumber=\"%d\" streamname=\"Audio Stream\" "
                             "inputname=\"Audio409\" bitrate=\"%d\" bufferwindow=\"-1\">\n"
                             "    <wmmediatype subtype=\"%s\" bfixedsizesamples=\"1\" btemporalcompression=\"0\">\n"
                             "      <waveformatex wFormatTag=\"353\" nChannels=\"%d\" nSamplesPerSec=\"%d\" "
                             "nAvgBytesPerSec=\"%d\" nBlockAlign=\"0\" wBitsPerSample=\"16\"/>\n"
                             "    </wmmediatype>\n"
                             "  </streamconfig>\n",
                             qPrintable(GuidText(WMMEDIATYPE_Audio)), number, kbps * 1000,
                             qPrintable(GuidText(FourCCGuid(0x161))), channels, rate, bytesPerSecond);
}

QString VideoStreamConfig(int number, const Row& row, int videoKbps, const char* fourcc)
{
    const GUID subtype = FourCCGuid(mmioFOURCC(fourcc[0], fourcc[1], fourcc[2], fourcc[3]));
    const QString vbr = row.vbrQuality >= 0 ? QString::asprintf(" vbrenabled=\"1\" vbrquality=\"%d\"", row.vbrQuality)
                                            : QString();
    return QString::asprintf(
        "  <streamconfig majortype=\"%s\" streamnumber=\"%d\" streamname=\"Video Stream\" inputname=\"Video409\" "
        "bitrate=\"%d\" bufferwindow=\"%d\"%s>\n"
        "    <videomediaprops maxkeyframespacing=\"80000000\" quality=\"75\"/>\n"
        "    <wmmediatype subtype=\"%s\" bfixedsizesamples=\"0\" btemporalcompression=\"1\">\n"
        "      <videoinfoheader dwbitrate=\"%d\" dwbiterrorrate=\"0\">\n"
        "        <rcsource left=\"0\" top=\"0\" right=\"%d\" bottom=\"%d\"/>\n"
        "        <rctarget left=\"0\" top=\"0\" right=\"%d\" bottom=\"%d\"/>\n"
        "        <bitmapinfoheader biwidth=\"%d\" biheight=\"%d\" biplanes=\"1\" bibitcount=\"24\" "
        "bicompression=\"%s\" bisizeimage=\"0\"/>\n"
        "      </videoinfoheader>\n"
        "    </wmmediatype>\n"
        "  </streamconfig>\n",
        qPrintable(GuidText(WMMEDIATYPE_Video)), number, videoKbps * 1000, row.bufferWindowMs, qPrintable(vbr),
        qPrintable(GuidText(subtype)), videoKbps * 1000, row.width, row.height, row.width, row.height, row.width,
        row.height, fourcc);
}

} // namespace

DWORD SystemProfileCount(WMT_VERSION version) { return static_cast<DWORD>(RowsOf(version).size()); }

std::optional<std::u16string> SystemProfileDocument(WMT_VERSION version, DWORD index)
{
    const std::span<const Row> rows = RowsOf(version);
    if (index >= rows.size())
        return std::nullopt;
    const Row& row = rows[index];

    QString body;
    QString name;
    if (row.width == 0) {
        const int kbps = std::max(row.audioKbps, kLowestAudioKbps);
        body = AudioStreamConfig(1, kbps, row.sampleRate, row.channels);
        name = QString::asprintf("Audio %d kbps %s", kbps, row.channels == 1 ? "mono" : "stereo");
    } else {
        AudioTier audio = row.vbrQuality >= 0 ? AudioTier{row.audioKbps, row.sampleRate, row.channels}
                                              : AudioFor(row.totalKbps);
        const int videoKbps = row.vbrQuality >= 0 ? 0 : row.totalKbps - audio.kbps;
        if (audio.kbps > 0)
            body = AudioStreamConfig(1, audio.kbps, audio.rate, audio.channels);
        body += VideoStreamConfig(audio.kbps > 0 ? 2 : 1, row, videoKbps, VideoFourCC(version));
        name = row.vbrQuality >= 0 ? QString::asprintf("Video %dx%d quality %d", row.width, row.height, row.vbrQuality)
                                   : QString::asprintf("Video %dx%d %d kbps", row.width, row.height, row.totalKbps);
    }
    const QString document = QString::asprintf("<profile version=\"%u\" storageformat=\"1\" name=\"%s\" "
                                               "description=\"\">\n",
                                               static_cast<unsigned>(version), qPrintable(name)) +
                             body + QStringLiteral("</profile>\n");
    return document.toStdU16String();
}

} // namespace wmf
