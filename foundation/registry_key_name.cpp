#include "foundation/registry_key_name.h"

#include "foundation/file_path.h"
#include "foundation/ini_create.h"

namespace {
CString SettingFilePath() { return GetModuleFolder() + u"Setting.ini"; }
} // namespace

CString LoadRegistryKeyName()
{
    CIniCreate ini;
    ini.Open(SettingFilePath());
    return ini.GetString(u"SAVE", u"RegPos", u"Zarn");
}

void SaveRegistryKeyName(CString name)
{
    CIniCreate ini;
    ini.Create(SettingFilePath());
    ini.WriteString(u"SAVE", u"RegPos", name);
}
