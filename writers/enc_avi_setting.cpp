#include "writers/enc_avi_setting.h"

#include "foundation/registry_key_name.h"
#include "foundation/registry_values.h"
#include "platform/afx/cstring.h"
#include "platform/vfw/vfw_types.h"
#include "platform/win/heap.h"

#include <algorithm>
#include <cstring>

namespace {

// Built again for every value, so a key name changed in "Setting.ini" applies at once.
CString SettingsKey() { return CString(u"Software\\") + LoadRegistryKeyName() + u"\\AviVideoSettings"; }

// A stored format shorter than its own extra byte count says is dropped.
WAVEFORMATEX* ReadAudioFormat()
{
    int size = 0;
    BYTE* block = RegReadBinary(HKEY_CURRENT_USER, SettingsKey(), u"AudioCodec", &size);
    if (!block)
        return nullptr;
    WAVEFORMATEX format{};
    if (size >= static_cast<int>(sizeof format))
        std::memcpy(&format, block, sizeof format);
    if (size < static_cast<int>(sizeof format) || size < static_cast<int>(sizeof format) + format.cbSize) {
        GlobalFree(block);
        return nullptr;
    }
    return reinterpret_cast<WAVEFORMATEX*>(block);
}

} // namespace

CEncAVISetting::CEncAVISetting()
{
    m_handler = static_cast<FOURCC>(
        RegReadDword(HKEY_CURRENT_USER, SettingsKey(), u"handler", static_cast<int>(kFourCCUncompressed)));
    int size = 0;
    m_state = RegReadBinary(HKEY_CURRENT_USER, SettingsKey(), u"AviCodec", &size);
    m_stateSize = m_state ? size : 0;
    m_audioFormat = ReadAudioFormat();
}

CEncAVISetting::~CEncAVISetting()
{
    if (m_state) {
        // Never more than the block holds, whatever the size field says.
        const int size = std::clamp<int>(m_stateSize, 0,
                                         static_cast<int>(std::min<SIZE_T>(GlobalSize(m_state), 0x7FFFFFFF)));
        RegWriteBinary(HKEY_CURRENT_USER, SettingsKey(), u"AviCodec", static_cast<const BYTE*>(m_state), size);
        GlobalFree(m_state);
    }
    if (m_audioFormat) {
        RegWriteBinary(HKEY_CURRENT_USER, SettingsKey(), u"AudioCodec", reinterpret_cast<const BYTE*>(m_audioFormat),
                       static_cast<int>(sizeof(WAVEFORMATEX) + m_audioFormat->cbSize));
        GlobalFree(m_audioFormat);
    }
    RegWriteDword(HKEY_CURRENT_USER, SettingsKey(), u"handler", m_handler);
}

void CEncAVISetting::SetState(void* block)
{
    if (m_state)
        GlobalFree(m_state);
    m_state = block;
}
