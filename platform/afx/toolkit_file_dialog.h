// The toolkit's file and folder dialogs, made to show their texts whole: the places on the left
// as wide as their longest name (the toolkit restores the width of the last session, which may
// have been in a shorter language), and the details columns as wide as what they show.
#pragma once

class QFileDialog;

// Call before the dialog runs; the widths are set once it is shown and as each folder loads.
void FitToolkitFileDialog(QFileDialog& dialog);
