#include "foundation/status_text.h"

#include "foundation/localized_string.h"

CString GetPauseStatusText() { return LoadLocalizedString(43041, 43042); }
CString GetStopStatusText() { return LoadLocalizedString(43043, 43044); }
CString GetMakeStatusText() { return LoadLocalizedString(43045, 43046); }
CString GetFirstPassStatusText() { return LoadLocalizedString(43047, 43048); }
CString GetPlayStatusText() { return LoadLocalizedString(43049, 43050); }
CString GetStopPromptText() { return LoadLocalizedString(43053, 43054); }
CString GetSlashText() { return LoadLocalizedString(43065, 43066); }
CString GetStandardToolbarText() { return LoadLocalizedString(43069, 43070); }
CString GetCustomizeText() { return LoadLocalizedString(43071, 43072); }

CString FormatSavedMessage(CString path)
{
    const CString format = LoadLocalizedString(43051, 43052);
    CString message;
    message.Format(format, path.GetString());
    return message;
}
