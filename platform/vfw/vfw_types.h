// Types and constants of the AVI file interface and the video compression manager.
#pragma once

#include "platform/win/types.h"

constexpr FOURCC streamtypeVIDEO = mmioFOURCC('v', 'i', 'd', 's');
constexpr FOURCC streamtypeAUDIO = mmioFOURCC('a', 'u', 'd', 's');
constexpr FOURCC ICTYPE_VIDEO = mmioFOURCC('v', 'i', 'd', 'c');
constexpr FOURCC kFourCCUncompressed = mmioFOURCC('D', 'I', 'B', ' ');

// AVIFile open modes.
constexpr UINT OF_READ = 0x0000;
constexpr UINT OF_WRITE = 0x0001;
constexpr UINT OF_SHARE_EXCLUSIVE = 0x0010;
constexpr UINT OF_CREATE = 0x1000;

constexpr DWORD AVIIF_KEYFRAME = 0x00000010;

constexpr DWORD AVICOMPRESSF_INTERLEAVE = 0x00000001;
constexpr DWORD AVICOMPRESSF_DATARATE = 0x00000002;
constexpr DWORD AVICOMPRESSF_KEYFRAMES = 0x00000004;
constexpr DWORD AVICOMPRESSF_VALID = 0x00000008;

constexpr HRESULT AVIERR_OK = 0;
constexpr HRESULT AVIERR_UNSUPPORTED = static_cast<HRESULT>(0x80044065u);
constexpr HRESULT AVIERR_BADFORMAT = static_cast<HRESULT>(0x80044066u);
constexpr HRESULT AVIERR_MEMORY = static_cast<HRESULT>(0x80044067u);
constexpr HRESULT AVIERR_INTERNAL = static_cast<HRESULT>(0x80044068u);
constexpr HRESULT AVIERR_BADPARAM = static_cast<HRESULT>(0x8004406Eu);
constexpr HRESULT AVIERR_FILEWRITE = static_cast<HRESULT>(0x80044074u);
constexpr HRESULT AVIERR_FILEOPEN = static_cast<HRESULT>(0x80044075u);
constexpr HRESULT AVIERR_NOCOMPRESSOR = static_cast<HRESULT>(0x80044071u);
constexpr HRESULT AVIERR_BUFFERTOOSMALL = static_cast<HRESULT>(0x8004407Cu);

struct AVISTREAMINFOW {
    DWORD fccType;
    DWORD fccHandler;
    DWORD dwFlags;
    DWORD dwCaps;
    WORD wPriority;
    WORD wLanguage;
    DWORD dwScale;
    DWORD dwRate;
    DWORD dwStart;
    DWORD dwLength;
    DWORD dwInitialFrames;
    DWORD dwSuggestedBufferSize;
    DWORD dwQuality;
    DWORD dwSampleSize;
    RECT rcFrame;
    DWORD dwEditCount;
    DWORD dwFormatChangeCount;
    WCHAR szName[64];
};
static_assert(sizeof(AVISTREAMINFOW) == 204);
static_assert(offsetof(AVISTREAMINFOW, dwScale) == 20);
static_assert(offsetof(AVISTREAMINFOW, rcFrame) == 52);

struct AVICOMPRESSOPTIONS {
    DWORD fccType;
    DWORD fccHandler;
    DWORD dwKeyFrameEvery;
    DWORD dwQuality;
    DWORD dwBytesPerSecond;
    DWORD dwFlags;
    LPVOID lpFormat;
    DWORD cbFormat;
    LPVOID lpParms;
    DWORD cbParms;
    DWORD dwInterleaveEvery;
};

// A compressor instance; null when none is open.
namespace vfw {
class CompressorInstance;
}
using HIC = vfw::CompressorInstance*;

constexpr DWORD ICMF_COMPVARS_VALID = 0x00000001;

