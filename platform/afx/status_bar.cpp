#include "platform/afx/status_bar.h"

#include "platform/afx/cframewnd.h"
#include "platform/afx/frame_host.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>

#include <vector>

struct CMFCStatusBar::Impl {
    QPointer<QStatusBar> bar;
    QPointer<QLabel> message;
    std::vector<UINT> ids;
    std::vector<QPointer<QLabel>> panes; // null for the message pane
};

CMFCStatusBar::CMFCStatusBar() : m_impl(std::make_unique<Impl>()) {}

CMFCStatusBar::~CMFCStatusBar() = default;

BOOL CMFCStatusBar::Create(CWnd* pParentWnd, DWORD, UINT)
{
    FrameHost* host = FrameHost::Of(pParentWnd);
    if (!host || m_impl->bar)
        return FALSE;
    m_impl->bar = host->statusBar();
    m_impl->bar->setSizeGripEnabled(true);
    return TRUE;
}

BOOL CMFCStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    QStatusBar* bar = m_impl->bar;
    if (!bar || nIDCount <= 0 || !lpIDArray)
        return FALSE;
    for (const QPointer<QLabel>& pane : m_impl->panes)
        delete pane.data();
    delete m_impl->message.data();
    m_impl->panes.clear();
    m_impl->ids.assign(lpIDArray, lpIDArray + nIDCount);
    for (UINT id : m_impl->ids) {
        if (id == ID_SEPARATOR && !m_impl->message) {
            CString idle;
            idle.LoadString(AFX_IDS_IDLEMESSAGE);
            auto* label = new QLabel(ToQString(idle));
            label->setMinimumWidth(1);
            bar->addWidget(label, 1);
            m_impl->message = label;
            m_impl->panes.emplace_back();
            continue;
        }
        CString text;
        text.LoadString(id);
        auto* label = new QLabel(ToQString(text));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(label);
        m_impl->panes.emplace_back(label);
    }
    return TRUE;
}

int CMFCStatusBar::GetCount() const { return static_cast<int>(m_impl->ids.size()); }

UINT CMFCStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_impl->ids[static_cast<size_t>(nIndex)] : 0;
}

namespace {

QLabel* PaneLabel(const std::vector<QPointer<QLabel>>& panes, QLabel* message, int index)
{
    if (index < 0 || index >= static_cast<int>(panes.size()))
        return nullptr;
    QLabel* pane = panes[static_cast<size_t>(index)];
    return pane ? pane : message;
}

} // namespace

BOOL CMFCStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    QLabel* label = PaneLabel(m_impl->panes, m_impl->message, nIndex);
    if (!label)
        return FALSE;
    label->setText(ToQString(lpszNewText));
    if (bUpdate)
        label->repaint();
    return TRUE;
}

CString CMFCStatusBar::GetPaneText(int nIndex) const
{
    const QLabel* label = PaneLabel(m_impl->panes, m_impl->message, nIndex);
    return label ? FromQString(label->text()) : CString();
}

void CMFCStatusBar::SetPaneWidth(int nIndex, int cx)
{
    if (QLabel* label = PaneLabel(m_impl->panes, m_impl->message, nIndex); label && label != m_impl->message)
        label->setFixedWidth(std::max(0, cx));
}

int CMFCStatusBar::GetPaneWidth(int nIndex) const
{
    const QLabel* label = PaneLabel(m_impl->panes, m_impl->message, nIndex);
    if (!label)
        return 0;
    return label->minimumWidth() == label->maximumWidth() ? label->minimumWidth() : label->width();
}

CString CMFCStatusBar::GetMessageText() const
{
    if (m_impl->bar && !m_impl->bar->currentMessage().isEmpty())
        return FromQString(m_impl->bar->currentMessage());
    return m_impl->message ? FromQString(m_impl->message->text()) : CString();
}
