#include "dialogs/audio_info.h"

#include "foundation/profile_fields.h"

namespace {

constexpr LPCWSTR kSection = u"DATA";

// Read and written in this order.
constexpr ProfileField<CAudioInfo> kFields[] = {
    {u"EncType", &CAudioInfo::EncType},     {u"cbr_bps", &CAudioInfo::cbr_bps}, {u"vbr", &CAudioInfo::vbr},
    {u"Qual", &CAudioInfo::Qual},           {u"vbr_bps", &CAudioInfo::vbr_bps}, {u"wma7", &CAudioInfo::wma7},
    {u"wma4", &CAudioInfo::wma4},           {u"wmaPRX", &CAudioInfo::wmaPRX},   {u"wma2Pass", &CAudioInfo::wma2Pass},
    {u"wmaSelect", &CAudioInfo::wmaSelect}, {u"VOL", &CAudioInfo::VOL},
};

} // namespace

void CAudioInfo::Load() { LoadProfileFields(kSection, kFields, *this); }

void CAudioInfo::Save() const { SaveProfileFields(kSection, kFields, *this); }
