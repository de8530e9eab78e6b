// Pointer and keyboard state as the toolkit events leave it, for the calls that ask outside an event.
#pragma once

#include <QPoint>
#include <QWidget>
#include <Qt>

void NoteCursorPos(const QPoint& global);
void NoteMouseButtons(Qt::MouseButtons buttons);
// A push button held down has the capture until it is let go (the toolkit grabs the mouse for it).
void NoteButtonHeld(QWidget* button, bool held);
// The last position a mouse event reported, or (0, 0) before the first.
QPoint NotedCursorPos();
