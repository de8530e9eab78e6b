// The program's icons, drawn by code at the sizes the toolkit asks for.
#pragma once

#include "resources/resource_ids.h"

#include <QIcon>

// The icon resource with this id, or a null icon.
QIcon DrawIconResource(UINT id);
// The WMV version combo's icons 41002 to 41005, or a null icon.
QIcon DrawWmvVersionIcon(UINT id);
