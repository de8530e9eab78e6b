// The application's settings record in section "DATA" of the profile. It reads itself when
// constructed and writes itself when destroyed, and each time makes its folder the process's
// current directory.
#pragma once

#include "platform/afx/cstring.h"

class CInfo {
public:
    explicit CInfo(BOOL interlaced);
    virtual ~CInfo();
    // Copies the values only; the profile and the current directory are not touched.
    CInfo& operator=(const CInfo& other) = default;
    CInfo(const CInfo&) = delete;

    void Load();
    void Save();
    // TRUE when hozon named an existing folder, FALSE when it was replaced by the program's folder.
    BOOL CheckFolderAndSave();
    BOOL LoadAndCheck();
    void ApplyErrorNumber(int error);

    CString hozon;
    int perfile = 1;
    int quality = 100;
    int WMV = 1;
    int WMV8 = 12;
    int WMV7 = 13;
    int WMV4 = 20;
    int WMV2PASS = 0;
    CString PRX;
    int fps = 299700;
    int InterLaced = 0;
    int VOL = 100;
    int uwagaki = 0;
};
