#include "tests/support/QtTestApplication.h"

[[maybe_unused]] static auto* const qtEnvironment = testing::AddGlobalTestEnvironment(new QtEnvironment);
