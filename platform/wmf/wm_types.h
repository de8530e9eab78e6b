// Media types, identifiers and status codes of the Windows Media layer.
#pragma once

#include "platform/win/types.h"
#include "platform/wmf/com.h"

#include <cstddef>

enum WMT_VERSION : DWORD {
    WMT_VER_4_0 = 0x00040000,
    WMT_VER_7_0 = 0x00070000,
    WMT_VER_8_0 = 0x00080000,
    WMT_VER_9_0 = 0x00090000,
};

struct WM_MEDIA_TYPE {
    GUID majortype;
    GUID subtype;
    BOOL bFixedSizeSamples;
    BOOL bTemporalCompression;
    ULONG lSampleSize;
    GUID formattype;
    IUnknown* pUnk;
    ULONG cbFormat;
    BYTE* pbFormat;
};

struct VIDEOINFOHEADER {
    RECT rcSource;
    RECT rcTarget;
    DWORD dwBitRate;
    DWORD dwBitErrorRate;
    LONGLONG AvgTimePerFrame;
    BITMAPINFOHEADER bmiHeader;
};
static_assert(sizeof(VIDEOINFOHEADER) == 88);
static_assert(offsetof(VIDEOINFOHEADER, AvgTimePerFrame) == 40);
static_assert(offsetof(VIDEOINFOHEADER, bmiHeader) == 48);

// Media subtypes of codecs and of FourCC pixel formats share one pattern around the FourCC.
constexpr GUID FourCCGuid(DWORD fourcc)
{
    return {fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}
constexpr GUID RgbSubtype(DWORD first)
{
    return {first, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
}

inline constexpr GUID WMMEDIATYPE_Video = FourCCGuid(mmioFOURCC('v', 'i', 'd', 's'));
inline constexpr GUID WMMEDIATYPE_Audio = FourCCGuid(mmioFOURCC('a', 'u', 'd', 's'));
inline constexpr GUID WMMEDIATYPE_Script = FourCCGuid(mmioFOURCC('s', 'c', 'm', 'd'));

inline constexpr GUID WMMEDIASUBTYPE_RGB8 = RgbSubtype(0xE436EB7A);
inline constexpr GUID WMMEDIASUBTYPE_RGB555 = RgbSubtype(0xE436EB7C);
inline constexpr GUID WMMEDIASUBTYPE_RGB24 = RgbSubtype(0xE436EB7D);
inline constexpr GUID WMMEDIASUBTYPE_RGB32 = RgbSubtype(0xE436EB7E);
inline constexpr GUID WMMEDIASUBTYPE_I420 = FourCCGuid(mmioFOURCC('I', '4', '2', '0'));
inline constexpr GUID WMMEDIASUBTYPE_IYUV = FourCCGuid(mmioFOURCC('I', 'Y', 'U', 'V'));
inline constexpr GUID WMMEDIASUBTYPE_YV12 = FourCCGuid(mmioFOURCC('Y', 'V', '1', '2'));
inline constexpr GUID WMMEDIASUBTYPE_YUY2 = FourCCGuid(mmioFOURCC('Y', 'U', 'Y', '2'));
inline constexpr GUID WMMEDIASUBTYPE_UYVY = FourCCGuid(mmioFOURCC('U', 'Y', 'V', 'Y'));
inline constexpr GUID WMMEDIASUBTYPE_YVYU = FourCCGuid(mmioFOURCC('Y', 'V', 'Y', 'U'));
inline constexpr GUID WMMEDIASUBTYPE_YVU9 = FourCCGuid(mmioFOURCC('Y', 'V', 'U', '9'));
inline constexpr GUID WMMEDIASUBTYPE_PCM = FourCCGuid(WAVE_FORMAT_PCM);

inline constexpr GUID WMFORMAT_VideoInfo = {
    0x05589F80, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}};
inline constexpr GUID WMFORMAT_WaveFormatEx = {
    0x05589F81, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}};

inline constexpr IID IID_IWMProfileManager = {
    0x7A924E51, 0x73C1, 0x494D, {0x80, 0x19, 0x23, 0xD3, 0x7E, 0xD9, 0xB8, 0x9A}};
inline constexpr IID IID_IWMProfileManager2 = {
    0x7A924E52, 0x73C1, 0x494D, {0x80, 0x19, 0x23, 0xD3, 0x7E, 0xD9, 0xB8, 0x9A}};
inline constexpr IID IID_IWMWriter = {0x7A924E61, 0x73C1, 0x494D, {0x80, 0x19, 0x23, 0xD3, 0x7E, 0xD9, 0xB8, 0x9A}};
inline constexpr IID IID_IWMWriterPreprocess = {
    0x7A924E62, 0x73C1, 0x494D, {0x80, 0x19, 0x23, 0xD3, 0x7E, 0xD9, 0xB8, 0x9A}};

// The writer's answer when a profile can only be encoded in two passes.
constexpr HRESULT NS_E_TWO_PASS_REQUIRED = static_cast<HRESULT>(0xC00D0BD5u);
