#include "foundation/string_array_data.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStringArrayData, CStringArray)

namespace {

int Compare(const CString& a, const CString& b) { return a.CompareNoCase(b); }

} // namespace

CStringArrayData::CStringArrayData(const CStringArray& source) { Copy(source); }

CStringArrayData::CStringArrayData(const CStringArrayData& source) : CStringArray() { Copy(source); }

CStringArrayData& CStringArrayData::Copy(const CStringArray& source)
{
    if (&source == this)
        return *this;
    RemoveAll();
    for (const CString& s : source)
        Add(s);
    return *this;
}

int CStringArrayData::Find(CString key)
{
    const int count = static_cast<int>(GetSize());
    if (count == 0)
        return -1;
    int lo = 0;
    int hi = count - 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        const int c = Compare(key, GetAt(mid));
        if (c == 0)
            lo = hi = mid;
        else if (c > 0)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    if (Compare(key, GetAt(lo)) == 0)
        return lo;
    if (hi != lo && Compare(key, GetAt(hi)) == 0)
        return hi;
    return -1;
}

void CStringArrayData::Sort()
{
    const CStringArrayData copy(*this);
    RemoveAll();
    for (const CString& s : copy) {
        const int count = static_cast<int>(GetSize());
        if (count == 0) {
            Add(s);
            continue;
        }
        int lo = 0;
        int hi = count - 1;
        while (hi > lo) {
            const int mid = (lo + hi) / 2;
            const int c = Compare(s, GetAt(mid));
            if (c == 0)
                lo = hi = mid;
            else if (c > 0)
                lo = mid + 1;
            else
                hi = mid - 1;
        }
        hi = std::max(hi, 0);
        lo = std::min(lo, count - 1);
        if (hi == lo)
            InsertAt(Compare(s, GetAt(lo)) <= 0 ? lo : lo + 1, s);
        else
            InsertAt(hi + 1, s);
    }
}

void CStringArrayData::BubbleSort()
{
    std::stable_sort(begin(), end(), [](const CString& a, const CString& b) { return Compare(a, b) < 0; });
}

BOOL CStringArrayData::SwapIfGreater(int i)
{
    if (i < 0 || i + 1 >= GetSize() || Compare(GetAt(i), GetAt(i + 1)) <= 0)
        return FALSE;
    Swap(i, i + 1);
    return TRUE;
}
