#pragma once

#include "runner/DeferredScreen.h"

#include <memory>

class QCoreApplication;

// The process of a headless run: standard output and input stand for the
// screen, and the application object and the screen's window are made only
// when the run first needs them (see DeferredScreen), so that a program that
// only computes and prints starts as fast as the libraries load. Both come
// from the window module, which is loaded then too.
class HeadlessRun {
public:
    enum class Naming { Environment, Executable };
    // argv must outlive the run. Environment names the application as the
    // environment does; Executable leaves the name to the executable's file.
    HeadlessRun(int argc, char** argv, Naming naming);
    ~HeadlessRun();
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    DeferredScreen& Screen() { return *screen; }
    // Whether the application object was made (for tests and measurements).
    bool MadeApplication() const { return application != nullptr; }

private:
    static void MakeApplication();

    int argumentCount;
    char** arguments;
    Naming naming;
    // Declared in this order so that the window goes before the application.
    std::unique_ptr<QCoreApplication> application;
    std::unique_ptr<DeferredScreen> screen;
};
