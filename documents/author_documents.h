#ifndef DOCUMENTS_AUTHOR_DOCUMENTS_H_
#define DOCUMENTS_AUTHOR_DOCUMENTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"
#include "model/scenario.h"

namespace scenario {

// The driver's three documents for any compiled scenario, in the layout,
// widths and code page of the embedded ones, derived from what its texts
// say. What the texts do not hold (arrival times before a departure, the
// half-minute marks, the service places, the train's category, its
// classification and blocked mass, the prescriptions) is left blank, never
// invented. A value wider than its column is cut to it. Each document is
// its lines in UTF-8.

// One row per slow-down line: the stations between which it starts (or
// the station whose zone it starts in), the kilometre post after which it
// starts, its speed and length, and prescription E where no approach
// markers precede its warning board. At least the embedded form's 26 rows.
std::vector<std::string> SlowOrderFormOf(const Scenario& s);

// The title box with the train, its origin and destination and its
// braked-mass percentage; a row for each station, with its kilometre and
// its time to the minute (the departure; at the destination, the
// arrival), and for each change of line speed between them; in the "Rec"
// column, the minutes the stretch that ends there has to spare at the
// speeds allowed ("<-9" when ten or more are missing, or a speed of 0
// bars it).
std::vector<std::string> TrainCardOf(const Scenario& s);

// The headings with the train and route, the number of slow-downs, then
// the author's own notes (UTF-8, or Windows-1252 when they are no UTF-8).
std::vector<std::string> NotesOf(const Scenario& s,
                                 std::string_view author_notes);

// The three documents under their usual names, replaced together.
Status WriteAuthorDocuments(FileSystem& files, const FileNames& names,
                            const Scenario& s, std::string_view author_notes);

}  // namespace scenario

#endif  // DOCUMENTS_AUTHOR_DOCUMENTS_H_
