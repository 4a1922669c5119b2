// The simulator's suite needs only QtCore and QtNetwork, so it brings its own main
// rather than the terminal's, which pulls in the terminal's logic library.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
