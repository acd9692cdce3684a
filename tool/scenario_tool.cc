#include "tool/scenario_tool.h"

#include <CLI/CLI.hpp>

#include "tool/compile_command.h"

namespace scenario {
namespace {

constexpr std::string_view kRouteSuffix = "_linea.txt";
constexpr std::string_view kTrainSuffix = "-.txt";

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The options every command that reports diagnostics takes.
void AddReportOptions(CLI::App* command, CompileOptions& o) {
  command
      ->add_option_function<std::string>(
          "--lang",
          [&o](const std::string& lang) {
            o.language = lang == "en" ? Language::kEnglish : Language::kItalian;
          },
          "language of the messages: it (default) or en")
      ->check(CLI::IsMember({"it", "en"}));
  command
      ->add_option_function<std::string>(
          "--format", [&o](const std::string& f) { o.json = f == "json"; },
          "text (default) or json")
      ->check(CLI::IsMember({"text", "json"}));
  command->add_flag("--Werror", o.warnings_fail, "make warnings fail");
}

void AddSourceOptions(CLI::App* command, CompileOptions& o) {
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
  AddReportOptions(command, o);
}

}  // namespace

std::string RouteNameOf(const std::string& route_path) {
  const std::string name = BaseName(route_path);
  if (name.size() <= kRouteSuffix.size() || !name.ends_with(kRouteSuffix)) {
    return "";
  }
  return name.substr(0, name.size() - kRouteSuffix.size());
}

std::string TrainNumberOf(const std::string& train_path,
                          const std::string& route_name) {
  const std::string name = BaseName(train_path);
  const std::string prefix = route_name + "_";
  if (route_name.empty() || !name.starts_with(prefix) ||
      !name.ends_with(kTrainSuffix) ||
      name.size() <= prefix.size() + kTrainSuffix.size()) {
    return "";
  }
  return name.substr(prefix.size(),
                     name.size() - prefix.size() - kTrainSuffix.size());
}

int RunScenarioTool(const std::vector<std::string>& args, FileSystem& files,
                    std::ostream& out, std::ostream& err) {
  CLI::App app{"Compiles and checks train-simulator scenarios.",
               "scenario-tool"};
  app.set_version_flag("--version", kToolVersion);
  app.require_subcommand(1);

  CompileOptions compile;
  CLI::App* compile_command = app.add_subcommand(
      "compile", "compile a route and a train text into the binary files");
  AddSourceOptions(compile_command, compile);
  compile_command->add_option("-o,--output", compile.output,
                              "folder for the binary files (default: .)");

  CompileOptions check;
  check.write = false;
  CLI::App* check_command = app.add_subcommand(
      "check", "compile a route and a train text, writing nothing");
  AddSourceOptions(check_command, check);

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
  return CompileCommand(check, files, out, err);
}

}  // namespace scenario
