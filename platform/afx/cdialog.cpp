#include "platform/afx/cdialog.h"

#include "platform/afx/controls_host.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/dialog_template.h"
#include "platform/afx/dialog_units.h"
#include "platform/afx/gdi_internal.h"
#include "platform/afx/modal_loops.h"
#include "platform/afx/window_classes.h"

#include <QEventLoop>
#include <QScreen>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

const DialogTemplate* CDialog::Template() const
{
    return m_lpDialogTemplate ? m_lpDialogTemplate : FindDialogTemplate(m_nIDTemplate);
}

BOOL CDialog::InitModalIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return lpDialogTemplate ? TRUE : FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    // Commands the dialog does not take go on to the application object.
    CWinApp* app = AfxGetApp();
    return app ? app->OnCmdMsg(nID, nCode, pExtra) : FALSE;
}

BOOL CDialog::CreateFromTemplate(const DialogTemplate* tmpl, CWnd* parent, bool owned)
{
    if (!tmpl || m_hWnd)
        return FALSE;
    WindowRecord* parentRecord = parent ? WindowRecord::From(parent->m_hWnd) : nullptr;
    const bool child = (tmpl->style & WS_CHILD) != 0;
    if (child && !parentRecord)
        return FALSE;

    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(tmpl->pointSize ? tmpl->pointSize : 9, 96, 72);
    lf.lfWeight = FW_NORMAL;
    const LPCWSTR face = tmpl->fontName ? tmpl->fontName : u"ＭＳ Ｐゴシック";
    for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i)
        lf.lfFaceName[i] = face[i];
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    const QFont qfont = GdiObjectData::From(m_font.m_hObject)->font;
    const DialogBaseUnits units = BaseUnitsOf(qfont);
    m_baseX = units.cx;
    m_baseY = units.cy;

    const QRect client = DialogUnitsToPixels(units, tmpl->x, tmpl->y, tmpl->cx, tmpl->cy);
    WindowRecord* r = WindowFactory::Create(CString(u"#32770"), CString(tmpl->caption ? tmpl->caption : u""),
                                            tmpl->style & ~WS_VISIBLE, tmpl->exStyle, QRect(QPoint(), client.size()),
                                            parentRecord, 0, owned || child);
    r->windowFont = m_font.m_hObject;
    r->widget->setFont(qfont);
    WindowFactory::Attach(this, r);

    if (child) {
        r->widget->move(client.topLeft());
    } else if (tmpl->style & DS_CENTER) {
        CenterWindow(parent);
    } else {
        QPoint origin = client.topLeft();
        if (parentRecord && owned)
            origin = parentRecord->widget->mapToGlobal(origin);
        r->widget->move(origin);
    }

    HWND firstTab = nullptr;
    for (const DialogItemTemplate& item : tmpl->items) {
        QRect g = DialogUnitsToPixels(units, item.x, item.y, item.cx, item.cy);
        WindowRecord* c = WindowFactory::Create(CString(item.windowClass), CString(item.text ? item.text : u""),
                                                item.style | WS_CHILD, item.exStyle, g, r, item.id, false);
        c->windowFont = m_font.m_hObject;
        c->widget->setFont(qfont);
        if (c->kind == WindowKind::ComboBox || c->kind == WindowKind::ComboBoxEx)
            // A template's combo-box height includes its drop-down list.
            c->widget->resize(g.width(), std::min(g.height(), c->widget->sizeHint().height()));
        c->widget->setFocusPolicy((item.style & WS_TABSTOP)       ? Qt::StrongFocus
                                  : c->kind == WindowKind::Static ? Qt::NoFocus
                                                                  : Qt::ClickFocus);
        if (item.style & WS_VISIBLE)
            c->widget->show();
        else
            c->widget->hide();
        if (!firstTab && (item.style & WS_TABSTOP) && !(item.style & WS_DISABLED))
            firstTab = c->Handle();
    }

    const HWND self = m_hWnd;
    const QPoint placed = r->widget->pos();
    const LRESULT focusDefault = SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTab), 0);
    if (!IsWindow(self))
        return FALSE;
    // As the class library does: a modal dialog (its owner disabled) or an unowned one that its
    // initialisation did not place opens centred on its owner, or on the screen without one,
    // not at the template's corner. A modeless dialog keeps its template's place.
    const bool modalOrUnowned = !parent || !parent->IsWindowEnabled();
    if (!child && modalOrUnowned && r->widget->pos() == placed)
        CenterWindow(parent);
    if (focusDefault && IsWindow(firstTab))
        CWnd::FromHandle(firstTab)->SetFocus();
    if (tmpl->style & WS_VISIBLE)
        r->widget->show();
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    const DialogTemplate* tmpl = (m_lpDialogTemplate && m_lpDialogTemplate->id == nIDTemplate)
                                     ? m_lpDialogTemplate
                                     : FindDialogTemplate(nIDTemplate);
    return CreateFromTemplate(tmpl, pParentWnd, pParentWnd != nullptr);
}

