// Owning buffers of plain elements and single-object holders.
#pragma once

#include "platform/afx/cexception.h"
#include "platform/win/types.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

// An owning, growable array of T on the run-time heap. Never zeroes memory by itself and
// reports failure only as a null pointer or FALSE.
template <typename T>
class CMemBuffBase {
public:
    explicit CMemBuffBase(int count = 0)
    {
        if (count > 0)
            Alloc(count);
    }
    virtual ~CMemBuffBase() { Release(); }

    CMemBuffBase(const CMemBuffBase&) = delete;

    // Takes over the other's block, leaving it empty, so that no block has two owners.
    CMemBuffBase& operator=(CMemBuffBase&& other) noexcept { return *this = other; }
    CMemBuffBase& operator=(CMemBuffBase& other) noexcept
    {
        if (this != &other) {
            Release();
            m_data = other.m_data;
            m_count = other.m_count;
            other.m_data = nullptr;
            other.m_count = 0;
        }
        return *this;
    }

    virtual T* Alloc(int count)
    {
        if (count > 0 && count != m_count) {
            // The byte size must stay representable by GetByteSize.
            const size_t bytes = static_cast<size_t>(count) * sizeof(T);
            void* block = bytes <= static_cast<size_t>(INT_MAX) ? std::realloc(m_data, bytes) : nullptr;
            if (!block) {
                Release();
                return nullptr;
            }
            m_data = static_cast<T*>(block);
        }
        if (count >= 0)
            m_count = m_data ? count : 0;
        return m_data;
    }

    virtual T* GetBuffer(int minCount)
    {
        if (m_count < minCount)
            return Alloc(minCount);
        return m_data;
    }

    virtual BOOL FillAll(int value) { return Fill(value, m_count); }

    virtual BOOL Fill(int value, int n)
    {
        if (!m_data || n > m_count || n < 0)
            return FALSE;
        std::memset(m_data, value & 0xFF, static_cast<size_t>(n) * sizeof(T));
        return TRUE;
    }

    virtual BOOL CopyFrom(const CMemBuffBase& other) { return Copy(other.GetData(), other.GetCount()); }

    virtual BOOL Copy(const T* source, int n)
    {
        if (!m_data || n > m_count || n < 0)
            return FALSE;
        return CopyElements(m_data, source, n);
    }

    virtual int GetCount() const { return m_count; }
    virtual int GetByteSize() const { return m_count * static_cast<int>(sizeof(T)); }
    virtual void Free() { Release(); }

    T* GetData() const { return m_data; }
    T* ElementAt(int index) const { return m_data + index; }

    static BOOL CopyElements(T* destination, const T* source, int n)
    {
        if (!destination)
            return FALSE;
        if (n > 0 && !source)
            return FALSE;
        if (n > 0)
            std::memmove(destination, source, static_cast<size_t>(n) * sizeof(T));
        return TRUE;
    }

private:
    void Release()
    {
        std::free(m_data);
        m_data = nullptr;
        m_count = 0;
    }

    T* m_data = nullptr;
    int m_count = 0;
};

// Owns at most one heap object of T.
template <typename T>
class CMemBuffClassBase {
public:
    CMemBuffClassBase() = default;
    virtual ~CMemBuffClassBase() { Destroy(); }

    CMemBuffClassBase(const CMemBuffClassBase&) = delete;
    CMemBuffClassBase& operator=(const CMemBuffClassBase&) = delete;

    virtual void Release() { Destroy(); }

    virtual void Attach(T* object)
    {
        // Re-attaching the held object must not delete it under its owner.
        if (object && object == m_pObject)
            return;
        Release();
        m_pObject = object;
    }

    T* m_pObject = nullptr;

private:
    void Destroy()
    {
        delete m_pObject;
        m_pObject = nullptr;
    }
};

// A holder that creates its object when constructed, so its owner always finds one.
template <typename T>
class CMemBuffClassBaseConst : public CMemBuffClassBase<T> {
public:
    CMemBuffClassBaseConst()
    {
        try {
            this->m_pObject = new T();
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        }
    }
};
