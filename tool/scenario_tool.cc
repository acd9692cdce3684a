#include "tool/scenario_tool.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "base/exit_status.h"
#include "base/platform.h"
#include "base/spelling.h"
#include "messages/messages.h"
#include "tool/command_line.h"
#include "tool/commands/check_command.h"
#include "tool/commands/compile_command.h"
#include "tool/commands/decompile_command.h"
#include "tool/commands/dump_command.h"
#include "tool/commands/package_command.h"
#include "tool/commands/view_command.h"
#include "tool/commands/watch_command.h"
#include "tool/common/voice.h"
#include "tool/language_server/language_server.h"

namespace scenario {

namespace {

// A fault CLI11 found, from what its message names: which argument is
// missing, which value is not allowed, which arguments are too many.
std::string CommandLineFault(const CLI::ParseError& e,
                             const std::string& commands, Language language) {
  const std::string what = e.what();
  const auto after = [&](std::string_view mark) {
    const size_t at = what.find(mark);
    return at == std::string::npos ? std::string()
                                   : what.substr(at + mark.size());
  };
  if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
    if (what.find("subcommand") != std::string::npos) {
      return ToolText(ToolMessage::kNoCommand, language, {commands});
    }
    constexpr std::string_view kRequired = " is required";
    if (what.ends_with(kRequired)) {
      return ToolText(ToolMessage::kMissingArgument, language,
                      {what.substr(0, what.size() - kRequired.size())});
    }
  }
  if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr) {
    // "--lang: de not in {it,en}"
    const size_t colon = what.find(": ");
    const size_t not_in = what.find(" not in ");
    if (colon != std::string::npos && not_in != std::string::npos &&
        colon < not_in) {
      return ToolText(
          ToolMessage::kValueNotAllowed, language,
          {what.substr(0, colon), what.substr(colon + 2, not_in - colon - 2),
           after(" not in ")});
    }
  }
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
    const std::string extras = after(": ");
    if (!extras.empty()) {
      return ToolText(ToolMessage::kUnexpectedArguments, language, {extras});
    }
  }
  return ToolText(ToolMessage::kBadCommandLine, language, {what});
}

}  // namespace

Language LanguageAsked(const std::vector<std::string>& args) {
  Language language = Language::kItalian;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--lang=en" ||
        (args[i] == "--lang" && i + 1 < args.size() && args[i + 1] == "en")) {
      language = Language::kEnglish;
    }
  }
  return language;
}

int RunScenarioTool(const std::vector<std::string>& args, FileSystem& files,
                    std::ostream& out, std::ostream& err,
                    bool out_is_terminal) {
  const Language language = LanguageAsked(args);
  const Voice voice{"", language};
  CLI::App app;
  ToolOptions options;
  DefineCommandLine(app, options, out_is_terminal);
  std::string names;
  for (const CLI::App* command : app.get_subcommands({})) {
    names += (names.empty() ? "" : ", ") + command->get_name();
  }
  if (args.size() < 2) {
    return voice.Fail(out, err,
                      ToolText(ToolMessage::kNoCommand, language, {names}));
  }
  const auto commands = app.get_subcommands({});
  if (!args[1].starts_with("-") &&
      std::none_of(commands.begin(), commands.end(), [&](const CLI::App* c) {
        return c->get_name() == args[1];
      })) {
    std::vector<std::string_view> spellings;
    for (const CLI::App* command : commands) {
      spellings.push_back(command->get_name());
    }
    const std::string_view meant = ClosestSpelling(args[1], spellings);
    return voice.Fail(
        out, err,
        meant.empty()
            ? ToolText(ToolMessage::kUnknownCommand, language, {args[1], names})
            : ToolText(ToolMessage::kUnknownCommandNear, language,
                       {args[1], std::string(meant)}));
  }

  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    // Help and the version are CLI11's to print; its errors are ours to
    // word, in the language asked.
    if (e.get_exit_code() == 0) {
      (void)app.exit(e, out, err);
      return kExitSuccess;
    }
    std::string command = "scenario-tool";
    for (const CLI::App* parsed : app.get_subcommands()) {
      command += " " + parsed->get_name();
    }
    Voice::Say(err, CommandLineFault(e, names, language));
    // No command at all is told with the commands and help already.
    if (!app.get_subcommands().empty()) {
      Voice::Say(err, ToolText(ToolMessage::kSeeHelp, language, {command}));
    }
    return kExitFailure;
  }

  const std::string command = app.get_subcommands().front()->get_name();
  if (command == "compile") {
    return CompileCommand(options.compile, files, out, err);
  }
  if (command == "documents") {
    return CompileCommand(options.documents, files, out, err);
  }
  if (command == "check") return CheckCommand(options.check, files, out, err);
  if (command == "dump") return DumpCommand(options.dump, files, out, err);
  if (command == "plot") return PlotCommand(options.plot, files, out, err);
  if (command == "new") return NewCommand(options.new_texts, files, out, err);
  if (command == "watch") {
    CompileOptions watch = options.watch;
    watch.write = app.get_subcommand("watch")->count("--output") > 0;
    return WatchCommand(watch, files, out, err);
  }
  if (command == "lsp") {
    UseBinaryStandardStreams();
    return ServeLanguageProtocol(std::cin, out, files, options.lsp_language);
  }
  if (command == "decompile") {
    return DecompileCommand(options.decompile, files, out, err);
  }
  if (command == "report") {
    return ReportCommand(options.report, files, out, err);
  }
  return PackageCommand(options.package, files, out, err);
}

}  // namespace scenario
