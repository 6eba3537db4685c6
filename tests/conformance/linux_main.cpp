// On Linux the layer draws with Qt, which must be running before the first
// window is made, as the program's own main starts it. Not before the tests
// run: listing them needs no display.
#include "qt/qt_driver.h"

#include <gtest/gtest.h>

namespace {

class QtRunning : public ::testing::Environment {
public:
    void SetUp() override { wordoria::platform::StartQtDriver(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtRunning);
    return RUN_ALL_TESTS();
}
