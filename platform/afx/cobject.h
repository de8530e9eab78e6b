// The class library's root object, with the run-time class record where it is used.
#pragma once

#include "platform/win/types.h"

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    const CRuntimeClass* m_pBaseClass;
    // Set for classes the framework creates by their record (documents, frames, views).
    CObject* (*m_pfnCreateObject)() = nullptr;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

    BOOL IsDerivedFrom(const CRuntimeClass* base) const
    {
        for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
            if (c == base)
                return TRUE;
        return FALSE;
    }
};

#define RUNTIME_CLASS(name) (&name::class##name)

class CObject {
public:
    static const CRuntimeClass classCObject;

    virtual const CRuntimeClass* GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* c) const { return GetRuntimeClass()->IsDerivedFrom(c); }

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

inline const CRuntimeClass CObject::classCObject{"CObject", sizeof(CObject), nullptr, nullptr};

#define DECLARE_DYNAMIC(name)                                                                                          \
public:                                                                                                                \
    static const CRuntimeClass class##name;                                                                            \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(name, base)                                                                                  \
    const CRuntimeClass name::class##name {                                                                            \
#name, sizeof(name), RUNTIME_CLASS(base), nullptr                                                              \
    };                                                                                                                 \
    const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }

#define DECLARE_DYNCREATE(name)                                                                                        \
    DECLARE_DYNAMIC(name)                                                                                              \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(name, base)                                                                                \
    CObject* name::CreateObject() { return new name; }                                                                 \
    const CRuntimeClass name::class##name {                                                                            \
#name, sizeof(name), RUNTIME_CLASS(base), &name::CreateObject                                                  \
    };                                                                                                                 \
    const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }
