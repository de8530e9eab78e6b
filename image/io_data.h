// The frame-pipeline bundle the player view holds: interlacing, luminance table and resampler.
#pragma once

#include "image/img_lumi.h"
#include "image/img_resize.h"

// An interlacing stage with no operation of its own.
class CImgInterlaced {
public:
    virtual ~CImgInterlaced() = default;
};

class CIOdataE : public CImgInterlaced, public CImgLumi, public CImgResize {};
