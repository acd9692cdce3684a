#ifndef BASE_STATUS_H_
#define BASE_STATUS_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace scenario {

// The outcome of an operation that can fail for reasons outside the
// program. Errors are values: the procedures that meet them hand them up,
// and only the top of the program shows them, in the reader's language
// (the messages module); a status holds the facts, not words.
class [[nodiscard]] Status {
 public:
  enum class Kind {
    kOk,
    kFile,     // a file operation failed: the path and the platform's errno
    kDamaged,  // a file's bytes are not what its layout says, at an offset
    kOutOfMemory,
  };
  enum class Operation { kRead, kWrite, kDelete };
  // What a damaged file's layout expected where it broke; the numbers that
  // go with each are listed beside it.
  enum class Damage {
    kCellRecordCut,       // bytes found
    kRecordHeadCut,       // head size, record, bytes left
    kNameLengthNegative,  // record, length found
    kNameCut,             // name length, record, bytes left
    kRecordTailCut,       // tail size, record, bytes left
    kBankTooLong,         // records, bytes more
    kPlanValueKind,       // kind found
    kPlanValueCut,        // bytes left
    kPlanValuesOdd,       // values found
  };

  static Status Ok() { return Status(); }
  static Status FileError(Operation operation, std::string path, int number) {
    Status s(Kind::kFile, std::move(path));
    s.operation_ = operation;
    s.number_ = number;
    return s;
  }
  // What the layout expected at `offset`, with its numbers; the path is
  // the reader's to give (WithPath), as the decoders work on bytes.
  static Status Damaged(std::string path, size_t offset, Damage damage,
                        std::initializer_list<int64_t> numbers) {
    Status s(Kind::kDamaged, std::move(path));
    s.offset_ = offset;
    s.damage_ = damage;
    s.numbers_ = numbers;
    return s;
  }
  static Status OutOfMemory() { return Status(Kind::kOutOfMemory, {}); }

  // The same status about the file at `path`.
  Status WithPath(std::string path) const {
    Status s = *this;
    s.path_ = std::move(path);
    return s;
  }

  bool ok() const { return kind_ == Kind::kOk; }
  Kind kind() const { return kind_; }
  const std::string& path() const { return path_; }
  // A file failure: what was attempted, the platform's failure number
  // (errno) and its own description of it.
  Operation operation() const { return operation_; }
  int number() const { return number_; }
  std::string description() const;
  // A damaged file: the byte where the layout broke, what it expected and
  // the numbers that go with it.
  size_t offset() const { return offset_; }
  Damage damage() const { return damage_; }
  const std::vector<int64_t>& numbers() const { return numbers_; }

  // For developers and logs, in plain English; people read the messages.
  std::string ToString() const;

 private:
  Status() = default;
  Status(Kind kind, std::string path) : kind_(kind), path_(std::move(path)) {}

  Kind kind_ = Kind::kOk;
  std::string path_;
  Operation operation_ = Operation::kRead;
  int number_ = 0;
  size_t offset_ = 0;
  Damage damage_ = Damage::kCellRecordCut;
  std::vector<int64_t> numbers_;
};

}  // namespace scenario

#endif  // BASE_STATUS_H_
