// The program's dialog templates.
#pragma once

#include "platform/afx/dialog_template.h"

#include <span>

// Every registered template; see dialog_table.cpp.
std::span<const DialogTemplate* const> DialogTemplates();

extern const DialogTemplate kAviCodecDialogTemplate;
extern const DialogTemplate kWmvEncodeDialogTemplate;
extern const DialogTemplate kClipResizeTemplate;
extern const DialogTemplate kOutputTemplate;
extern const DialogTemplate kAboutTemplate;
