#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace natalory::test {

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

}  // namespace natalory::test
