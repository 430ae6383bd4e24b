#pragma once

#include <QApplication>

#include <gtest/gtest.h>

// One application object per test program, made on first use: widget tests and
// the off-screen run-time screen need it.
QApplication& TestApplication();

// Makes the application before the first test, for test programs whose tests
// touch widgets directly: tests/support/QtEnvironment.cpp registers it in the
// areas listed as needing it in tests/CMakeLists.txt.
class QtEnvironment : public testing::Environment {
public:
    void SetUp() override { TestApplication(); }
};
