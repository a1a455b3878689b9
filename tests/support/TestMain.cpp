// Every test runs headless, in English (United States), in UTC, whatever the machine.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include <cstdlib>

int main(int argc, char** argv) {
    // Test discovery runs this binary at build time without the test's environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Natalory"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
