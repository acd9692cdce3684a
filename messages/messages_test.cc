#include "messages/messages.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace scenario {
namespace {

TEST(MessagesTest, FailuresReadInEitherLanguage) {
  using Operation = Status::Operation;
  struct Case {
    Status status;
    Language language;
    const char* expected;
  } cases[] = {
      {Status::FileError(Operation::kWrite, "d/a.txt", ENOENT),
       Language::kItalian,
       "Impossibile scrivere d/a.txt: File o cartella inesistente (errore 2)"},
      {Status::FileError(Operation::kDelete, "d/none", ENOENT),
       Language::kItalian,
       "Impossibile cancellare d/none: File o cartella inesistente (errore "
       "2)"},
      {Status::FileError(Operation::kDelete, "d/none", ENOENT),
       Language::kEnglish,
       "cannot delete d/none: No such file or directory (errno 2)"},
      {Status::FileError(Operation::kRead, "x", EACCES), Language::kEnglish,
       "cannot read x: Permission denied (errno 13)"},
      {Status::OutOfMemory(), Language::kItalian, "memoria esaurita"},
      {Status::OutOfMemory(), Language::kEnglish, "out of memory"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MessageFor(c.status, c.language), c.expected)
        << c.status.ToString();
  }
}

// Every way a package file can be damaged, in each language, with no word
// of the other.
TEST(MessagesTest, DamagedFilesReadInEitherLanguage) {
  using Damage = Status::Damage;
  struct Case {
    Damage damage;
    std::initializer_list<int64_t> numbers;
    const char* italian;
    const char* english;
  } cases[] = {
      {Damage::kCellRecordCut,
       {3},
       "un record di cella di 15 byte, trovati 3 byte",
       "a 15-byte cell record, found 3 bytes"},
      {Damage::kRecordHeadCut,
       {16, 2, 5},
       "una testata di record di 16 byte del record 2 (5 byte rimasti)",
       "a 16-byte record head of record 2 (5 bytes left)"},
      {Damage::kNameLengthNegative,
       {0, -1},
       "una lunghezza del nome da 0 a 32767 nel record 0, trovato -1",
       "a name length of 0 to 32767 in record 0, found -1"},
      {Damage::kNameCut,
       {9, 1, 6},
       "un nome di 9 byte del record 1 (6 byte rimasti)",
       "a name of 9 bytes of record 1 (6 bytes left)"},
      {Damage::kRecordTailCut,
       {18, 86, 15},
       "una coda di record di 18 byte del record 86 (15 byte rimasti)",
       "the 18-byte record tail of record 86 (15 bytes left)"},
      {Damage::kBankTooLong,
       {87, 2},
       "la fine del file dopo 87 record, trovati altri 2 byte",
       "the end of the file after 87 records, found 2 more bytes"},
      {Damage::kPlanValueKind,
       {7},
       "un valore del tracciato di tipo 0, 2 o 5, trovato 7",
       "a plan value kind 0, 2 or 5, found 7"},
      {Damage::kPlanValueCut,
       {1},
       "un valore del tracciato intero (1 byte rimasti)",
       "a whole plan value (1 bytes left)"},
      {Damage::kPlanValuesOdd,
       {3},
       "tanti valori y quanti valori x, trovati 3 valori",
       "as many y values as x values, found 3 values"},
  };
  for (const Case& c : cases) {
    const Status status = Status::Damaged("p/R.dat", 30, c.damage, c.numbers);
    EXPECT_EQ(MessageFor(status, Language::kItalian),
              std::string("p/R.dat: atteso ") + c.italian + " al byte 30");
    EXPECT_EQ(MessageFor(status, Language::kEnglish),
              std::string("p/R.dat: expected ") + c.english + " at byte 30");
    EXPECT_EQ(DamagedFileText(status, "cells", Language::kItalian),
              std::string("p/R.dat non è un file cells: atteso ") + c.italian +
                  " al byte 30");
  }
}

}  // namespace
}  // namespace scenario
