#ifndef TOOL_MANUALS_FORMAT_REFERENCE_H_
#define TOOL_MANUALS_FORMAT_REFERENCE_H_

#include <string>

namespace scenario {

// The reference of both source texts, in Markdown: every line, every
// field with its unit, range and meaning, made from the compiler's table
// of lines, with the reading rules, the station types, the signals, the
// slow-downs and the backgrounds. docs/format.md is this text.
std::string FormatReference();

}  // namespace scenario

#endif  // TOOL_MANUALS_FORMAT_REFERENCE_H_
