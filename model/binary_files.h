#ifndef MODEL_BINARY_FILES_H_
#define MODEL_BINARY_FILES_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"
#include "model/record_layout.h"
#include "model/scenario.h"

namespace scenario {

// The three binary files the simulator reads, laid out as the field lists
// of model/record_layout.h say: little-endian numbers, packed records, no
// header and no trailer.

// Cell file: cells 0 to n_celle, 15 bytes each.
std::string EncodeCells(const Celle& celle);
// Train file: the 87 records of the bank, 34 + N bytes each, N the length
// of `nome`.
std::string EncodeRecords(const std::array<Voce, kVoci>& voci);
// Route plan file: every x value, metre by metre, then every y value. It
// reaches 20 MB: written in pieces of 256 KiB as the points are worked out.
void EncodeTrackPlan(const Tracciato& tracciato, const ByteSink& sink);
std::string EncodeTrackPlan(const Tracciato& tracciato);
// The same of a plan read back.
std::string EncodeTrackPlan(const PlanPoints& plan);

// The largest file of each kind a package can hold: that of the longest
// route (1000000 m and its extension), with every name as long as a name
// can be. A larger file is no package file.
inline constexpr size_t kLargestCellFile =
    kCellRecordSize * ((kMaxRouteLength + kRouteExtension) / kCellLength + 1);
inline constexpr size_t kLargestTrainFile =
    kVoci * (kRecordFixedSize + kMaxTextLength);
inline constexpr size_t kLargestPlanFile =
    2 * (kMaxRouteLength + kRouteExtension + 1) * (kPlanCodeSize + 8);
size_t LargestFile(BinaryKind kind);

// Reading the files back, for tools that show what a package holds. A
// file that does not have exactly its layout is refused as damaged, with
// what was expected at which byte; the caller names the file.
Status DecodeCells(std::string_view bytes, std::vector<Cella>* cells);
Status DecodeRecords(std::string_view bytes, std::array<Voce, kVoci>* voci);
// Reads a plan file as its pieces arrive, so that the largest plan is
// never held whole. Each value goes to `take` with its index, every x
// value then every y value; the file is refused at the first value that is
// not whole or of a known kind.
class PlanReader {
 public:
  using Take = std::function<void(size_t index, const PlanValue& value)>;
  // An empty `take` only checks and counts.
  explicit PlanReader(Take take) : take_(std::move(take)) {}
  // False once the file is refused.
  bool Feed(std::string_view piece);
  // After the last piece: the plan's points, half its values, which must
  // pair.
  Status End(size_t* points);

 private:
  // Takes the value at the front of `bytes`: the bytes it took, or 0 when
  // they hold only part of one (or the file is refused).
  size_t TakeOne(std::string_view bytes);

  Take take_;
  Status status_ = Status::Ok();
  std::string carry_;  // the start of a value split between pieces
  size_t offset_ = 0;  // of the next value in the file
  size_t values_ = 0;
};

// The plan's point count follows from its length: half its values.
Status DecodeTrackPlan(std::string_view bytes, std::vector<PlanValue>* xs,
                       std::vector<PlanValue>* ys);
// The same straight into a plan, for drawing it.
Status DecodeTrackPlan(std::string_view bytes, PlanPoints* plan);
// A plan file read in pieces, twice: to check it and count its points,
// then to hand `counted` the count and `take` each value (or to fill
// `plan`). Nothing but the plan's own room is held.
Status ReadTrackPlan(FileSystem& files, const std::string& path,
                     PlanPoints* plan);
Status ReadTrackPlan(FileSystem& files, const std::string& path,
                     const std::function<void(size_t points)>& counted,
                     const PlanReader::Take& take);
// A plan file held whole, point by point: metre, x and y together.
using PointTake =
    std::function<void(size_t metre, const PlanValue& x, const PlanValue& y)>;
Status WalkPlanPoints(std::string_view bytes, const PointTake& take);

// Replaces the plan file (only when `scrivi_linea`), the train file and the
// cell file as one: after a failure every old file is as it was.
Status WriteBinaryFiles(const Scenario& scenario, const FileNames& names,
                        FileSystem& files);

}  // namespace scenario

#endif  // MODEL_BINARY_FILES_H_
