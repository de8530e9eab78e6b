#include "resources/dialog_table.h"

#include <vector>

namespace {

// Every dialog of the program registers its template here.
const std::vector<const DialogTemplate*>& Templates()
{
    static const std::vector<const DialogTemplate*> templates = {};
    return templates;
}

} // namespace

std::span<const DialogTemplate* const> DialogTemplates() { return Templates(); }
