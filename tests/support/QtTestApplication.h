#pragma once

#include <QApplication>

#include <gtest/gtest.h>

// One application object per test program, made on first use: widget tests and
// the off-screen run-time screen need it.
QApplication& TestApplication();

// Makes the application before the first test, for test programs whose tests
// touch widgets directly. Register it in one file of the program:
//   [[maybe_unused]] auto* const qt = testing::AddGlobalTestEnvironment(new QtEnvironment);
class QtEnvironment : public testing::Environment {
public:
    void SetUp() override { TestApplication(); }
};
