#ifndef BASE_FILE_NAMES_H_
#define BASE_FILE_NAMES_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace scenario {

inline constexpr char kPathSeparator = '/';
// How messages name the standard output, where tools write their results.
inline constexpr char kStandardOutput[] = "<stdout>";

// The fixed ends of the file names. A route's files carry its name before
// the suffix; a train's files carry "<route>_<train>" before it.
inline constexpr std::string_view kRouteSourceSuffix = "_linea.txt";
inline constexpr std::string_view kTrainSourceSuffix = "-.txt";
inline constexpr std::string_view kNotesSuffix = "_note.txt";
inline constexpr std::string_view kSlowOrdersSuffix = "_rallentamenti.txt";
inline constexpr std::string_view kTrainCardSuffix = "_scheda_treno.txt";
inline constexpr std::string_view kRoutePlanSuffix = "_linea.dat";
inline constexpr std::string_view kTrainBankSuffix = ".sim";
inline constexpr std::string_view kCellsSuffix = ".dat";

// Every file of a scenario lives in one folder, under a name made of the
// route name, the train number and a fixed suffix. Names are used verbatim,
// without any clean-up of their characters.
class FileNames {
 public:
  FileNames(std::string folder, std::string route_name,
            std::string train_number)
      : folder_(std::move(folder)),
        route_name_(std::move(route_name)),
        train_number_(std::move(train_number)) {}

  const std::string& folder() const { return folder_; }
  const std::string& route_name() const { return route_name_; }
  const std::string& train_number() const { return train_number_; }

  // Source texts, read back and deleted by the compile.
  std::string RouteSource() const { return Route(kRouteSourceSuffix); }
  std::string TrainSource() const { return Train(kTrainSourceSuffix); }
  // Documents for the driver.
  std::string Notes() const { return Train(kNotesSuffix); }
  std::string SlowOrders() const { return Train(kSlowOrdersSuffix); }
  std::string TrainCard() const { return Train(kTrainCardSuffix); }
  // Binary files for the simulator.
  std::string RoutePlan() const { return Route(kRoutePlanSuffix); }
  std::string TrainBank() const { return Train(kTrainBankSuffix); }
  std::string Cells() const { return Train(kCellsSuffix); }

 private:
  std::string Route(std::string_view suffix) const {
    return folder_ + kPathSeparator + route_name_ + std::string(suffix);
  }
  std::string Train(std::string_view suffix) const {
    return folder_ + kPathSeparator + route_name_ + "_" + train_number_ +
           std::string(suffix);
  }

  std::string folder_;
  std::string route_name_;
  std::string train_number_;
};

// Reading the names back, for tools given an author's files.

// A path's folder ("." for a bare name) and its last part.
std::string FolderOf(std::string_view path);
std::string FileNameOf(std::string_view path);

// What stands in a file's name (its path's last part) between `prefix`
// and `suffix`; "" when the name lacks either or nothing stands between.
std::string NameBetween(std::string_view path, std::string_view prefix,
                        std::string_view suffix);

// The route name of "<route>_linea.txt" and the train number of
// "<route>_<train>-.txt"; "" when the file name does not follow the pattern.
std::string RouteNameOf(std::string_view route_path);
std::string TrainNumberOf(std::string_view train_path,
                          const std::string& route_name);

// The route name and train number of a scenario.
struct Identity {
  std::string route_name;
  std::string train_number;
  bool complete() const { return !route_name.empty() && !train_number.empty(); }
};

// The identity of a pair of source texts: as given, or else from their
// file names ("" where neither tells).
Identity IdentityOf(std::string_view route_path, std::string_view train_path,
                    Identity given);

// The packages among the names of a folder's files that agree with what
// `given` names: each a record bank "<route>_<train>.sim" beside its cells
// file "<route>_<train>.dat"; the plan file is not needed, but tells where
// a route name holding "_" ends.
std::vector<Identity> PackagesIn(const std::vector<std::string>& names,
                                 const Identity& given);
// The one package of a folder: `given` when it names both, else the only
// package the names hold; `given` as it is when there is none or several.
Identity PackageIdentity(const std::vector<std::string>& names, Identity given);
// True when the names hold more than one package that `given` leaves open:
// which one is meant must then be said.
bool SeveralPackages(const std::vector<std::string>& names,
                     const Identity& given);

// What makes a route name or train number unfit to name files: each must
// stay a part of one file name in its folder.
enum class NameFault {
  kNone,
  kEmpty,
  kSeparator,  // a "/": the file would land in another folder
  kDots,       // "." or "..", which name folders
  kControl,    // a control character
  kTooLong,    // a package's file name made of them passes 255 bytes
  // A character Windows forbids in a file name (< > : " \ | ? *), or a
  // trailing dot or blank: refused where file names are Windows', else
  // only warned of, as the package cannot be copied there.
  kNotForWindows,
};
NameFault CheckIdentity(const Identity& identity, bool* is_route);
// kNotForWindows when a name would not do as a Windows file name, on any
// platform; else kNone.
NameFault CheckForWindows(const Identity& identity, bool* is_route);

// The three binary files of a package, told apart by their names.
enum class BinaryKind { kUnknown, kCells, kTrainBank, kRoutePlan };
BinaryKind KindOfFile(std::string_view path);
// The word tools use for a kind: "cells", "train", "plan"; "" for none.
std::string_view KindName(BinaryKind kind);

}  // namespace scenario

#endif  // BASE_FILE_NAMES_H_
