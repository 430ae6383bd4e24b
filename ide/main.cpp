#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorvatine [--headless [--screenshot OUT.png]] PROGRAM.bas\n");
        return 2;
    }
    (void)argv;
    return 0;
}
