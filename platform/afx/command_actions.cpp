#include "platform/afx/command_actions.h"

#include "platform/afx/cframewnd.h"
#include "platform/afx/window_host.h"

#include <QAction>
#include <QActionGroup>

namespace {

constexpr const char* kCommandProperty = "afxCommandId";

CString Half(UINT id, bool second)
{
    CString text;
    text.LoadString(id);
    const int split = text.Find(u'\n');
    if (split < 0)
        return second ? CString() : text;
    return second ? text.Mid(split + 1) : text.Left(split);
}

} // namespace

CString CommandPrompt(UINT id) { return Half(id, false); }
CString CommandToolTip(UINT id) { return Half(id, true); }

QAction* CreateCommandAction(CFrameWnd* frame, UINT id, const CString& text, QObject* parent)
{
    auto* action = new QAction(ToQString(text), parent);
    action->setProperty(kCommandProperty, id);
    action->setStatusTip(ToQString(CommandPrompt(id)));
    const CString tip = CommandToolTip(id);
    if (!tip.IsEmpty())
        action->setToolTip(ToQString(tip));
    const HWND target = frame->m_hWnd;
    QObject::connect(action, &QAction::triggered, action, [target, id] { PostMessage(target, WM_COMMAND, id, 0); });
    return action;
}

UINT CommandIdOf(const QAction* action)
{
    const QVariant id = action ? action->property(kCommandProperty) : QVariant();
    return id.isValid() ? id.toUInt() : 0;
}

void UpdateCommandAction(CFrameWnd* frame, QAction* action)
{
    const UINT id = CommandIdOf(action);
    if (!id || !frame)
        return;
    CCmdUI state;
    state.m_nID = id;
    frame->UpdateCommandState(state);
    action->setEnabled(state.m_bEnabled != FALSE);
    if (state.m_nCheck || action->isCheckable()) {
        action->setCheckable(true);
        action->setChecked(state.m_nCheck != 0);
    }
    // A bullet is drawn for actions of an exclusive group.
    if (state.m_bRadio && !action->actionGroup()) {
        auto* group = new QActionGroup(action);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        action->setActionGroup(group);
    }
}
