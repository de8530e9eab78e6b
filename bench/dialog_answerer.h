// Answers whatever the program asks while a benchmark runs it: file dialogs keep the path they
// offer, settings dialogs their settings, questions get Yes; error boxes are remembered.
#pragma once

#include <QTimer>

#include <string>

class DialogAnswerer {
public:
    DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // The text of the last error box ("Error No.0601" and its message), empty when none came.
    const std::string& LastError() const { return m_lastError; }
    int SavedBoxes() const { return m_savedBoxes; }

private:
    void Answer();

    QTimer m_timer;
    std::string m_lastError;
    int m_savedBoxes = 0;
};
