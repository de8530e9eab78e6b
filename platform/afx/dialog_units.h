// Dialog units: horizontal units are a quarter of the font's average character width,
// vertical units an eighth of its height, as the original platform computes them.
#pragma once

#include "platform/win/ui_types.h"

#include <QFont>
#include <QRect>

struct DialogBaseUnits {
    int cx;
    int cy;
};

DialogBaseUnits BaseUnitsOf(const QFont& font);
// Each of x, y, width and height converted on its own, rounding as MulDiv does.
QRect DialogUnitsToPixels(DialogBaseUnits units, int x, int y, int cx, int cy);
int MulDiv(int number, int numerator, int denominator);
