#ifndef BASE_EXIT_STATUS_H_
#define BASE_EXIT_STATUS_H_

namespace scenario {

// How either program ends, as its process's exit status. Scripts and
// editors read these numbers: they do not change.
enum ExitStatus : int {
  kExitSuccess = 0,  // the job done: every file written, or nothing found
  kExitError = 1,    // the scenario holds an error: a compile code (or a
                     // warning under --Werror), or the numbered error
                     // `errore` shows
  kExitFailure = 2,  // the job could not be done: usage, a file that cannot
                     // be read or written, a compile without cells
  kExitInterrupted = 130,  // `watch` ended by Ctrl-C, as shells count a
                           // process ended by an interrupt (128 + 2)
};

}  // namespace scenario

#endif  // BASE_EXIT_STATUS_H_
