#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace natalory::test {

// Every data file a print of each built-in style reads.
inline const QStringList kPrintData = {"blear.fpf",  "blearII.fpf",    "blik.fpf",
                                       "brdstf.fpf", "news.al!",       "classy.al!",
                                       "blank.al!",  "nopicfound.ico", "cake.png"};

// A fresh program folder for one test, with copies of the data files it asks for.
class TempProgramFolder {
  public:
    explicit TempProgramFolder(const QStringList& dataFiles = {});
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

  private:
    QTemporaryDir dir_;
};

// Runs the binary's tests headless, in English (United States), in UTC, whatever the machine;
// the Qt platform is the caller's QT_QPA_PLATFORM, offscreen when it sets none.
int RunTestsHeadless(int argc, char** argv);

}  // namespace natalory::test
