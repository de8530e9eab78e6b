// What the clip-and-resize dialog may hand the document: a clip rectangle inside the source with
// at least one pixel, and an output size of at least 1 x 1 whose frame stays within the bound
// every frame block keeps.
#pragma once

#include "platform/afx/geometry.h"

// The margins cut from each side of the source, as the dialog's four edits show them.
struct ClipMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A near edge (left or top) typed as a margin: kept from 0 up to one short of the far edge.
int ClampNearMargin(int typed, LONG farEdge);
// A far margin (right or bottom): kept from 0 up to what leaves one pixel beyond the near edge.
int ClampFarMargin(int typed, LONG sourceSide, LONG nearEdge);

// Margins that may not fit this source (stored for another one) made to fit, in the order left,
// right, top, bottom; the clip rectangle they leave. An empty source leaves an empty rectangle.
CRect FitMarginsToSource(ClipMargins& margins, LONG sourceWidth, LONG sourceHeight);

// The output size that reaches the document: each side at least 1, the 24-bit frame within the
// frame-block bound (so its byte size never overflows 32 bits).
CSize ClampOutputSize(int width, int height);