BOOL CDialog::CreateIndirect(const DialogTemplate* tmpl, CWnd* pParentWnd)
{
    m_lpDialogTemplate = tmpl;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateFromTemplate(tmpl, pParentWnd, pParentWnd != nullptr);
}

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* tmpl = Template();
    if (!tmpl || IsQuitMessagePosted())
        return -1;
    // The program is ending: the dialog is answered as cancelled, never shown.
    if (ModalLoop::Refused())
        return IDCANCEL;
    CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    CWnd* owner = parent && IsWindow(parent->m_hWnd) ? parent->GetTopLevelParent() : nullptr;
    const HWND ownerHandle = owner ? owner->m_hWnd : nullptr;
    // The owner is disabled while the dialog runs, as on the original platform.
    const BOOL ownerWasDisabled = owner ? owner->EnableWindow(FALSE) : TRUE;

    m_bInModal = true;
    m_bModalEnded = false;
    m_nModalResult = -1;
    QEventLoop loop;
    INT_PTR result = -1;
    if (CreateFromTemplate(tmpl, owner, owner != nullptr)) {
        const HWND self = m_hWnd;
        DialogHost* r = DialogHost::From(self);
        r->endModal = [&loop] { loop.exit(); };
        const ModalLoop running([this] { EndDialog(IDCANCEL); });
        r->widget->show();
        // The keyboard goes to the dialog however it was opened, so Esc and Enter reach it.
        r->widget->activateWindow();
        if (!m_bModalEnded && !IsQuitMessagePosted() && IsWindow(self))
            loop.exec();
        if (DialogHost* still = DialogHost::From(self))
            still->endModal = nullptr;
        result = m_nModalResult;
        if (IsWindow(self))
            DestroyWindow();
    }
    m_bInModal = false;
    if (IsWindow(ownerHandle) && !ownerWasDisabled) {
        CWnd::FromHandle(ownerHandle)->EnableWindow(TRUE);
        CWnd::FromHandle(ownerHandle)->SetForegroundWindow();
    }
    return result;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    WindowRecord* r = WindowRecord::From(m_hWnd);
    if (m_bInModal) {
        m_bModalEnded = true;
        if (r)
            r->widget->hide();
        if (DialogHost* dialog = DialogHost::From(m_hWnd); dialog && dialog->endModal)
            std::exchange(dialog->endModal, nullptr)();
    } else if (r) {
        r->widget->hide();
    }
}

void CDialog::MapDialogRect(LPRECT rect) const
{
    if (!rect)
        return;
    const DialogBaseUnits units{m_baseX, m_baseY};
    rect->left = MulDiv(rect->left, units.cx, 4);
    rect->right = MulDiv(rect->right, units.cx, 4);
    rect->top = MulDiv(rect->top, units.cy, 8);
    rect->bottom = MulDiv(rect->bottom, units.cy, 8);
}
