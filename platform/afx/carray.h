// The class library's growable arrays.
#pragma once

#include "platform/afx/cobject.h"
#include "platform/afx/cstring.h"

#include <utility>
#include <vector>

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty() ? TRUE : FALSE; }

    void SetSize(INT_PTR size) { m_items.resize(size > 0 ? static_cast<size_t>(size) : 0); }
    void RemoveAll() { m_items.clear(); }

    const TYPE& GetAt(INT_PTR index) const { return m_items.at(static_cast<size_t>(index)); }
    TYPE& ElementAt(INT_PTR index) { return m_items.at(static_cast<size_t>(index)); }
    void SetAt(INT_PTR index, ARG_TYPE value) { m_items.at(static_cast<size_t>(index)) = value; }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }

    INT_PTR Add(ARG_TYPE value)
    {
        m_items.push_back(value);
        return GetUpperBound();
    }
    void InsertAt(INT_PTR index, ARG_TYPE value)
    {
        if (index >= GetSize())
            m_items.resize(static_cast<size_t>(index));
        m_items.insert(m_items.begin() + index, value);
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count <= 0 || index + count > GetSize())
            return;
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }
    void Copy(const CArray& other) { m_items = other.m_items; }
    INT_PTR Append(const CArray& other)
    {
        const INT_PTR first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }

    // Swapping two entries in place, for sorting without copying elements.
    void Swap(INT_PTR a, INT_PTR b) { std::swap(ElementAt(a), ElementAt(b)); }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<TYPE> m_items;
};

class CStringArray : public CArray<CString, LPCWSTR> {
    DECLARE_DYNAMIC(CStringArray)

public:
    using CArray<CString, LPCWSTR>::Add;
    INT_PTR Add(const CString& value) { return CArray<CString, LPCWSTR>::Add(value); }
};
