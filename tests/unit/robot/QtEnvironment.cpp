#include <QApplication>

#include <gtest/gtest.h>

namespace {

// Widget tests need one application object for the whole test program.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_robot";
        static char* argv[] = { name, nullptr };
        app = new QApplication(argc, argv);
    }
    void TearDown() override { delete app; }

private:
    QApplication* app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
