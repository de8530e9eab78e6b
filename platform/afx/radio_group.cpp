#include "platform/afx/radio_group.h"

#include "platform/afx/window_host.h"

#include <QAbstractButton>

namespace {

bool StartsGroup(const WindowRecord* r) { return (r->windowStyle & WS_GROUP) != 0; }

bool IsRadio(const WindowRecord* r)
{
    const DWORD type = r->windowStyle & BS_TYPEMASK;
    return r->kind == WindowKind::Button && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

} // namespace

void ClearOtherRadiosOfGroup(WindowRecord* ticked)
{
    QWidget* parent = ticked ? ticked->widget->parentWidget() : nullptr;
    if (!parent)
        return;
    std::vector<WindowRecord*> siblings;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (auto* r = dynamic_cast<WindowRecord*>(w); r && !r->isDestroyed)
            siblings.push_back(r);
    const auto self = std::find(siblings.begin(), siblings.end(), ticked);
    if (self == siblings.end())
        return;
    auto first = self;
    while (first != siblings.begin() && !StartsGroup(*first))
        --first;
    for (auto it = first; it != siblings.end(); ++it) {
        if (it != first && StartsGroup(*it))
            break;
        if (*it != ticked && IsRadio(*it))
            if (auto* b = dynamic_cast<QAbstractButton*>((*it)->widget.data()))
                b->setChecked(false);
    }
}
