// The run state the document holds and every command consults.
#pragma once

constexpr int kRunning = 0;
constexpr int kPaused = 3;
// No run; also the request to a running run to end.
constexpr int kStopped = 5;
