#include "ui/dialog_texts.h"

#include "foundation/localized_string.h"

void SetDialogTexts(CBaseDialog& dialog, std::span<const DialogText> texts)
{
    for (const DialogText& text : texts)
        dialog.SetItemText(static_cast<UINT>(text.controlId), LoadLocalizedString(text.textId), FALSE);
}
