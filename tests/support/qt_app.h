// One toolkit application object for a GUI test program (offscreen under ctest).
#pragma once

#include <QApplication>
#include <QCoreApplication>

#include <functional>

inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "torvina_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
        return new QApplication(argc, argv);
    }();
    return *app;
}

inline void ProcessEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Runs fn once the next modal loop is running (to press its buttons).
void WhenModal(std::function<void()> fn);
