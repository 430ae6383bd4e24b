#include "ide/ProgramRunner.h"

int main(int argc, char** argv)
{
    return ProgramRunner::Main(argc, argv);
}
