// Icons: handles over toolkit icons drawn by the program's resources.
#pragma once

#include "platform/win/ui_types.h"

class QIcon;

// The icon resource with this id (one shared handle per id), or null.
HICON LoadIconResource(UINT nID);
HICON CreateIconHandle(const QIcon& icon);
BOOL DestroyIcon(HICON hIcon);
QIcon* IconFromHandle(HICON hIcon);
