#ifndef BASE_PLATFORM_H_
#define BASE_PLATFORM_H_

#include <memory>
#include <string>
#include <vector>

#include "base/status.h"

namespace scenario {

// What the programs ask of the operating system beyond reading and writing
// files, in one file per platform: platform_posix.cc, platform_win32.cc.

// The characters that end a folder's name in a path: "/", and on Windows
// "\\" too.
extern const char kPathSeparators[];

// The program's arguments in UTF-8, however the platform hands them over
// (Windows in UTF-16, which the C library's `argv` narrows to a code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Whether file names follow Windows' rules, which forbid some characters.
extern const bool kWindowsFileNames;

// The folder the running program lies in, without a trailing separator.
Status ProgramFolder(std::string* folder);

// Whether a person is at standard input, or at standard output (on
// Windows, at a console that takes colours).
bool InputIsTerminal();
bool OutputIsTerminal();

// Readies the process before its work: text goes out as UTF-8 and reads
// right on a console; a write past the file size limit fails as a write
// (and leaves no temporary file) instead of ending the program.
void PrepareProcess();

// Standard input and output carry their bytes unchanged, with no line
// ends translated: for a protocol that counts them.
void UseBinaryStandardStreams();

// From here on, an interrupt (Ctrl-C) or a request to end sets a flag
// instead of ending the program, until ReleaseInterrupts.
void CatchInterrupts();
bool Interrupted();
void ReleaseInterrupts();

// Tells when watched files are saved: written in place, or written anew
// and renamed over the old file, as editors do.
class SaveWatch {
 public:
  virtual ~SaveWatch() = default;
  // Waits up to `milliseconds`; true when a watched file was saved.
  virtual bool Saved(int milliseconds) = 0;
};
// Watches the files at `paths` (their folders must exist); a failure
// gives the platform's error as an errno number.
int WatchSaves(const std::vector<std::string>& paths,
               std::unique_ptr<SaveWatch>* watch);

}  // namespace scenario

#endif  // BASE_PLATFORM_H_
