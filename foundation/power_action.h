// Ending the session or powering the machine down at the end of a batch.
#pragma once

// Makes the power calls that follow allowed, as far as the process can; reports nothing.
void EnableShutdownPrivilege();

// EnableShutdownPrivilege, then: -1 hibernates, -2 suspends, any other value is a flag set of
// ExitWindowsEx (1 shuts down). The outcome is not reported.
void PowerAction(int action);
