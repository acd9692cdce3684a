#ifndef DOCUMENTS_SLOW_ORDER_FORM_H_
#define DOCUMENTS_SLOW_ORDER_FORM_H_

#include <span>
#include <string_view>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

// The slow-order form: the one restriction of the run and twenty-five empty
// rows for more. Constant text.
// The line table, closed by the end-of-list marker.
std::span<const std::string_view> SlowOrderFormLines();

// Writes the slow-order form.
Status dati_rallentamenti(FileSystem& files, const FileNames& names);

}  // namespace scenario

#endif  // DOCUMENTS_SLOW_ORDER_FORM_H_
