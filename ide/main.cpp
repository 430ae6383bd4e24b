#include "runner/Launch.h"

int main(int argc, char** argv)
{
    return LaunchMain(argc, argv);
}
