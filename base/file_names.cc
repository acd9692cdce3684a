#include "base/file_names.h"

#include <algorithm>
#include <optional>
#include <set>

#include "base/platform.h"

namespace scenario {

std::string FolderOf(std::string_view path) {
  const size_t slash = path.find_last_of(kPathSeparators);
  if (slash == std::string_view::npos) return ".";
  return std::string(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
}

std::string FileNameOf(std::string_view path) {
  const size_t slash = path.find_last_of(kPathSeparators);
  return std::string(slash == std::string_view::npos ? path
                                                     : path.substr(slash + 1));
}

std::string NameBetween(std::string_view path, std::string_view prefix,
                        std::string_view suffix) {
  const size_t slash = path.find_last_of(kPathSeparators);
  const std::string_view name =
      path.substr(slash == std::string_view::npos ? 0 : slash + 1);
  if (name.size() <= prefix.size() + suffix.size() ||
      !name.starts_with(prefix) || !name.ends_with(suffix)) {
    return "";
  }
  return std::string(
      name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()));
}

std::string RouteNameOf(std::string_view route_path) {
  return NameBetween(route_path, "", kRouteSourceSuffix);
}

std::string TrainNumberOf(std::string_view train_path,
                          const std::string& route_name) {
  if (route_name.empty()) return "";
  return NameBetween(train_path, route_name + "_", kTrainSourceSuffix);
}

Identity IdentityOf(std::string_view route_path, std::string_view train_path,
                    Identity given) {
  if (given.route_name.empty()) given.route_name = RouteNameOf(route_path);
  if (given.train_number.empty()) {
    given.train_number = TrainNumberOf(train_path, given.route_name);
  }
  return given;
}

std::vector<Identity> PackagesIn(const std::vector<std::string>& names,
                                 const Identity& given) {
  std::set<std::string> present;
  for (const std::string& name : names) present.insert(FileNameOf(name));
  std::vector<Identity> found;
  for (const std::string& name : present) {
    const std::string stem = NameBetween(name, "", kTrainBankSuffix);
    if (stem.empty() || !present.count(stem + std::string(kCellsSuffix))) {
      continue;
    }
    // "<route>_<train>": a route name may hold "_" too. The split whose
    // route has its plan file beside it is the one; without a plan, the
    // train number is taken to hold none.
    std::optional<Identity> pick;
    for (size_t under = stem.rfind('_');
         under != std::string::npos && under > 0;
         under = stem.rfind('_', under - 1)) {
      Identity split{stem.substr(0, under), stem.substr(under + 1)};
      if (split.train_number.empty()) continue;
      const bool planned =
          present.count(split.route_name + std::string(kRoutePlanSuffix)) > 0;
      if (!pick || planned) pick = split;
      if (planned) break;
    }
    if (!pick) continue;
    if (!given.route_name.empty() && pick->route_name != given.route_name) {
      continue;
    }
    if (!given.train_number.empty() &&
        pick->train_number != given.train_number) {
      continue;
    }
    found.push_back(*pick);
  }
  return found;
}

bool SeveralPackages(const std::vector<std::string>& names,
                     const Identity& given) {
  return !given.complete() && PackagesIn(names, given).size() > 1;
}

Identity PackageIdentity(const std::vector<std::string>& names,
                         Identity given) {
  if (given.complete()) return given;
  const std::vector<Identity> found = PackagesIn(names, given);
  return found.size() == 1 ? found[0] : given;
}

namespace {

NameFault CheckName(std::string_view name) {
  if (name.empty()) return NameFault::kEmpty;
  if (name == "." || name == "..") return NameFault::kDots;
  for (char c : name) {
    if (c == kPathSeparator) return NameFault::kSeparator;
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      return NameFault::kControl;
    }
  }
  return NameFault::kNone;
}

}  // namespace

NameFault CheckForWindows(const Identity& identity, bool* is_route) {
  constexpr std::string_view kForbidden = "<>:\"\\|?*";
  for (const bool route : {true, false}) {
    const std::string& name =
        route ? identity.route_name : identity.train_number;
    *is_route = route;
    if (name.find_first_of(kForbidden) != std::string::npos ||
        name.ends_with('.') || name.ends_with(' ')) {
      return NameFault::kNotForWindows;
    }
  }
  return NameFault::kNone;
}

NameFault CheckIdentity(const Identity& identity, bool* is_route) {
  *is_route = true;
  NameFault fault = CheckName(identity.route_name);
  if (fault != NameFault::kNone) return fault;
  *is_route = false;
  fault = CheckName(identity.train_number);
  if (fault != NameFault::kNone) return fault;
  // The package's longest name: the plan's, or the bank's and the cells'.
  constexpr size_t kNameLimit = 255;
  const size_t longest =
      std::max(identity.route_name.size() + kRoutePlanSuffix.size(),
               identity.route_name.size() + 1 + identity.train_number.size() +
                   std::max(kTrainBankSuffix.size(), kCellsSuffix.size()));
  if (longest > kNameLimit) return NameFault::kTooLong;
  return kWindowsFileNames ? CheckForWindows(identity, is_route)
                           : NameFault::kNone;
}

std::string_view KindName(BinaryKind kind) {
  switch (kind) {
    case BinaryKind::kCells:
      return "cells";
    case BinaryKind::kTrainBank:
      return "train";
    case BinaryKind::kRoutePlan:
      return "plan";
    case BinaryKind::kUnknown:
      break;
  }
  return "";
}

BinaryKind KindOfFile(std::string_view path) {
  // The plan's suffix ends like the cells': test it first.
  if (path.ends_with(kRoutePlanSuffix)) return BinaryKind::kRoutePlan;
  if (path.ends_with(kTrainBankSuffix)) return BinaryKind::kTrainBank;
  if (path.ends_with(kCellsSuffix)) return BinaryKind::kCells;
  return BinaryKind::kUnknown;
}

}  // namespace scenario
