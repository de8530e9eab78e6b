// A string array ordered without regard to case (the letters A to Z only).
#pragma once

#include "platform/afx/carray.h"

class CStringArrayData : public CStringArray {
    DECLARE_DYNAMIC(CStringArrayData)

public:
    CStringArrayData() = default;
    CStringArrayData(const CStringArray& source);
    CStringArrayData(const CStringArrayData& source);
    ~CStringArrayData() override = default;

    CStringArrayData& Copy(const CStringArray& source);

    // Index of an element equal to key in an array in ascending order, or -1.
    virtual int Find(CString key);
    // Ascending by binary insertion; equal elements do not keep their order.
    virtual void Sort();

    // Ascending, equal elements keeping their order: the result of repeated SwapIfGreater
    // passes, reached in O(n log n).
    void BubbleSort();
    // Exchanges elements i and i + 1 when i is greater; FALSE (and nothing done) otherwise or
    // when i + 1 is out of range.
    BOOL SwapIfGreater(int i);
};
