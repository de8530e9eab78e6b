// Linked into every test program: whether it runs under ctest or by hand, no test reaches the
// user's settings or the machine's power, and the platform finds the program's resources.
#include "resources/program_resources.h"

#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment()
    {
        setenv("XDG_CONFIG_HOME", TORVINA_TEST_CONFIG_HOME, 1);
        setenv("TORVINA_POWER_DISABLED", "1", 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        InstallResourceProvider(&ProgramResources());
    }
};

const TestEnvironment environment;

} // namespace
