#ifndef TOOL_COMMON_VOICE_H_
#define TOOL_COMMON_VOICE_H_

#include <ostream>
#include <string>

#include "messages/messages.h"

namespace scenario {

// How the tool speaks to its user for one command: in which language, and
// whether its standard output is a JSON document.
struct Voice {
  std::string command;
  Language language = Language::kItalian;
  bool json = false;

  // One line of the tool's own on the error stream, after its name.
  static void Say(std::ostream& err, const std::string& message);

  // A failure of the tool itself: told on the error stream, and under JSON
  // as a document on the output too, so a program reading it is never left
  // with nothing. Returns the tool's exit status for it.
  int Fail(std::ostream& out, std::ostream& err,
           const std::string& message) const;
};

}  // namespace scenario

#endif  // TOOL_COMMON_VOICE_H_
