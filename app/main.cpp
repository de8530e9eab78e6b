#include <cstdio>

int main()
{
    std::puts("Torvina: the user interface is not built yet.");
    return 0;
}
