// A dialog's control texts as a table of language pairs, set in the system's language.
#pragma once

#include "ui/base_dialog.h"

#include <span>

// A control and the pair its text comes from: the Japanese id that resources/string_ids.h names.
struct DialogText {
    int controlId;
    UINT textId;
};

// Sets each control's text in the system's language, at the control's own size; a control the
// dialog does not have is passed over.
void SetDialogTexts(CBaseDialog& dialog, std::span<const DialogText> texts);
