#include <clocale>
#include <cstdlib>

#include <QApplication>
#include <gtest/gtest.h>

// The Qt tests need a QApplication; without a display they use the
// offscreen platform.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName("Quellin");
    QApplication::setApplicationName("Kalvora");
    return RUN_ALL_TESTS();
}
