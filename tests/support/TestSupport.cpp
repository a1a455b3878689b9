#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cstdlib>
#include <stdexcept>

namespace natalory::test {

TempProgramFolder::TempProgramFolder(const QStringList& dataFiles) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    for (const QString& name : dataFiles) {
        const QString from = QDir(QStringLiteral(NATALORY_SOURCE_DATA)).filePath(name);
        const QString to = file(name);
        QDir().mkpath(QFileInfo(to).path());
        if (!QFile::copy(from, to)) throw std::runtime_error("cannot copy data file " + name.toStdString());
    }
}

QString TempProgramFolder::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

void TempProgramFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + name.toStdString());
}

QByteArray TempProgramFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

int RunTestsHeadless(int argc, char** argv) {
    // Test discovery runs the binary at build time without the test's environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Natalory"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace natalory::test
