#include "base/platform.h"

#include <csignal>

namespace scenario {

// Interrupts, the same on every platform: the C library's signals.
namespace {

volatile std::sig_atomic_t interrupted = 0;
void Interrupt(int) { interrupted = 1; }

}  // namespace

void CatchInterrupts() {
  interrupted = 0;
  std::signal(SIGINT, Interrupt);
  std::signal(SIGTERM, Interrupt);
}
bool Interrupted() { return interrupted != 0; }
void ReleaseInterrupts() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}

}  // namespace scenario
