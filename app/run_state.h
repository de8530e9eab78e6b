// The run state the document holds and every command consults. The numbers are fixed.
#pragma once

enum class RunState : int {
    Running = 0,
    Paused = 3,
    // No run; also the request to a running run to end.
    Stopped = 5,
};
