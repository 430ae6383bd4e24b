#include "tests/support/QtTestApplication.h"

QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "quorvatine_test";
    static char* argv[] = { name, nullptr };
    // Never destroyed: tearing the application down from a static destructor
    // at exit, after Qt's own statics are gone, crashes inside Qt (input
    // devices made by simulated mouse events). The process ends right after.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}
