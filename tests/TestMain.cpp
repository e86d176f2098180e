// Runs the tests headless on Qt's offscreen platform unless another platform is chosen:
// test discovery runs the binaries during the build, where there is no display.

#include "framework/Framework.h"
#include "runtime/EventLoop.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    platform::RuntimeInit();
    platform::initializeFrameworkClasses();
    return RUN_ALL_TESTS();
}
