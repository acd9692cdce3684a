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
      {Status::Damaged("p/R_7.dat", 30, "a 15-byte cell record, found 3 bytes"),
       Language::kEnglish,
       "p/R_7.dat: expected a 15-byte cell record, found 3 bytes at byte 30"},
      {Status::Usage("give --kind"), Language::kEnglish, "give --kind"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MessageFor(c.status, c.language), c.expected)
        << c.status.ToString();
  }
}

}  // namespace
}  // namespace scenario
