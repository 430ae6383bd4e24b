#include "ide/IdeMain.h"

int main(int argc, char** argv)
{
    return EnvironmentMain(argc, argv);
}
