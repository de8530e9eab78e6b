#include "resources/program_resources.h"

#include <cstdio>

int main()
{
    InstallResourceProvider(&ProgramResources());
    std::puts("Torvina: the user interface is not built yet.");
    return 0;
}
