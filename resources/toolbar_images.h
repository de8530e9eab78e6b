// The tool bar's button images, drawn by code at 16 x 15 pixels.
#pragma once

#include "platform/win/types.h"

#include <QIcon>

// The image of a tool bar command, or a null icon for a command without one.
QIcon DrawToolBarImage(UINT commandId);
