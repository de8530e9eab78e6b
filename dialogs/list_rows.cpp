#include "dialogs/list_rows.h"

#include <algorithm>

int RowOfValue(std::span<const int> values, int value)
{
    const auto it = std::find(values.begin(), values.end(), value);
    return it == values.end() ? -1 : static_cast<int>(it - values.begin());
}

int ValueOnOk(std::span<const int> values, int selectedRow, int storedValue)
{
    if (selectedRow < 0 || selectedRow >= static_cast<int>(values.size()))
        return storedValue;
    return values[static_cast<size_t>(selectedRow)];
}

int RowValueOnOk(int selectedRow, int rowCount, int storedValue)
{
    return selectedRow >= 0 && selectedRow < rowCount ? selectedRow : storedValue;
}

int FirstTickedValue(std::span<const bool> ticked, std::span<const int> values, int current)
{
    const size_t n = std::min(ticked.size(), values.size());
    for (size_t i = 0; i < n; ++i)
        if (ticked[i])
            return values[i];
    return current;
}

CString RateRowText(int kbps)
{
    CString text;
    text.Format(u"%3dkbps", kbps);
    return text;
}
