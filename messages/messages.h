#ifndef MESSAGES_MESSAGES_H_
#define MESSAGES_MESSAGES_H_

#include <string>

#include "base/status.h"
#include "model/scenario.h"

namespace scenario {

enum class Language { kItalian, kEnglish };

// What a diagnostic means, in the reader's language, with what it names
// (a keyword, a station, a fault) filled in.
std::string MessageFor(const Diagnostic& diagnostic, Language language);

// A failed file operation, for the tool's error stream: the platform's
// description of the failure with the path and the failure's number.
std::string FileErrorText(const Status& status, Language language);

// "errore", "avviso", "nota" or "error", "warning", "note".
std::string SeverityWord(Diagnostic::Severity severity, Language language);

}  // namespace scenario

#endif  // MESSAGES_MESSAGES_H_
