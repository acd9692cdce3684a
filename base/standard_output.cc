#include "base/standard_output.h"

#include <cerrno>
#include <cstdio>

namespace scenario {

StandardOutput::StandardOutput() {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  // This buffer is the only one: the C library's would copy every byte
  // once more on its way out.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
}

bool StandardOutput::Write(const char* s, size_t n) {
  if (error_ != 0) return false;  // what follows a lost write is lost too
  errno = 0;
  if (std::fwrite(s, 1, n, stdout) != n || std::fflush(stdout) != 0) {
    error_ = errno != 0 ? errno : EIO;
    return false;
  }
  return true;
}

bool StandardOutput::Flush() {
  const size_t size = static_cast<size_t>(pptr() - pbase());
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return Write(buffer_.data(), size);
}

std::streamsize StandardOutput::xsputn(const char* s, std::streamsize n) {
  if (static_cast<size_t>(n) < buffer_.size() / 2) {
    return std::streambuf::xsputn(s, n);
  }
  if (!Flush() || !Write(s, static_cast<size_t>(n))) return 0;
  return n;
}

int StandardOutput::overflow(int c) {
  if (!Flush()) return traits_type::eof();
  if (c != traits_type::eof()) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int StandardOutput::sync() { return Flush() ? 0 : -1; }

}  // namespace scenario
