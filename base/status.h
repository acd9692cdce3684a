#ifndef BASE_STATUS_H_
#define BASE_STATUS_H_

#include <cstddef>
#include <string>

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
    kUsage,    // the user asked for something that cannot be done
    kOutOfMemory,
  };
  enum class Operation { kRead, kWrite, kDelete };

  static Status Ok() { return Status(); }
  static Status FileError(Operation operation, std::string path, int number) {
    Status s(Kind::kFile, std::move(path));
    s.operation_ = operation;
    s.number_ = number;
    return s;
  }
  // `expected` says what the layout holds at `offset` and what stood there.
  static Status Damaged(std::string path, size_t offset, std::string expected) {
    Status s(Kind::kDamaged, std::move(path));
    s.offset_ = offset;
    s.detail_ = std::move(expected);
    return s;
  }
  static Status OutOfMemory() { return Status(Kind::kOutOfMemory, {}); }
  static Status Usage(std::string what) {
    Status s(Kind::kUsage, {});
    s.detail_ = std::move(what);
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
  // A damaged file: the byte where the layout broke, and what it expected.
  size_t offset() const { return offset_; }
  const std::string& detail() const { return detail_; }

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
  std::string detail_;
};

}  // namespace scenario

#endif  // BASE_STATUS_H_
