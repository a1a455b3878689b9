#pragma once

#include "birthday/YearDataReaders.h"
#include "foundation/Seams.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace natalory::fuzz {

// A program folder of its own for this process (in memory where the machine has
// /dev/shm), holding copies of the shipped year data and pictures, with Qt started
// headless. Made on first use; every harness calls it before touching Qt.
const QString& ProgramFolder();

// Replaces a file of the program folder with the fuzzer's bytes; returns its path.
QString WriteProgramFile(const QString& name, QByteArrayView bytes);

QByteArrayView Bytes(const uint8_t* data, size_t size);

// A birth date in the supported years picked by two bytes, so one input can aim
// its search at any day.
QDate BirthDateFrom(uint8_t a, uint8_t b);

// A year data file handed over in place of the shipped one and searched by `read`;
// the last two bytes also pick the birth date searched for.
using YearDataReader = DataReadResult (*)(const QString& programFolder, QDate birthDate, YearData& year);
void ReadYearData(const uint8_t* data, size_t size, const char* fileName, YearDataReader read);

// Answers every question with its first button, as a user clicking through would.
class AnswerFirst final : public Prompt {
  public:
    PromptAnswer ask(const QString&, const QString&, PromptButtons buttons, PromptIcon) override;
};

}  // namespace natalory::fuzz
