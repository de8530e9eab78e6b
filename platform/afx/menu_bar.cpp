#include "platform/afx/menu_bar.h"

#include "platform/afx/command_actions.h"
#include "platform/afx/frame_host.h"
#include "platform/win/language.h"
#include "platform/win/menu_resource.h"

#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

#include <vector>

struct CMFCMenuBar::Impl {
    QPointer<QToolBar> bar;
    std::vector<QPointer<QToolButton>> buttons;
};

namespace {

// A menu title: as narrow as a menu bar's items, without the room a tool button leaves around
// its text.
class MenuTitleButton : public QToolButton {
public:
    using QToolButton::QToolButton;
    QSize sizeHint() const override
    {
        QSize size = QToolButton::sizeHint();
        size.rwidth() -= std::max(0, fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 2 - 6);
        return size;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

// Lists the frame's bars (and the customize command) where the resource has the placeholder.
void FillToolbarList(QMenu* menu, FrameHost* host)
{
    menu->clear();
    QMenu* list = host->createPopupMenu();
    if (!list)
        return;
    for (QAction* action : list->actions())
        menu->addAction(action);
    list->deleteLater();
}

void FillMenu(QMenu* menu, std::span<const MenuItemResource> items, CFrameWnd* frame, FrameHost* host)
{
    for (const MenuItemResource& item : items) {
        if (item.flags & MF_SEPARATOR) {
            menu->addSeparator();
            continue;
        }
        if (item.flags & MF_POPUP) {
            QMenu* sub = menu->addMenu(ToQString(item.text));
            const std::span<const MenuItemResource> subItems = item.Items();
            // The framework's tool bar item stands for the list of the frame's bars.
            if (subItems.size() == 1 && subItems[0].id == ID_VIEW_TOOLBAR) {
                QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, host] { FillToolbarList(sub, host); });
                continue;
            }
            FillMenu(sub, subItems, frame, host);
            continue;
        }
        menu->addAction(CreateCommandAction(frame, item.id, item.text, menu));
    }
    // Every item shows its state as the update handlers have it when the menu opens.
    const HWND target = frame->m_hWnd;
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, target] {
        auto* f = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(target));
        for (QAction* action : menu->actions())
            UpdateCommandAction(f, action);
    });
}

} // namespace

CMFCMenuBar::CMFCMenuBar() : m_impl(std::make_unique<Impl>()) {}

CMFCMenuBar::~CMFCMenuBar() { delete m_impl->bar.data(); }

BOOL CMFCMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    FrameHost* host = FrameHost::Of(pParentWnd);
    auto* frame = dynamic_cast<CFrameWnd*>(pParentWnd);
    if (!host || !frame || m_impl->bar)
        return FALSE;
    const std::span<const MenuItemResource> items = FindMenuItems(frame->GetResourceId());
    auto* bar = new QToolBar(host);
    bar->setObjectName(QStringLiteral("MenuBar%1").arg(nID));
    bar->setWindowTitle(PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_JAPANESE ? QStringLiteral("メニュー バー")
                                                                                 : QStringLiteral("Menu Bar"));
    bar->setMovable((dwStyle & CBRS_GRIPPER) != 0);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_dwStyle = dwStyle;
    for (const MenuItemResource& item : items) {
        auto* button = new MenuTitleButton(bar);
        button->setText(ToQString(item.text));
        button->setAutoRaise(true);
        button->setObjectName(QStringLiteral("MenuTitle"));
        if (item.flags & MF_POPUP) {
            // Opened by the button itself, so no drop-down arrow takes room beside the title.
            auto* menu = new QMenu(button);
            FillMenu(menu, item.Items(), frame, host);
            button->setProperty("afxPopup", QVariant::fromValue<QObject*>(menu));
            QObject::connect(button, &QToolButton::clicked, menu, [button, menu] {
                button->setDown(true);
                menu->exec(button->mapToGlobal(QPoint(0, button->height())));
                button->setDown(false);
            });
        } else {
            QAction* action = CreateCommandAction(frame, item.id, item.text, button);
            button->setDefaultAction(action);
        }
        bar->addWidget(button);
        m_impl->buttons.emplace_back(button);
    }
    host->addToolBar(Qt::TopToolBarArea, bar);
    host->addToolBarBreak(Qt::TopToolBarArea);
    m_impl->bar = bar;
    return TRUE;
}

void CMFCMenuBar::EnableDocking(DWORD dwDockStyle)
{
    if (m_impl->bar)
        m_impl->bar->setAllowedAreas(ToolBarAreasOf(dwDockStyle));
}

QToolBar* CMFCMenuBar::Bar() const { return m_impl->bar; }

int CMFCMenuBar::GetCount() const { return static_cast<int>(m_impl->buttons.size()); }

QMenu* CMFCMenuBar::GetPopup(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    QToolButton* button = m_impl->buttons[static_cast<size_t>(nIndex)];
    return button ? qobject_cast<QMenu*>(button->property("afxPopup").value<QObject*>()) : nullptr;
}

CString CMFCMenuBar::GetPopupText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount() || !m_impl->buttons[static_cast<size_t>(nIndex)])
        return CString();
    return FromQString(m_impl->buttons[static_cast<size_t>(nIndex)]->text());
}
