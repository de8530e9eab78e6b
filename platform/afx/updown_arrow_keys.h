// The up-down control's arrow keys: Up and Down pressed in its buddy step the control.
#pragma once

class QWidget;
class UpDownHost;

// The filter lives as long as the up-down control; a later buddy gets its own.
void InstallUpDownArrowKeys(UpDownHost* spin, QWidget* buddy);
