// The small part of COM that the Windows Media layer needs: GUIDs, IUnknown, reference-counted
// objects and an owning pointer.
#pragma once

#include "platform/win/com_init.h"
#include "platform/win/ref_counted.h"
#include "platform/win/types.h"

#include <utility>

using IID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;

inline bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}

inline constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);

class IUnknown {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Counts the layer's live objects, so that tests can see that everything was released.
namespace wmf {
int LiveObjectCount();
void CountObject(int delta);
} // namespace wmf

namespace wmf {

// The layer's objects: reference counted and counted while they live.
template <typename Interface, typename... More>
class ComObject : public win::RefCounted<Interface, More...> {
public:
    ComObject() { CountObject(1); }

    // An object that answers for no interface but IUnknown keeps this one.
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!(iid == IID_IUnknown))
            return E_NOINTERFACE;
        this->AddRef();
        *object = static_cast<Interface*>(this);
        return S_OK;
    }

protected:
    ~ComObject() override { CountObject(-1); }
};

} // namespace wmf

// Owns one reference; Release through Reset or destruction.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* object)
    {
        ComPtr p;
        p.m_object = object;
        return p;
    }

    void Reset()
    {
        if (m_object)
            std::exchange(m_object, nullptr)->Release();
    }
    // For out parameters: releases what is held and gives the slot to fill.
    T** Receive()
    {
        Reset();
        return &m_object;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};
