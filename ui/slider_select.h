// The seek bar: a click moves the slider straight to the point under the cursor.
#pragma once

#include "platform/afx/controls.h"

class CSliderSelect : public CSliderCtrl {
public:
    // Takes the channel as 14 pixels in from either edge; returns the new position.
    int SetPosFromCursor();

    DECLARE_MESSAGE_MAP()
};
