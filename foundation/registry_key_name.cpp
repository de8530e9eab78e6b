#include "foundation/registry_key_name.h"

#include "foundation/file_path.h"
#include "foundation/file_system.h"
#include "foundation/ini_create.h"
#include "platform/win/config_folder.h"
#include "platform/win/text.h"

#include <cstdio>

namespace {

constexpr int kMaxKeyNameLength = 255;

CString UserConfigFolderPath() { return CString(Utf8ToUtf16(UserConfigFolder())); }

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

} // namespace

CString UserSettingFilePath() { return UserConfigFolderPath() + u"/Setting.ini"; }

CString ProgramSettingFilePath() { return GetModuleFolder() + u"Setting.ini"; }

CString LoadRegistryKeyName()
{
    const CString user = UserSettingFilePath();
    CIniCreate ini;
    ini.Open(FileExists(user) ? user : ProgramSettingFilePath());
    return ini.GetString(u"SAVE", u"RegPos", u"Zarn");
}

BOOL IsUsableRegistryKeyName(const CString& name)
{
    const std::u16string_view text = name.View();
    if (text.empty() || text.size() > kMaxKeyNameLength || IsBlank(text.front()) || IsBlank(text.back()))
        return FALSE;
    for (char16_t c : text)
        if (c == u'\\' || c < 0x20 || c == 0x7F)
            return FALSE;
    return TRUE;
}

BOOL SaveRegistryKeyName(CString name)
{
    if (!IsUsableRegistryKeyName(name) || !CreateFolderPath(UserConfigFolderPath()))
        return FALSE;
    // Written beside the file and moved over it, so a failed write leaves the old name in force.
    const CString target = UserSettingFilePath();
    const CString fresh = target + u".new";
    CIniCreate ini;
    ini.Create(fresh);
    const bool written = ini.WriteString(u"SAVE", u"RegPos", name) &&
                         std::rename(Utf16ToUtf8(fresh.View()).c_str(), Utf16ToUtf8(target.View()).c_str()) == 0;
    if (!written)
        DeleteExistingFile(fresh);
    return written ? TRUE : FALSE;
}
