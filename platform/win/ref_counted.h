// Reference counting for objects handed out as pointers to their interfaces.
#pragma once

#include "platform/win/types.h"

#include <atomic>

namespace win {

// The object starts with one reference, which its creator holds, and deletes itself when the last
// one is released. AddRef and Release serve every interface that declares them; with no
// interfaces the object is its own.
template <typename... Interfaces>
class RefCounted : public Interfaces... {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    ULONG AddRef() { return ++m_references; }
    ULONG Release()
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~RefCounted() = default;

private:
    std::atomic<ULONG> m_references{1};
};

} // namespace win
