#include "tool/scenario_tool.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdlib>

#include "app/run.h"
#include "messages/messages.h"
#include "tool/compile_command.h"
#include "tool/dump_command.h"
#include "tool/plot_command.h"
#include "tool/voice.h"

namespace scenario {
namespace {

// The program's waiting window has no place in a tool: messages go to the
// error stream, nothing else is shown.
class ToolWindow : public Window {
 public:
  explicit ToolWindow(std::ostream& err) : err_(err) {}
  void ShowWaiting() override {}
  void ShowMessage(std::string_view message) override {
    Voice::Say(err_, std::string(message));
  }

 private:
  std::ostream& err_;
};

// `package`: the embedded scenario's package, as the program writes it.
int PackageCommand(const std::string& folder, Language language,
                   FileSystem& files, std::ostream& out, std::ostream& err) {
  Status status = files.CreateFolders(folder);
  const Voice voice{"package", language};
  if (!status.ok()) return voice.Fail(out, err, MessageFor(status, language));
  ToolWindow window(err);
  if (Run(window, files, folder) != kExitComplete) return kToolFailed;
  out << ToolText(ToolMessage::kPackageWritten, language, {folder}) << "\n";
  return kToolClean;
}

// Every command speaks Italian or English.
void AddLanguage(CLI::App* command, Language& language) {
  command
      ->add_option_function<std::string>(
          "--lang",
          [&language](const std::string& lang) {
            language = lang == "en" ? Language::kEnglish : Language::kItalian;
          },
          "language of the messages: it (default) or en")
      ->check(CLI::IsMember({"it", "en"}));
}

// The options every command that reports diagnostics takes.
void AddReportOptions(CLI::App* command, CompileOptions& o,
                      bool out_is_terminal) {
  AddLanguage(command, o.language);
  // Colour on a terminal unless NO_COLOR says otherwise; always or never
  // when asked.
  const char* no_color = std::getenv("NO_COLOR");
  o.color = out_is_terminal && (no_color == nullptr || *no_color == '\0');
  command
      ->add_option_function<std::string>(
          "--color",
          [&o](const std::string& when) {
            if (when != "auto") o.color = when == "always";
          },
          "colour the severities: auto (default), always or never")
      ->check(CLI::IsMember({"auto", "always", "never"}));
  command
      ->add_option_function<std::string>(
          "--format", [&o](const std::string& f) { o.json = f == "json"; },
          "text (default) or json")
      ->check(CLI::IsMember({"text", "json"}));
  command->add_flag("--Werror", o.warnings_fail, "make warnings fail");
}

void AddSourceOptions(CLI::App* command, CompileOptions& o,
                      bool out_is_terminal) {
  command->add_option("route", o.route, "the route text, <route>_linea.txt")
      ->required();
  command->add_option("train", o.train, "the train text, <route>_<train>-.txt")
      ->required();
  command->add_option("--route-name", o.route_name,
                      "route name, when the file name does not give it");
  command->add_option("--train-number", o.train_number,
                      "train number, when the file name does not give it");
  command->add_flag("--no-plan", o.no_plan,
                    "build no track plan and write no plan file");
  AddReportOptions(command, o, out_is_terminal);
}

constexpr const char* kCommands[] = {"compile", "check", "dump", "plot",
                                     "package"};

}  // namespace

int RunScenarioTool(const std::vector<std::string>& args, FileSystem& files,
                    std::ostream& out, std::ostream& err,
                    bool out_is_terminal) {
  // Before the command line is parsed, its language is the one asked for
  // anywhere on it.
  Language language = Language::kItalian;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--lang=en" ||
        (args[i] == "--lang" && i + 1 < args.size() && args[i + 1] == "en")) {
      language = Language::kEnglish;
    }
  }
  const Voice voice{"", language};
  if (args.size() < 2) {
    return voice.Fail(out, err, ToolText(ToolMessage::kNoCommand, language));
  }
  if (!args[1].starts_with("-") &&
      std::find(std::begin(kCommands), std::end(kCommands), args[1]) ==
          std::end(kCommands)) {
    return voice.Fail(
        out, err, ToolText(ToolMessage::kUnknownCommand, language, {args[1]}));
  }

  CLI::App app{"Compiles and checks train-simulator scenarios.",
               "scenario-tool"};
  app.set_version_flag("--version", kToolVersion);
  app.require_subcommand(1);

  CompileOptions compile;
  CLI::App* compile_command = app.add_subcommand(
      "compile", "compile a route and a train text into the binary files");
  AddSourceOptions(compile_command, compile, out_is_terminal);
  compile_command->add_option("-o,--output", compile.output,
                              "folder for the binary files (default: .)");

  CompileOptions check;
  check.write = false;
  CLI::App* check_command = app.add_subcommand(
      "check", "compile a route and a train text, writing nothing");
  AddSourceOptions(check_command, check, out_is_terminal);

  DumpOptions dump;
  CLI::App* dump_command =
      app.add_subcommand("dump", "decode a binary file of a package");
  dump_command->add_option("file", dump.file, "a .dat or .sim file")
      ->required();
  dump_command
      ->add_option("--kind", dump.kind,
                   "cells, train or plan (default: from the file name)")
      ->check(CLI::IsMember({"cells", "train", "plan"}));
  dump_command
      ->add_option("--format", dump.format, "text (default), json or csv")
      ->check(CLI::IsMember({"text", "json", "csv"}));
  AddLanguage(dump_command, dump.language);

  PlotOptions plot;
  CLI::App* plot_command = app.add_subcommand(
      "plot", "draw the plan, the profiles and the objects as one SVG");
  plot_command->add_option("route", plot.route, "the route text");
  plot_command->add_option("train", plot.train, "the train text");
  plot_command->add_option("--from", plot.from,
                           "a package's folder, instead of the texts");
  plot_command->add_option("-o,--output", plot.output, "the SVG file")
      ->required();
  plot_command->add_option("--route-name", plot.route_name,
                           "route name, when the file name does not give it");
  plot_command->add_option("--train-number", plot.train_number,
                           "train number, when the file name does not give it");
  AddLanguage(plot_command, plot.language);

  std::string package_folder = ".";
  CLI::App* package_command = app.add_subcommand(
      "package", "write the embedded scenario's whole package");
  package_command->add_option("-o,--output", package_folder,
                              "folder for the package (default: .)");
  Language package_language = Language::kItalian;
  AddLanguage(package_command, package_language);

  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, out, err);
    return status == 0 ? kToolClean : kToolFailed;
  }

  if (compile_command->parsed())
    return CompileCommand(compile, files, out, err);
  if (check_command->parsed()) return CompileCommand(check, files, out, err);
  if (dump_command->parsed()) return DumpCommand(dump, files, out, err);
  if (plot_command->parsed()) return PlotCommand(plot, files, out, err);
  return PackageCommand(package_folder, package_language, files, out, err);
}

}  // namespace scenario
