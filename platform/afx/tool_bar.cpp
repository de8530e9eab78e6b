#include "platform/afx/tool_bar.h"

#include "platform/afx/command_actions.h"
#include "platform/afx/frame_host.h"
#include "platform/win/menu_resource.h"
#include "platform/win/resource_provider.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

namespace {

// The tool bar resource whose images every bar uses.
UINT g_imageResource = 0;
QSize g_buttonSize(16, 15);

} // namespace

struct CMFCToolBar::Impl {
    QPointer<QToolBar> bar;
    QPointer<QToolButton> customize;
    QPointer<QAction> customizeAction;
};

CMFCToolBar::CMFCToolBar() : m_impl(std::make_unique<Impl>()) {}

CMFCToolBar::~CMFCToolBar()
{
    if (m_pFrame && IsWindow(m_pFrame->m_hWnd)) {
        m_pFrame->RemoveCommandUiClient(this);
        if (auto* ex = dynamic_cast<CFrameWndEx*>(m_pFrame))
            ex->RemoveToolBar(this);
    }
    delete m_impl->bar.data();
}

QToolBar* CMFCToolBar::Bar() const { return m_impl->bar; }

BOOL CMFCToolBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, CRect, UINT nID)
{
    FrameHost* host = FrameHost::Of(pParentWnd);
    if (!host || m_impl->bar)
        return FALSE;
    m_pFrame = static_cast<CFrameWnd*>(pParentWnd);
    m_nID = nID;
    auto* bar = new QToolBar(host);
    bar->setObjectName(QStringLiteral("ToolBar%1").arg(nID));
    bar->setIconSize(g_buttonSize);
    bar->setMovable((dwStyle & CBRS_GRIPPER) != 0);
    const Qt::ToolBarArea area = (dwStyle & CBRS_ALIGN_BOTTOM) && !(dwStyle & CBRS_ALIGN_TOP) ? Qt::BottomToolBarArea
                                 : (dwStyle & CBRS_ALIGN_LEFT) && !(dwStyle & CBRS_ALIGN_TOP) ? Qt::LeftToolBarArea
                                                                                              : Qt::TopToolBarArea;
    host->addToolBar(area, bar);
    bar->setVisible((dwStyle & WS_VISIBLE) != 0);
    m_impl->bar = bar;
    m_pFrame->AddCommandUiClient(this);
    if (auto* ex = dynamic_cast<CFrameWndEx*>(m_pFrame))
        ex->AddToolBar(this);
    return TRUE;
}

BOOL CMFCToolBar::LoadToolBar(UINT nIDResource)
{
    const ToolBarResource* resource = FindToolBarResource(nIDResource);
    if (!resource || !m_impl->bar)
        return FALSE;
    g_imageResource = nIDResource;
    g_buttonSize = QSize(resource->buttonWidth, resource->buttonHeight);
    m_impl->bar->setIconSize(g_buttonSize);
    m_original.assign(resource->buttons.begin(), resource->buttons.end());
    SetButtons(m_original);
    return TRUE;
}

void CMFCToolBar::SetWindowText(LPCTSTR lpszText)
{
    if (m_impl->bar)
        m_impl->bar->setWindowTitle(ToQString(lpszText));
}

CString CMFCToolBar::GetWindowText() const { return m_impl->bar ? FromQString(m_impl->bar->windowTitle()) : CString(); }

void CMFCToolBar::EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText, BOOL)
{
    if (!m_impl->bar)
        return;
    delete m_impl->customize.data();
    if (!bEnable || !m_pFrame)
        return;
    auto* button = new QToolButton(m_impl->bar);
    button->setObjectName(QStringLiteral("CustomizeButton"));
    button->setArrowType(Qt::DownArrow);
    button->setAutoRaise(true);
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    QAction* action = CreateCommandAction(m_pFrame, static_cast<UINT>(iCustomizeCmd), strCustomizeText, menu);
    menu->addAction(action);
    button->setMenu(menu);
    button->setToolTip(ToQString(strCustomizeText));
    m_impl->customize = button;
    m_impl->customizeAction = m_impl->bar->addWidget(button);
    Rebuild();
}

BOOL CMFCToolBar::HasCustomizeButton() const { return m_impl->customize ? TRUE : FALSE; }

void CMFCToolBar::EnableDocking(DWORD dwAlign)
{
    if (m_impl->bar)
        m_impl->bar->setAllowedAreas(ToolBarAreasOf(dwAlign));
}

void CMFCToolBar::EnableQuickCustomization(BOOL) {}

int CMFCToolBar::GetCount() const { return static_cast<int>(m_buttons.size()); }

UINT CMFCToolBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<size_t>(nIndex)] : 0;
}

void CMFCToolBar::SetButtons(const std::vector<UINT>& buttons)
{
    m_buttons = buttons;
    Rebuild();
}

void CMFCToolBar::Rebuild()
{
    QToolBar* bar = m_impl->bar;
    if (!bar || !m_pFrame)
        return;
    for (QAction* action : bar->actions())
        if (action != m_impl->customizeAction.data()) {
            bar->removeAction(action);
            if (action->parent() == bar)
                delete action;
        }
    const ResourceProvider* provider = InstalledResourceProvider();
    for (UINT id : m_buttons) {
        QAction* action = nullptr;
        if (id == 0) {
            action = new QAction(bar);
            action->setSeparator(true);
        } else {
            action = CreateCommandAction(m_pFrame, id, CommandToolTip(id), bar);
            if (provider)
                action->setIcon(provider->DrawToolBarButton(g_imageResource, id));
        }
        bar->insertAction(m_impl->customizeAction.data(), action);
    }
    if (m_impl->customizeAction && !m_buttons.empty()) {
        auto* gap = new QAction(bar);
        gap->setSeparator(true);
        bar->insertAction(m_impl->customizeAction.data(), gap);
    }
    OnUpdateCmdUI(m_pFrame);
}

void CMFCToolBar::OnUpdateCmdUI(CFrameWnd* pTarget)
{
    if (!m_impl->bar)
        return;
    for (QAction* action : m_impl->bar->actions())
        UpdateCommandAction(pTarget, action);
}