struct COMPVARS {
    LONG cbSize;
    DWORD dwFlags;
    HIC hic;
    DWORD fccType;
    DWORD fccHandler;
    BITMAPINFO* lpbiIn;
    BITMAPINFO* lpbiOut;
    LPVOID lpBitsOut;
    LPVOID lpBitsPrev;
    LONG lFrame;
    LONG lKey;
    LONG lDataRate;
    LONG lQ;
    LONG lKeyCount;
    LPVOID lpState;
    LONG cbState;
};

struct ICCOMPRESSFRAMES {
    DWORD dwFlags;
    BITMAPINFOHEADER* lpbiOutput;
    LPARAM lOutput;
    BITMAPINFOHEADER* lpbiInput;
    LPARAM lInput;
    LONG lStartFrame;
    LONG lFrameCount;
    LONG lQuality;
    LONG lDataRate;
    LONG lKeyRate;
    DWORD dwRate;
    DWORD dwScale;
    DWORD dwOverheadPerFrame;
    DWORD dwReserved2;
    LPVOID GetData;
    LPVOID PutData;
};

struct ICINFO {
    DWORD dwSize;
    DWORD fccType;
    DWORD fccHandler;
    DWORD dwFlags;
    DWORD dwVersion;
    DWORD dwVersionICM;
    WCHAR szName[16];
    WCHAR szDescription[128];
    WCHAR szDriver[128];
};
static_assert(sizeof(ICINFO) == 568);

constexpr UINT ICMODE_COMPRESS = 1;
constexpr UINT ICMODE_DECOMPRESS = 2;
constexpr UINT ICMODE_QUERY = 4;

constexpr DWORD VIDCF_QUALITY = 0x0001;
constexpr DWORD VIDCF_CRUNCH = 0x0002;
constexpr DWORD VIDCF_TEMPORAL = 0x0004;
constexpr DWORD VIDCF_COMPRESSFRAMES = 0x0008;
constexpr DWORD VIDCF_FASTTEMPORALC = 0x0020;

constexpr LRESULT ICERR_OK = 0;
constexpr LRESULT ICERR_UNSUPPORTED = -1;
constexpr LRESULT ICERR_BADFORMAT = -2;
constexpr LRESULT ICERR_MEMORY = -3;
constexpr LRESULT ICERR_INTERNAL = -4;
constexpr LRESULT ICERR_BADFLAGS = -5;
constexpr LRESULT ICERR_BADPARAM = -6;
constexpr LRESULT ICERR_BADSIZE = -7;
constexpr LRESULT ICERR_BADHANDLE = -8;
constexpr LRESULT ICERR_ERROR = -100;
constexpr LRESULT ICERR_CANCEL = -100;

constexpr UINT ICM_USER = 0x4000;
constexpr UINT ICM_RESERVED = 0x5000;
constexpr UINT ICM_GETSTATE = ICM_RESERVED + 0;
constexpr UINT ICM_SETSTATE = ICM_RESERVED + 1;
constexpr UINT ICM_GETINFO = ICM_RESERVED + 2;
constexpr UINT ICM_CONFIGURE = ICM_RESERVED + 10;
constexpr UINT ICM_ABOUT = ICM_RESERVED + 11;
constexpr UINT ICM_GETDEFAULTQUALITY = ICM_RESERVED + 30;
constexpr UINT ICM_GETQUALITY = ICM_RESERVED + 31;
constexpr UINT ICM_SETQUALITY = ICM_RESERVED + 32;
constexpr UINT ICM_COMPRESS_GET_FORMAT = ICM_USER + 4;
constexpr UINT ICM_COMPRESS_GET_SIZE = ICM_USER + 5;
constexpr UINT ICM_COMPRESS_QUERY = ICM_USER + 6;
constexpr UINT ICM_COMPRESS_BEGIN = ICM_USER + 7;
constexpr UINT ICM_COMPRESS = ICM_USER + 8;
constexpr UINT ICM_COMPRESS_END = ICM_USER + 9;
constexpr UINT ICM_COMPRESS_FRAMES_INFO = ICM_USER + 70;

constexpr DWORD_PTR ICMF_CONFIGURE_QUERY = 0x00000001;
constexpr DWORD_PTR ICMF_ABOUT_QUERY = 0x00000001;
