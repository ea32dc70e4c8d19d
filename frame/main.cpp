// Entry of the `velmo` program.
#include <cstdio>

int main()
{
    std::puts("Velmo");
    return 0;
}
