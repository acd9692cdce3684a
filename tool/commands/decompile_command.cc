#include "tool/commands/decompile_command.h"

#include "base/exit_status.h"
#include "base/file_names.h"
#include "model/binary_files.h"
#include "tool/common/voice.h"
#include "tool/decompiler/decompiler.h"

namespace scenario {

int DecompileCommand(const DecompileOptions& options, FileSystem& files,
                     std::ostream& out, std::ostream& err) {
  const Voice voice{"decompile", options.language};
  const Language language = options.language;
  // The three files: named one by one, or found in the package's folder.
  std::string cells_path, bank_path, plan_path;
  Identity identity{options.route_name, options.train_number};
  if (options.inputs.size() == 1) {
    std::vector<std::string> names;
    Status status = files.List(options.inputs[0], &names);
    if (!status.ok()) return voice.Fail(out, err, MessageFor(status, language));
    if (SeveralPackages(names, identity)) {
      return voice.Fail(out, err,
                        ToolText(ToolMessage::kSeveralPackages, language,
                                 {options.inputs[0]}));
    }
    identity = PackageIdentity(names, identity);
    if (!identity.complete()) {
      return voice.Fail(
          out, err,
          ToolText(ToolMessage::kNoPackage, language, {options.inputs[0]}));
    }
    const FileNames package(options.inputs[0], identity.route_name,
                            identity.train_number);
    cells_path = package.Cells();
    bank_path = package.TrainBank();
    if (files.Exists(package.RoutePlan())) plan_path = package.RoutePlan();
  } else if (options.inputs.size() == 2 || options.inputs.size() == 3) {
    cells_path = options.inputs[0];
    bank_path = options.inputs[1];
    if (options.inputs.size() == 3) plan_path = options.inputs[2];
  } else {
    return voice.Fail(out, err,
                      ToolText(ToolMessage::kDecompileInputs, language));
  }
  PackageBytes package;
  for (auto [path, bytes] : {std::pair{&cells_path, &package.cells},
                             std::pair{&bank_path, &package.bank}}) {
    Status status = files.Read(*path, bytes, LargestFile(KindOfFile(*path)));
    if (!status.ok()) return voice.Fail(out, err, MessageFor(status, language));
  }
  if (!plan_path.empty()) {
    std::string plan;
    Status status = files.Read(plan_path, &plan, kLargestPlanFile);
    if (!status.ok()) return voice.Fail(out, err, MessageFor(status, language));
    package.plan = std::move(plan);
  }
  // Names not given nor found in file names come from the record bank.
  std::array<Voce, kVoci> voci;
  if (!identity.complete() && DecodeRecords(package.bank, &voci).ok()) {
    if (identity.route_name.empty())
      identity.route_name = voci[kRouteSlot].nome;
    if (identity.train_number.empty()) {
      identity.train_number = voci[kExtraSlot].nome;
    }
  }
  bool is_route = true;
  if (const NameFault fault = CheckIdentity(identity, &is_route);
      fault != NameFault::kNone) {
    return voice.Fail(out, err,
                      NameFaultText(fault, identity, is_route, language));
  }
  package.route_name = identity.route_name;
  package.train_number = identity.train_number;

  const Decompiled texts = Decompile(package, language);
  if (!texts.damaged.ok()) {
    const std::string& path = texts.damaged_file == "cells"   ? cells_path
                              : texts.damaged_file == "train" ? bank_path
                                                              : plan_path;
    return voice.Fail(out, err,
                      DamagedFileText(texts.damaged.WithPath(path),
                                      texts.damaged_file, language));
  }
  const FileNames names(options.output, identity.route_name,
                        identity.train_number);
  for (const std::string& path : {names.RouteSource(), names.TrainSource()}) {
    if (files.Exists(path)) {
      return voice.Fail(out, err,
                        ToolText(ToolMessage::kWouldReplace, language, {path}));
    }
  }
  Status status = files.CreateFolders(options.output);
  if (status.ok()) {
    status = files.ReplaceAll({{names.RouteSource(), texts.route_text},
                               {names.TrainSource(), texts.train_text}});
  }
  if (!status.ok()) return voice.Fail(out, err, MessageFor(status, language));
  for (const Mismatch& m : texts.mismatches) {
    Voice::Say(err, ToolText(ToolMessage::kRoundTripFails, language,
                             {m.file, m.where, m.expected, m.found}));
  }
  out << ToolText(ToolMessage::kTextsWritten, language,
                  {names.RouteSource(), names.TrainSource()})
      << "\n";
  return texts.mismatches.empty() ? kExitSuccess : kExitError;
}

}  // namespace scenario
