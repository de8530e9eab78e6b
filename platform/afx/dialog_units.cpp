#include "platform/afx/dialog_units.h"

#include <QFontMetrics>

#include <cstdlib>

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const long long product = static_cast<long long>(number) * numerator;
    // Rounds half away from zero.
    const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
    const long long q = (product >= 0) == (denominator > 0)
                            ? (std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator))
                            : -((std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator)));
    return static_cast<int>(q);
}

DialogBaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogBaseUnits{(width / 26 + 1) / 2, fm.height()};
}

QRect DialogUnitsToPixels(DialogBaseUnits u, int x, int y, int cx, int cy)
{
    return QRect(MulDiv(x, u.cx, 4), MulDiv(y, u.cy, 8), MulDiv(cx, u.cx, 4), MulDiv(cy, u.cy, 8));
}
