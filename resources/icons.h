// The program's icons, drawn by code at the sizes the toolkit asks for.
#pragma once

#include "resources/resource_ids.h"

#include <QIcon>

// The icon resource with this id, or a null icon.
QIcon DrawIconResource(UINT id);
