#include "dialogs/audio_info.h"

#include "foundation/profile_access.h"

namespace {

constexpr LPCWSTR kSection = u"DATA";

} // namespace

void CAudioInfo::Load()
{
    EncType = GetAppProfileInt(kSection, u"EncType", EncType);
    cbr_bps = GetAppProfileInt(kSection, u"cbr_bps", cbr_bps);
    vbr = GetAppProfileInt(kSection, u"vbr", vbr);
    Qual = GetAppProfileInt(kSection, u"Qual", Qual);
    vbr_bps = GetAppProfileInt(kSection, u"vbr_bps", vbr_bps);
    wma7 = GetAppProfileInt(kSection, u"wma7", wma7);
    wma4 = GetAppProfileInt(kSection, u"wma4", wma4);
    wmaPRX = GetAppProfileString(kSection, u"wmaPRX", wmaPRX);
    wma2Pass = GetAppProfileInt(kSection, u"wma2Pass", wma2Pass);
    wmaSelect = GetAppProfileInt(kSection, u"wmaSelect", wmaSelect);
    VOL = GetAppProfileInt(kSection, u"VOL", VOL);
}

void CAudioInfo::Save() const
{
    WriteAppProfileInt(kSection, u"EncType", EncType);
    WriteAppProfileInt(kSection, u"cbr_bps", cbr_bps);
    WriteAppProfileInt(kSection, u"vbr", vbr);
    WriteAppProfileInt(kSection, u"Qual", Qual);
    WriteAppProfileInt(kSection, u"vbr_bps", vbr_bps);
    WriteAppProfileInt(kSection, u"wma7", wma7);
    WriteAppProfileInt(kSection, u"wma4", wma4);
    WriteAppProfileString(kSection, u"wmaPRX", wmaPRX);
    WriteAppProfileInt(kSection, u"wma2Pass", wma2Pass);
    WriteAppProfileInt(kSection, u"wmaSelect", wmaSelect);
    WriteAppProfileInt(kSection, u"VOL", VOL);
}
