#include "platform/afx/dialog_template.h"

#include "platform/win/resource_provider.h"

const DialogTemplate* FindDialogTemplate(UINT id)
{
    const ResourceProvider* provider = InstalledResourceProvider();
    if (!provider)
        return nullptr;
    for (const DialogTemplate* t : provider->DialogTemplates())
        if (t && t->id == id)
            return t;
    return nullptr;
}
