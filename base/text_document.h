#ifndef BASE_TEXT_DOCUMENT_H_
#define BASE_TEXT_DOCUMENT_H_

#include <span>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

// Every text file of the program is written from a line table: up to 1001
// slots, filled from slot 0, closed by the end-of-list marker, which is
// never written itself.
inline constexpr size_t kLineSlots = 1001;
inline constexpr std::string_view kEndOfList = "riferimento fine del file";

// The bytes of lines, each in Windows-1252 followed by CR LF.
std::string EncodeTextLines(std::span<const std::string_view> lines);

// The bytes of a document: each line before the marker in Windows-1252,
// followed by CR LF; no end-of-file character.
std::string EncodeTextDocument(std::span<const std::string_view> slots);

// Replaces the file at `path` with the document of `slots`; a `scratch`
// document, removed before the run ends, is not flushed to disk.
Status WriteTextDocument(FileSystem& files, const std::string& path,
                         std::span<const std::string_view> slots,
                         bool scratch = false);

}  // namespace scenario

#endif  // BASE_TEXT_DOCUMENT_H_
