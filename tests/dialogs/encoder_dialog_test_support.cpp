#include "tests/dialogs/encoder_dialog_test_support.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>

std::vector<std::string> TextsThatDoNotFit(CWnd& dialog)
{
    std::vector<std::string> cut;
    for (QWidget* w : WidgetOf(&dialog)->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        const QFontMetrics metrics(w->font());
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
            const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 100000), flags, label->text());
            if (needed.width() > label->width() || needed.height() > label->height())
                cut.push_back(label->text().toStdString());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
            QString text = button->text();
            text.remove(u'&');
            // Room for the check mark, or for the push button's frame.
            const int margin = qobject_cast<QCheckBox*>(w) ? 20 : 6;
            if (metrics.horizontalAdvance(text) + margin > button->width())
                cut.push_back(button->text().toStdString());
        }
    }
    return cut;
}
