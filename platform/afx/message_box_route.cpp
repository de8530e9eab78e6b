#include "platform/afx/message_box_route.h"

#include "platform/win/ui_types.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <atomic>

namespace {

std::atomic<MessageBoxRoute> g_route{nullptr};
thread_local HeldMessageBoxes* t_hold = nullptr;

int ShowThroughRoute(LPCTSTR text, UINT type)
{
    const MessageBoxRoute route = g_route.load();
    return route ? route(text, type) : IDOK;
}

} // namespace

void AfxSetMessageBoxRoute(MessageBoxRoute route) { g_route.store(route); }

int AfxRoutedMessageBox(LPCTSTR text, UINT type)
{
    const std::u16string copy(text ? text : u"");
    if (t_hold) {
        t_hold->push_back({copy, type});
        return IDOK;
    }
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread())
        return ShowThroughRoute(copy.c_str(), type);
    if (g_route.load())
        QMetaObject::invokeMethod(
            application, [copy, type] { ShowThroughRoute(copy.c_str(), type); }, Qt::QueuedConnection);
    return IDOK;
}

CMessageBoxHold::CMessageBoxHold(HeldMessageBoxes& into) : m_outer(t_hold) { t_hold = &into; }

CMessageBoxHold::~CMessageBoxHold() { t_hold = m_outer; }

void AfxShowHeldMessageBoxes(HeldMessageBoxes& boxes)
{
    // Taken first: a box's own message loop may reach code that holds or shows boxes again.
    HeldMessageBoxes shown;
    shown.swap(boxes);
    for (const HeldMessageBox& box : shown)
        AfxRoutedMessageBox(box.text.c_str(), box.type);
}
