// Templates of the audio, batch, file-list, output-settings, choice and luminance dialogs.
#pragma once

#include "resources/dialog_table.h"

extern const DialogTemplate kMp3SetTemplate;
extern const DialogTemplate kVobListTemplate;
extern const DialogTemplate kSaveSetTemplate;
extern const DialogTemplate kStreamKindTemplate;
extern const DialogTemplate kLumiFilterTemplate;
extern const DialogTemplate kBatEncodeTemplate;
extern const DialogTemplate kWmaSetTemplate;
extern const DialogTemplate kAudioStreamTemplate;
extern const DialogTemplate kExtractKindTemplate;
extern const DialogTemplate kVolumeTemplate;
// Opened by no code (dialog_unused_templates.cpp).
extern const DialogTemplate kInfoTemplate;
extern const DialogTemplate kInfo2Template;
extern const DialogTemplate kVersionTemplate;
