#include "tool/commands/new_command.h"

#include "base/exit_status.h"
#include "base/file_names.h"
#include "base/text_document.h"
#include "source/starter_texts.h"
#include "tool/common/voice.h"

namespace scenario {

int NewCommand(const NewOptions& options, FileSystem& files, std::ostream& out,
               std::ostream& err) {
  const Voice voice{"new", options.language};
  bool is_route = true;
  const NameFault fault =
      CheckIdentity({options.route_name, options.train_number}, &is_route);
  if (fault != NameFault::kNone) {
    return voice.Fail(out, err,
                      NameFaultText(fault, is_route, options.language));
  }
  const FileNames names(options.output, options.route_name,
                        options.train_number);
  const std::string route = names.RouteSource();
  const std::string train = names.TrainSource();
  for (const std::string& path : {route, train}) {
    if (files.Exists(path)) {
      return voice.Fail(
          out, err,
          ToolText(ToolMessage::kWouldReplace, options.language, {path}));
    }
  }
  const std::string route_text = EncodeTextDocument(StarterRouteLines());
  const std::string train_text = EncodeTextDocument(StarterTrainLines());
  Status status = files.CreateFolders(options.output);
  if (status.ok()) {
    status = files.ReplaceAll({{route, route_text}, {train, train_text}});
  }
  if (!status.ok()) {
    return voice.Fail(out, err, MessageFor(status, options.language));
  }
  out << ToolText(ToolMessage::kTextsWritten, options.language, {route, train})
      << "\n";
  return kExitSuccess;
}

}  // namespace scenario
