#include "foundation/string_char.h"

#include "platform/win/text.h"

#include <limits>

void ConvertWideToAnsi(LPCWSTR text, CMemBuffBase<char>& out)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size == 0) {
        out.Free();
        return;
    }
    try {
        out.Alloc(size);
        out.FillAll(0);
    } catch (...) {
        out.Free();
        return;
    }
    if (!out.GetData()) {
        out.Free();
        return;
    }
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, out.GetData(), size, nullptr, nullptr) == 0)
        out.Free();
}

CStringChar::CStringChar(LPCWSTR text) { Set(text); }

void CStringChar::Set(LPCWSTR text) { ConvertWideToAnsi(text, m_buffer); }

CStringCharW::CStringCharW(LPCWSTR text) { Set(text); }

void CStringCharW::Set(LPCWSTR text)
{
    if (!text)
        return;
    const size_t length = WideLength(text);
    if (length >= static_cast<size_t>(std::numeric_limits<int>::max()))
        return;
    const int n = static_cast<int>(length) + 1;
    if (!m_buffer.Alloc(n))
        return;
    m_buffer.FillAll(0);
    CMemBuffBase<WCHAR>::CopyElements(m_buffer.GetData(), text, n);
}
