// Benchmark projects (see demogen.h).
#include <cstdio>

#include "tools/demogen.h"

int DemoGross(const std::string&, int, int, const std::string&)
{
    std::fprintf(stderr, "velmo_demo: --gross fehlt noch\n");
    return -1;
}
