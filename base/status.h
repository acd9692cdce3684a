#ifndef BASE_STATUS_H_
#define BASE_STATUS_H_

#include <string>

namespace scenario {

// The words of a failure message, in one language.
struct FileErrorWords {
  const char* cannot;
  const char* read;
  const char* write;
  const char* remove;
  const char* number;
};
inline constexpr FileErrorWords kItalianFileErrors = {
    "Impossibile", "leggere", "scrivere", "cancellare", "errore"};
inline constexpr FileErrorWords kEnglishFileErrors = {"cannot", "read", "write",
                                                      "delete", "errno"};

// The outcome of a file operation. Errors are values: the procedures that
// touch files hand them up, and only the run sequence shows them and ends.
class Status {
 public:
  enum class Operation { kRead, kWrite, kDelete };

  static Status Ok() { return Status(); }
  static Status FileError(Operation operation, std::string path, int number) {
    return Status(operation, std::move(path), number);
  }

  bool ok() const { return number_ == 0; }
  Operation operation() const { return operation_; }
  const std::string& path() const { return path_; }
  // The platform's failure number (errno); 0 when ok.
  int number() const { return number_; }
  // The platform's own description of the failure number.
  std::string description() const;
  // What the user reads, e.g.
  // "Impossibile scrivere /x/a.txt: Permission denied (errore 13)".
  std::string ToString(const FileErrorWords& words = kItalianFileErrors) const;

 private:
  Status() = default;
  Status(Operation operation, std::string path, int number)
      : operation_(operation), path_(std::move(path)), number_(number) {}

  Operation operation_ = Operation::kRead;
  std::string path_;
  int number_ = 0;
};

}  // namespace scenario

#endif  // BASE_STATUS_H_
