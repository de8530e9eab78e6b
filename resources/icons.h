// The program's icons, drawn by code at the sizes the toolkit asks for.
#pragma once

#include "platform/win/types.h"

#include <QIcon>

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_MAINFRAME_ENGLISH = 129;

// The icon resource with this id, or a null icon.
QIcon DrawIconResource(UINT id);
