// The modal loops that are running (dialogs, message boxes, file and folder pickers, popup menus),
// so that the end of the program can close them all as cancelled; from then on a modal loop is
// not entered at all and its caller gets the cancel answer at once. Nothing waits for a user who
// has gone.
#pragma once

#include <functional>

class ModalLoop {
public:
    // cancel ends the loop as its Cancel button would.
    explicit ModalLoop(std::function<void()> cancel);
    ~ModalLoop();
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

    // The program is ending: no modal loop may start.
    static bool Refused();
    // Cancels every modal loop running, innermost first, and refuses every later one.
    static void EndAll();
    // A new application object is a new program: its modal loops run again.
    static void AllowAgain();
    static bool AnyRunning();

private:
    std::function<void()> m_cancel;
};
