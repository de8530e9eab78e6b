// Loads the images of one folder into one reused block. A 48-bit frame (16-bit TIFF) is shown
// through a second, 24-bit block, so the preview, the resampler and the writers always get the
// 24-bit form; both blocks keep their addresses while the size stays and no frame is swapped in.
#pragma once

#include "image/packed_dib.h"

class CFrameLoader {
public:
    CFrameLoader() = default;
    ~CFrameLoader();
    CFrameLoader(const CFrameLoader&) = delete;
    CFrameLoader& operator=(const CFrameLoader&) = delete;

    // The 24-bit frame, or NULL with every block released (a file that does not load, or an image
    // whose size or form differs from the one before).
    BITMAPINFOHEADER* Load(LPCWSTR path);
    BITMAPINFOHEADER* Frame() const { return m_shown ? m_shown : m_decoded; }
    // The block files are decoded into: its width, height and bit count are what the next file
    // must have. NULL before the first load and after a failed one.
    const BITMAPINFOHEADER* Decoded() const { return m_decoded; }
    // Makes the next Load accept only files of like's width, height and bit count, as if a file
    // of that form had been loaded before; false when the block cannot be had.
    bool Expect(const BITMAPINFOHEADER& like);
    // Takes source's frame in exchange for this loader's, block for block, so no pixel is copied:
    // the frame's address changes, and whoever holds the old one must be handed the new one. NULL,
    // with nothing changed, unless both frames have the same size and come from the same form.
    BITMAPINFOHEADER* SwapFrame(CFrameLoader& source);
    void Release();

private:
    BITMAPINFOHEADER* m_decoded = nullptr;
    BITMAPINFOHEADER* m_shown = nullptr;
};
