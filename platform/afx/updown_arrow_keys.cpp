#include "platform/afx/updown_arrow_keys.h"

#include "platform/afx/controls_host.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

class ArrowKeyFilter : public QObject {
public:
    ArrowKeyFilter(UpDownHost* spin, QWidget* buddy) : QObject(spin), m_spin(spin), m_buddy(buddy) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched != m_buddy || e->type() != QEvent::KeyPress || !m_spin->isEnabled())
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        if (key->key() == Qt::Key_Up) {
            m_spin->Step(+1);
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            m_spin->Step(-1);
            return true;
        }
        return false;
    }

private:
    UpDownHost* m_spin;
    QPointer<QWidget> m_buddy;
};

} // namespace

void InstallUpDownArrowKeys(UpDownHost* spin, QWidget* buddy)
{
    for (ArrowKeyFilter* old : spin->findChildren<ArrowKeyFilter*>(Qt::FindDirectChildrenOnly))
        delete old;
    if (buddy)
        buddy->installEventFilter(new ArrowKeyFilter(spin, buddy));
}
