#include "foundation/info.h"

#include "foundation/error_numbers.h"
#include "foundation/file_path.h"
#include "foundation/file_system.h"
#include "foundation/profile_fields.h"
#include "platform/win/current_directory.h"

namespace {

constexpr const char16_t* kSection = u"DATA";

// Read and written in this order. VOL and uwagaki read missing keys as fixed values, whatever
// the record held before.
constexpr ProfileField<CInfo> kFields[] = {
    {u"fps", &CInfo::fps},
    {u"InterLaced", &CInfo::InterLaced},
    {u"quality", &CInfo::quality},
    {u"perfile", &CInfo::perfile},
    {u"hozon", &CInfo::hozon},
    {u"WMV", &CInfo::WMV},
    {u"WMV4", &CInfo::WMV4},
    {u"WMV7", &CInfo::WMV7},
    {u"WMV8", &CInfo::WMV8},
    {u"WMV2PASS", &CInfo::WMV2PASS},
    {u"PRX", &CInfo::PRX},
    {u"VOL", &CInfo::VOL, 100},
    {u"uwagaki", &CInfo::uwagaki, 0},
};

} // namespace

CInfo::CInfo(BOOL interlaced) : InterLaced(interlaced ? 3 : 0) { LoadAndCheck(); }

CInfo::~CInfo() { CheckFolderAndSave(); }

void CInfo::Load()
{
    LoadProfileFields(kSection, kFields, *this);
    Save();
}

void CInfo::Save() { SaveProfileFields(kSection, kFields, *this); }

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
