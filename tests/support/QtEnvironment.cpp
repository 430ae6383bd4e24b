// Linked into the test programs of the areas that need a Qt application
// object (the widget, media, modules, ports and robot areas): registering the
// environment makes one before the first test runs.
#include "tests/support/QtTestApplication.h"

[[maybe_unused]] static auto* const qtEnvironment = testing::AddGlobalTestEnvironment(new QtEnvironment);
