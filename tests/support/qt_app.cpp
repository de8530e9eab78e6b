#include "tests/support/qt_app.h"

#include <QTimer>

void WhenModal(std::function<void()> fn) { QTimer::singleShot(0, QCoreApplication::instance(), std::move(fn)); }
