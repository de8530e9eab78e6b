// The audio-encoding choices of the MP3 and WMA settings dialogs, kept in section "DATA".
#pragma once

#include "platform/afx/cstring.h"

class CAudioInfo {
public:
    // Reads the stored values; a missing one keeps its default.
    void Load();
    // Writes the eleven values to the profile in their order below.
    void Save() const;

    int EncType = 1; // MP3 channel mode, the row of the channel list (1 stereo)
    int cbr_bps = 128; // constant bit rate, kbit/s
    int vbr = 0; // 1 variable bit rate
    int Qual = 2; // quality row, 0 best sound to 9 strongest compression
    int vbr_bps = 128; // variable bit rate, kbit/s
    int wma7 = 22; // value of the WMA version 7 row
    int wma4 = 9; // value of the WMA version 4 row
    CString wmaPRX; // profile file
    int wma2Pass = 0; // 1 two passes with the profile file
    int wmaSelect = 1; // 0 version 4, 1 version 7, 2 the profile file
    int VOL = 100; // the volume the settings record shares
};
