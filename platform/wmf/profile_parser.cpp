#include "platform/wmf/profile_parser.h"

#include "platform/win/ascii_case.h"

#include <QString>
#include <QXmlStreamReader>

#include <limits>

namespace wmf {
namespace {

constexpr int kMaxDepth = 16;
constexpr int kMaxStreams = 16;

std::optional<int64_t> Number(const QXmlStreamAttributes& attributes, QLatin1StringView name)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        bool ok = false;
        const qlonglong value = a.value().trimmed().toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

bool Has(const QXmlStreamAttributes& attributes, QLatin1StringView name)
{
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringView Text(const QXmlStreamAttributes& attributes, QLatin1StringView name)
{
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name().compare(name, Qt::CaseInsensitive) == 0)
            return a.value();
    return {};
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"
std::optional<GUID> ParseGuid(QStringView text)
{
    text = text.trimmed();
    if (text.size() != 38 || text.front() != u'{' || text.back() != u'}')
        return std::nullopt;
    const QStringView body = text.mid(1, 36);
    if (body[8] != u'-' || body[13] != u'-' || body[18] != u'-' || body[23] != u'-')
        return std::nullopt;
    auto hex = [&](int from, int count, uint64_t& out) {
        out = 0;
        for (QChar ch : body.mid(from, count)) {
            const char16_t c = ch.unicode();
            int digit;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (c >= u'a' && c <= u'f')
                digit = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F')
                digit = c - u'A' + 10;
            else
                return false;
            out = out * 16 + static_cast<uint64_t>(digit);
        }
        return true;
    };
    uint64_t a, b, c, d, e;
    if (!hex(0, 8, a) || !hex(9, 4, b) || !hex(14, 4, c) || !hex(19, 4, d) || !hex(24, 12, e))
        return std::nullopt;
    GUID g{static_cast<DWORD>(a), static_cast<WORD>(b), static_cast<WORD>(c), {}};
    g.Data4[0] = static_cast<BYTE>(d >> 8);
    g.Data4[1] = static_cast<BYTE>(d);
    for (int i = 0; i < 6; ++i)
        g.Data4[2 + i] = static_cast<BYTE>(e >> (8 * (5 - i)));
    return g;
}

bool IsFourCCGuid(const GUID& g) { return g == FourCCGuid(g.Data1); }

DWORD UpperFourCC(DWORD fourcc)
{
    DWORD out = 0;
    for (int i = 0; i < 4; ++i) {
        const BYTE c = AsciiUpper(static_cast<BYTE>(fourcc >> (8 * i)));
        out |= static_cast<DWORD>(c) << (8 * i);
    }
    return out;
}

std::optional<VideoCodec> VideoCodecOf(DWORD fourcc)
{
    switch (UpperFourCC(fourcc)) {
    case mmioFOURCC('M', 'P', '4', '3'): return VideoCodec::MsMpeg4v3;
    case mmioFOURCC('W', 'M', 'V', '1'): return VideoCodec::Wmv1;
    case mmioFOURCC('W', 'M', 'V', '2'): return VideoCodec::Wmv2;
    default: return std::nullopt;
    }
}

bool InRange(const std::optional<int64_t>& v, int64_t low, int64_t high) { return v && *v >= low && *v <= high; }

// One stream as read, before it is checked.
struct StreamReading {
    std::optional<GUID> majorType;
    std::optional<GUID> subtype;
    std::optional<int64_t> bitRate;
    std::optional<int64_t> bufferWindow;
    std::optional<int64_t> keyFrameSpacing;
    bool vbrEnabled = false;
    std::optional<int64_t> vbrQuality;
    std::optional<int64_t> width;
    std::optional<int64_t> height;
    QString compression;
    std::optional<int64_t> formatTag;
    std::optional<int64_t> channels;
    std::optional<int64_t> sampleRate;
    std::optional<int64_t> avgBytesPerSec;
    bool malformed = false;
};

std::optional<StreamDescription> Check(const StreamReading& r)
{
    if (r.malformed || !r.majorType)
        return std::nullopt;
    StreamDescription s;
    s.majorType = *r.majorType;
    if (s.majorType == WMMEDIATYPE_Video) {
        std::optional<VideoCodec> codec;
        if (r.subtype && IsFourCCGuid(*r.subtype))
            codec = VideoCodecOf(r.subtype->Data1);
        if (!codec && r.compression.size() == 4) {
            const QByteArray c = r.compression.toLatin1();
            codec = VideoCodecOf(mmioFOURCC(c[0], c[1], c[2], c[3]));
        }
        if (!codec || !InRange(r.width, 16, 4096) || !InRange(r.height, 16, 4096))
            return std::nullopt;
        s.video.codec = *codec;
        s.video.width = static_cast<int>(*r.width);
        s.video.height = static_cast<int>(*r.height);
        if (r.vbrEnabled && r.vbrQuality && *r.vbrQuality > 0) {
            if (*r.vbrQuality > 100)
                return std::nullopt;
            s.video.vbrQuality = static_cast<int>(*r.vbrQuality);
        } else {
            if (!InRange(r.bitRate, 1000, 100000000))
                return std::nullopt;
            s.video.bitRate = *r.bitRate;
        }
        if (r.bufferWindow && *r.bufferWindow != -1) {
            if (!InRange(r.bufferWindow, 0, 100000))
                return std::nullopt;
            s.video.bufferWindowMs = static_cast<int>(*r.bufferWindow);
        }
        if (r.keyFrameSpacing) {
            if (!InRange(r.keyFrameSpacing, 0, 36000000000LL))
                return std::nullopt;
            if (*r.keyFrameSpacing > 0)
                s.video.keyFrameSpacing = *r.keyFrameSpacing;
        }
        return s;
    }
    if (s.majorType == WMMEDIATYPE_Audio) {
        // A quality-based variable rate is not encoded; a bit-rate-based one only in two passes.
        if (!r.formatTag || (r.vbrEnabled && r.vbrQuality.value_or(0) > 0))
            return std::nullopt;
        s.audio.twoPassesOnly = r.vbrEnabled;
        if (*r.formatTag == 0x160)
            s.audio.codec = AudioCodec::Wmav1;
        else if (*r.formatTag == 0x161)
            s.audio.codec = AudioCodec::Wmav2;
        else
            return std::nullopt;
        if (!InRange(r.channels, 1, 2) || !InRange(r.sampleRate, 8000, 48000))
            return std::nullopt;
        s.audio.channels = static_cast<int>(*r.channels);
        s.audio.sampleRate = static_cast<int>(*r.sampleRate);
        // Bytes per second are checked before they are counted in bits, so a huge value cannot wrap
        // into an accepted rate.
        constexpr int64_t kLowestAudioBitRate = 1000;
        constexpr int64_t kHighestAudioBitRate = 640000;
        if (r.avgBytesPerSec && *r.avgBytesPerSec > kHighestAudioBitRate / 8)
            return std::nullopt;
        const int64_t bitRate = r.avgBytesPerSec && *r.avgBytesPerSec > 0 ? *r.avgBytesPerSec * 8
                                                                          : r.bitRate.value_or(0);
        if (bitRate < kLowestAudioBitRate || bitRate > kHighestAudioBitRate)
            return std::nullopt;
        s.audio.bitRate = bitRate;
        return s;
    }
    return s;
}

} // namespace

std::optional<ProfileDescription> ParseProfile(std::u16string_view text)
{
    if (text.size() > kMaxProfileChars)
        return std::nullopt;
    if (!text.empty() && text.front() == u'\xFEFF')
        text.remove_prefix(1);
    const QString document = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    QXmlStreamReader reader(document);

    std::vector<QString> open; // lower-cased names of the open elements
    std::vector<StreamReading> readings;
    bool sawRoot = false;

    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (open.size() >= static_cast<size_t>(kMaxDepth))
                return std::nullopt;
            const QString name = reader.name().toString().toLower();
            const QXmlStreamAttributes attributes = reader.attributes();
            if (open.empty()) {
                if (name != u"profile" || sawRoot)
                    return std::nullopt;
                sawRoot = true;
            } else if (name == u"streamconfig" && open.size() == 1) {
                if (readings.size() >= static_cast<size_t>(kMaxStreams))
                    return std::nullopt;
                StreamReading& r = readings.emplace_back();
                r.majorType = ParseGuid(Text(attributes, QLatin1StringView("majortype")));
                r.bitRate = Number(attributes, QLatin1StringView("bitrate"));
                r.bufferWindow = Number(attributes, QLatin1StringView("bufferwindow"));
                r.vbrEnabled = Number(attributes, QLatin1StringView("vbrenabled")).value_or(0) != 0;
                r.vbrQuality = Number(attributes, QLatin1StringView("vbrquality"));
                if (!r.majorType)
                    r.malformed = true;
            } else if (!readings.empty() && open.size() >= 2 && open[1] == u"streamconfig") {
                StreamReading& r = readings.back();
                if (name == u"videomediaprops") {
                    r.keyFrameSpacing = Number(attributes, QLatin1StringView("maxkeyframespacing"));
                } else if (name == u"wmmediatype") {
                    if (Has(attributes, QLatin1StringView("subtype"))) {
                        r.subtype = ParseGuid(Text(attributes, QLatin1StringView("subtype")));
                        if (!r.subtype)
                            r.malformed = true;
                    }
                } else if (name == u"bitmapinfoheader") {
                    r.width = Number(attributes, QLatin1StringView("biwidth"));
                    r.height = Number(attributes, QLatin1StringView("biheight"));
                    r.compression = Text(attributes, QLatin1StringView("bicompression")).toString();
                } else if (name == u"waveformatex") {
                    r.formatTag = Number(attributes, QLatin1StringView("wformattag"));
                    r.channels = Number(attributes, QLatin1StringView("nchannels"));
                    r.sampleRate = Number(attributes, QLatin1StringView("nsamplespersec"));
                    r.avgBytesPerSec = Number(attributes, QLatin1StringView("navgbytespersec"));
                }
            }
            open.push_back(name);
        } else if (token == QXmlStreamReader::EndElement) {
            open.pop_back();
        }
    }
    if (reader.hasError() || !sawRoot || readings.empty())
        return std::nullopt;

    ProfileDescription profile;
    bool haveVideo = false;
    bool haveAudio = false;
    for (const StreamReading& r : readings) {
        std::optional<StreamDescription> stream = Check(r);
        if (!stream)
            return std::nullopt;
        bool& seen = stream->majorType == WMMEDIATYPE_Video ? haveVideo : haveAudio;
        if (stream->majorType == WMMEDIATYPE_Video || stream->majorType == WMMEDIATYPE_Audio) {
            if (seen)
                return std::nullopt;
            seen = true;
        }
        profile.streams.push_back(*stream);
    }
    return profile;
}

} // namespace wmf
