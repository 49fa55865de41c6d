#include <cstdio>

int main(int, char**)
{
    std::fprintf(stderr, "quelp: the editor window is not built yet.\n");
    return 1;
}
