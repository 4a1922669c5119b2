#include "platform/Locale.h"
#include "ui/OrvantaApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    OrvantaApplication app(argc, argv);
    // As the program does: the decimal separator of the environment's locale.
    Locale::initFromSystem();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
