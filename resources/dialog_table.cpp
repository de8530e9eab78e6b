#include "resources/dialog_table.h"

#include "resources/aux_dialog_templates.h"

#include <vector>

namespace {

// Every dialog of the program registers its template here.
const std::vector<const DialogTemplate*>& Templates()
{
    static const std::vector<const DialogTemplate*> templates = {
        &kMp3SetTemplate,      &kVobListTemplate,   &kSaveSetTemplate,        &kStreamKindTemplate,
        &kLumiFilterTemplate,  &kBatEncodeTemplate, &kWmaSetTemplate,         &kAudioStreamTemplate,
        &kExtractKindTemplate, &kVolumeTemplate,    &kAviCodecDialogTemplate, &kWmvEncodeDialogTemplate,
        &kClipResizeTemplate,  &kOutputTemplate,    &kAboutTemplate,          &kInfoTemplate,
        &kInfo2Template,       &kVersionTemplate,
    };
    return templates;
}

} // namespace

std::span<const DialogTemplate* const> DialogTemplates() { return Templates(); }
