// Automatic radio buttons: ticking one clears the others of its group.
#pragma once

class WindowRecord;

// The group runs from the button that starts it (WS_GROUP, or the first sibling) to the next
// control that starts a group; only radio buttons within it are cleared.
void ClearOtherRadiosOfGroup(WindowRecord* ticked);
