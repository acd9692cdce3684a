#ifndef BASE_STANDARD_OUTPUT_H_
#define BASE_STANDARD_OUTPUT_H_

#include <array>
#include <streambuf>

namespace scenario {

// Standard output for a stream, which keeps the platform's failure number
// of the first write that failed: by the time a program looks, a full disk
// or a closed pipe must still be told as itself, not as some later error.
class StandardOutput : public std::streambuf {
 public:
  StandardOutput();
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;
  ~StandardOutput() override { sync(); }

  // 0 while every write arrived.
  int error() const { return error_; }

 protected:
  int overflow(int c) override;
  int sync() override;
  // A piece half as large as the buffer or more goes out as it is, not
  // through it.
  std::streamsize xsputn(const char* s, std::streamsize n) override;

 private:
  bool Flush();
  bool Write(const char* s, size_t n);

  std::array<char, 1 << 16> buffer_;
  int error_ = 0;
};

}  // namespace scenario

#endif  // BASE_STANDARD_OUTPUT_H_
