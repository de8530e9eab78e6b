// Reads back what the video writers produced, through libavformat and libavcodec.
#pragma once

#include "platform/win/types.h"

#include <cstdint>
#include <string>
#include <vector>

struct DecodedVideo {
    bool opened = false;
    int streamCount = 0;
    int videoStreamCount = 0;
    uint32_t codecTag = 0;
    int width = 0;
    int height = 0;
    std::string profile; // as libavcodec names it; empty for a codec without profiles
    std::string pixelFormat; // of the stream, as libavformat reports it
    std::vector<bool> keyFrames; // one per packet of the video stream
    std::vector<std::vector<uint8_t>> packets; // the video stream's packets as stored
    std::vector<std::vector<uint8_t>> frames; // BGR24, top row first, width * 3 bytes a row
};

// With decodePixels false only the packets are counted.
DecodedVideo DecodeVideo(const std::string& path, bool decodePixels = true);

// The first 'strh' chunk of a RIFF file as stored, field by field.
struct RawStreamHeader {
    uint32_t fccType = 0;
    uint32_t fccHandler = 0;
    uint32_t scale = 0;
    uint32_t rate = 0;
    uint32_t length = 0;
    uint32_t suggestedBufferSize = 0;
    uint32_t quality = 0;
};
bool ReadFirstStreamHeader(const std::string& path, RawStreamHeader& header);

// Peak signal-to-noise ratio of two equally sized 8-bit images, in dB (1000 when equal).
double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

// The header of MakeDibFrame's pictures: bottom-up, 24 bits, uncompressed.
BITMAPINFOHEADER MakeDibHeader(int width, int height);
// A smooth test picture that moves with index: bottom-up 24-bit rows padded to 4 bytes.
std::vector<uint8_t> MakeDibFrame(int width, int height, int index);
// The same picture as DecodeVideo returns it (top row first, no padding).
std::vector<uint8_t> TopDownRows(const std::vector<uint8_t>& dib, int width, int height);
