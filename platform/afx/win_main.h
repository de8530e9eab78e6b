// The program's entry: the toolkit application, then the application object's start and loop.
#pragma once

// Runs the one CWinApp object: InitInstance, then the message loop when it succeeded. The
// toolkit defaults to X11 (the program places, moves and shapes its windows and copies the
// screen); QT_QPA_PLATFORM overrides it.
int AfxWinMain(int argc, char** argv);
