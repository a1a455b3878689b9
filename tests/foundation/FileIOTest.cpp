#include "birthday/YearDataReaders.h"
#include "foundation/FileIO.h"
#include "foundation/Settings.h"

#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace natalory;
using namespace natalory::test;

namespace {

// Runs a read that must not block; a read that does is freed by a writer coming and going.
template <class Read>
auto WithinSeconds(const QString& fifo, Read read) {
    auto result = std::async(std::launch::async, read);
    const bool finished = result.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!finished) {
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) ::close(writer);
    }
    EXPECT_TRUE(finished) << "the read of a FIFO blocked";
    return result.get();
}

}  // namespace

TEST(ReadFileBytes, OnlyRegularFilesAreRead) {
    TempProgramFolder folder;
    const QString fifo = folder.file(kSettingsFileName);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString why;
    EXPECT_FALSE(WithinSeconds(fifo, [&] { return ReadFileBytes(fifo, &why); }));
    EXPECT_EQ(why, "it is not a regular file");

    // The settings fall back to the defaults and the program goes on.
    AppState state;
    state.ProgramFolder = folder.path();
    const SettingsReadResult settings = WithinSeconds(fifo, [&] { return ReadSettings(state); });
    EXPECT_EQ(settings.source, SettingsSource::DefaultsDamagedFile);

    // A link to an endless device reads as no file at all, not as memory exhausted.
    ASSERT_TRUE(QFile::link("/dev/zero", folder.file(kCelebritiesFile)));
    EXPECT_FALSE(ReadFileBytes(folder.file(kCelebritiesFile), &why));
    EXPECT_EQ(why, "it is not a regular file");
    YearData year;
    const DataReadResult celebrities = ReadCelebrities(folder.path(), QDate(1950, 1, 15), year);
    EXPECT_FALSE(celebrities.found);
    ASSERT_TRUE(celebrities.problem);
    EXPECT_EQ(celebrities.problem->detail, "it is not a regular file");

    EXPECT_FALSE(ReadFileBytes(folder.path(), &why));
    EXPECT_EQ(why, "it is a folder, not a file");
    EXPECT_FALSE(ReadFileBytes(folder.file("none"), &why));
    EXPECT_EQ(why, "the file does not exist");
    folder.write("big", {});
    ASSERT_TRUE(QFile(folder.file("big")).resize(kMaxReadableFile + 1));
    EXPECT_FALSE(ReadFileBytes(folder.file("big"), &why));
    EXPECT_EQ(why, "the file is too large");
}

TEST(WriteFileAtomically, AFullDiskKeepsTheOldFileAndSaysSo) {
    FullDisk disk;
    const QString target = disk.file("news.als");
    ASSERT_TRUE(WriteFileAtomically(target, "old"));
    QString why;
    bool written = true;
    disk.run(16 * 1024, [&] { written = WriteFileAtomically(target, QByteArray(100 * 1024, 'n'), &why); });
    EXPECT_FALSE(written);
    if (disk.real())
        EXPECT_EQ(why, "the disk is full");
    else
        EXPECT_FALSE(why.isEmpty() || why.contains("Unknown")) << why.toStdString();
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_EQ(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden), QStringList{"news.als"});
}
