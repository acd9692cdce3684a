#ifndef SOURCE_TRAIN_SOURCE_H_
#define SOURCE_TRAIN_SOURCE_H_

#include <span>
#include <string_view>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

// The train "37264" as its source text: composition, clock, adhesion and
// speed profiles, stations, the slow-down and the signals, in columns.
// The line table, closed by the end-of-list marker.
std::span<const std::string_view> TrainSourceLines();

// Writes the train source text that the compile reads back.
Status dati_treno(FileSystem& files, const FileNames& names);

}  // namespace scenario

#endif  // SOURCE_TRAIN_SOURCE_H_
