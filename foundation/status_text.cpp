#include "foundation/status_text.h"

#include "foundation/localized_string.h"
#include "resources/string_ids.h"

CString GetPauseStatusText() { return LoadLocalizedString(strings::kStatusPause); }
CString GetStopStatusText() { return LoadLocalizedString(strings::kStatusStop); }
CString GetMakeStatusText() { return LoadLocalizedString(strings::kStatusMake); }
CString GetFirstPassStatusText() { return LoadLocalizedString(strings::kStatusFirstPass); }
CString GetPlayStatusText() { return LoadLocalizedString(strings::kStatusPlay); }
CString GetStopPromptText() { return LoadLocalizedString(strings::kStopPrompt); }
CString GetSlashText() { return LoadLocalizedString(strings::kSlash); }
CString GetStandardToolbarText() { return LoadLocalizedString(strings::kStandardToolbar); }
CString GetCustomizeText() { return LoadLocalizedString(strings::kCustomize); }

CString FormatSavedMessage(CString path)
{
    const CString format = LoadLocalizedString(strings::kSavedToFile);
    CString message;
    message.Format(format, path.GetString());
    return message;
}
