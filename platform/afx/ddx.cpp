#include "platform/afx/ddx.h"

#include "platform/afx/cwinapp.h"
#include "platform/afx/cwnd.h"
#include "platform/afx/message_box.h"
#include "platform/afx/window_host.h"

#include <cerrno>
#include <cstdlib>
#include <cwchar>

const WCHAR kPromptParseInt[] = u"整数を入力してください。";
const WCHAR kPromptParseReal[] = u"数字を入力してください。";
const WCHAR kPromptParseUInt[] = u"正の整数を入力してください。";
const WCHAR kPromptIntRange[] = u"%1 から %2 までの整数を入力してください。";

namespace {

CString Text(HWND h)
{
    CWnd* w = CWnd::FromHandle(h);
    return w ? w->GetWindowTextString() : CString();
}

void SetText(HWND h, const CString& text)
{
    if (CWnd* w = CWnd::FromHandle(h))
        w->SetWindowText(text);
}

// A whole number with optional surrounding blanks and sign; anything else, or a value outside
// the range, is refused.
bool ParseInteger(const CString& text, long long low, long long high, long long& out)
{
    const QString t = ToQString(text).trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const long long v = t.toLongLong(&ok);
    if (!ok || v < low || v > high)
        return false;
    out = v;
    return true;
}

[[noreturn]] void FailWith(CDataExchange* pDX, LPCWSTR prompt)
{
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <typename T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long low, long long high, LPCWSTR format,
                     LPCWSTR prompt)
{
    const HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseInteger(Text(h), low, high, v))
            FailWith(pDX, prompt);
        value = static_cast<T>(v);
    } else {
        CString text;
        text.Format(format, value);
        SetText(h, text);
    }
}

} // namespace

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    CWnd* item = m_pDlgWnd->GetDlgItem(nIDC);
    m_hWndLastControl = item ? item->m_hWnd : nullptr;
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    const HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        throw DataExchangeFailure{};
    if (CWnd* control = CWnd::FromHandle(m_hWndLastControl)) {
        control->SetFocus();
        if (m_bEditLastControl)
            control->SendMessage(EM_SETSEL, 0, -1);
    }
    throw DataExchangeFailure{};
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = Text(h);
    else
        SetText(h, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, INT32_MIN, INT32_MAX, u"%d", kPromptParseInt);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, UINT32_MAX, u"%u", kPromptParseUInt);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    const HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        bool ok = false;
        const double v = ToQString(Text(h)).trimmed().toDouble(&ok);
        if (!ok)
            FailWith(pDX, kPromptParseReal);
        value = v;
    } else {
        SetText(h, FromQString(QString::number(value, 'g', 15)));
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    CWnd* w = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
    if (!w)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(w->SendMessage(BM_GETCHECK));
    else
        w->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    CWnd* w = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
    if (!w)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(w->SendMessage(CB_GETCURSEL));
    else
        w->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    const HWND h = pDX->PrepareCtrl(nIDC);
    if (h)
        rControl.SubclassWindow(h);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString prompt(kPromptIntRange);
    CString low, high;
    low.Format(u"%d", minVal);
    high.Format(u"%d", maxVal);
    prompt.Replace(u"%1", low);
    prompt.Replace(u"%2", high);
    FailWith(pDX, prompt);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString prompt(kPromptIntRange);
    CString low, high;
    low.Format(u"%u", minVal);
    high.Format(u"%u", maxVal);
    prompt.Replace(u"%1", low);
    prompt.Replace(u"%2", high);
    FailWith(pDX, prompt);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) { return MessageBox(nullptr, lpszText, AfxGetAppName(), nType); }
