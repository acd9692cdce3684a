#ifndef DOCUMENTS_TRAIN_CARD_H_
#define DOCUMENTS_TRAIN_CARD_H_

#include <span>
#include <string_view>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

// The driver's train card: title box, timetable and prescription. Constant
// text: it agrees with the train source text by authorship, not by derivation.
// The line table, closed by the end-of-list marker.
std::span<const std::string_view> TrainCardLines();

// Writes the train card.
Status dati_scheda(FileSystem& files, const FileNames& names);

}  // namespace scenario

#endif  // DOCUMENTS_TRAIN_CARD_H_
