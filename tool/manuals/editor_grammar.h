#ifndef TOOL_MANUALS_EDITOR_GRAMMAR_H_
#define TOOL_MANUALS_EDITOR_GRAMMAR_H_

#include <string>

namespace scenario {

// The TextMate grammar of both source texts, for editors that colour by
// one (VS Code): comments as the reading takes them (a line whose first
// item holds a "-"), section headers, every keyword of the compiler's
// table of lines, quoted texts and numbers. The VS Code extension's
// syntaxes/scenario.tmLanguage.json is this text.
std::string TextMateGrammar();

}  // namespace scenario

#endif  // TOOL_MANUALS_EDITOR_GRAMMAR_H_
