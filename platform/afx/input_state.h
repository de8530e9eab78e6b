// Pointer and keyboard state as the toolkit events leave it, for the calls that ask outside an event.
#pragma once

#include <QPoint>
#include <Qt>

void NoteCursorPos(const QPoint& global);
void NoteMouseButtons(Qt::MouseButtons buttons);
// The last position a mouse event reported, or (0, 0) before the first.
QPoint NotedCursorPos();
