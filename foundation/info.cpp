#include "foundation/info.h"

#include "foundation/error_numbers.h"
#include "foundation/file_path.h"
#include "foundation/file_system.h"
#include "foundation/profile_access.h"
#include "platform/win/current_directory.h"

namespace {

constexpr const char16_t* kSection = u"DATA";

int ReadInt(LPCWSTR key, int defaultValue) { return GetAppProfileInt(kSection, key, defaultValue); }

} // namespace

CInfo::CInfo(BOOL interlaced) : InterLaced(interlaced ? 3 : 0) { LoadAndCheck(); }

CInfo::~CInfo() { CheckFolderAndSave(); }

void CInfo::Load()
{
    fps = ReadInt(u"fps", fps);
    InterLaced = ReadInt(u"InterLaced", InterLaced);
    quality = ReadInt(u"quality", quality);
    perfile = ReadInt(u"perfile", perfile);
    hozon = GetAppProfileString(kSection, u"hozon", hozon);
    WMV = ReadInt(u"WMV", WMV);
    WMV4 = ReadInt(u"WMV4", WMV4);
    WMV7 = ReadInt(u"WMV7", WMV7);
    WMV8 = ReadInt(u"WMV8", WMV8);
    WMV2PASS = ReadInt(u"WMV2PASS", WMV2PASS);
    PRX = GetAppProfileString(kSection, u"PRX", PRX);
    VOL = ReadInt(u"VOL", 100);
    uwagaki = ReadInt(u"uwagaki", 0);
    Save();
}

void CInfo::Save()
{
    WriteAppProfileInt(kSection, u"fps", fps);
    WriteAppProfileInt(kSection, u"InterLaced", InterLaced);
    WriteAppProfileInt(kSection, u"quality", quality);
    WriteAppProfileInt(kSection, u"perfile", perfile);
    WriteAppProfileString(kSection, u"hozon", hozon);
    WriteAppProfileInt(kSection, u"WMV", WMV);
    WriteAppProfileInt(kSection, u"WMV4", WMV4);
    WriteAppProfileInt(kSection, u"WMV7", WMV7);
    WriteAppProfileInt(kSection, u"WMV8", WMV8);
    WriteAppProfileInt(kSection, u"WMV2PASS", WMV2PASS);
    WriteAppProfileString(kSection, u"PRX", PRX);
    WriteAppProfileInt(kSection, u"VOL", VOL);
    WriteAppProfileInt(kSection, u"uwagaki", uwagaki);
}

BOOL CInfo::CheckFolderAndSave()
{
    BOOL result = TRUE;
    hozon = TrimTrailingBackslash(hozon);
    SetCurrentDirectoryW(hozon);
    if (!FolderExists(hozon)) {
        hozon = GetModuleFolder();
        SetCurrentDirectoryW(hozon);
        result = FALSE;
    }
    Save();
    return result;
}

BOOL CInfo::LoadAndCheck()
{
    Load();
    if (hozon.IsEmpty() || !FolderExists(hozon)) {
        hozon = GetModuleFolder();
        CreateFolderPath(hozon);
    }
    return CheckFolderAndSave();
}

void CInfo::ApplyErrorNumber(int error)
{
    if (error == kErrorWmaNeedsTwoPasses)
        WMV2PASS = 1;
    else if (error == kErrorWmaTwoPassStart || error == kErrorWmvTwoPassStart)
        WMV2PASS = 0;
}
