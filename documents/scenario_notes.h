#ifndef DOCUMENTS_SCENARIO_NOTES_H_
#define DOCUMENTS_SCENARIO_NOTES_H_

#include <span>
#include <string_view>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

// The scenario notes: authors, scenario number, prescription, notes on the
// train and on the line. Constant text.
// The line table, closed by the end-of-list marker.
std::span<const std::string_view> ScenarioNotesLines();

// Writes the scenario notes.
Status dati_note(FileSystem& files, const FileNames& names);

}  // namespace scenario

#endif  // DOCUMENTS_SCENARIO_NOTES_H_
