#include "platform/afx/controls_host.h"

#include "platform/afx/control_host_support.h"

#include <QRegularExpressionValidator>

EditHost::EditHost(QWidget* parent) : Host<QLineEdit>(parent, WindowKind::Edit)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) {
        windowText = FromQString(t);
        NotifyParent(this, EN_CHANGE);
    });
}

void EditHost::ApplyText()
{
    const QString t = ToQString(windowText);
    if (t != QLineEdit::text())
        setText(t);
}

bool EditHost::event(QEvent* e)
{
    const bool result = Host<QLineEdit>::event(e);
    if (!isDestroyed && e->type() == QEvent::FocusIn)
        NotifyParent(this, EN_SETFOCUS);
    else if (!isDestroyed && e->type() == QEvent::FocusOut)
        NotifyParent(this, EN_KILLFOCUS);
    return result;
}

LRESULT EditHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message) {
    case EM_SETSEL: {
        const int start = static_cast<int>(wParam);
        const int end = static_cast<int>(lParam);
        if (start == 0 && end == -1)
            selectAll();
        else if (start == -1)
            deselect();
        else
            setSelection(start, end - start);
        return 0;
    }
    case EM_LIMITTEXT: setMaxLength(wParam ? static_cast<int>(wParam) : 32767); return 0;
    default: return WindowRecord::ClassProc(message, wParam, lParam, handled);
    }
}
WindowRecord* CreateEditHost(QWidget* parent, DWORD style)
{
    auto* h = new EditHost(parent);
    h->setReadOnly(style & ES_READONLY);
    h->setAlignment((style & ES_CENTER) ? Qt::AlignHCenter : (style & ES_RIGHT) ? Qt::AlignRight : Qt::AlignLeft);
    if (style & ES_PASSWORD)
        h->setEchoMode(QLineEdit::Password);
    // Typed characters other than digits are refused; text set by the program is taken as it is.
    if (style & ES_NUMBER)
        h->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), h));
    h->setFrame(true);
    return h;
}
