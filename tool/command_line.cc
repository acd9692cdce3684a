#include "tool/command_line.h"

#include <cstdlib>
#include <tuple>

#include "tool/common/version.h"

namespace scenario {
namespace {

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

// The names a scenario's files would give, for files named otherwise.
void AddIdentityOptions(CLI::App* command, std::string& route_name,
                        std::string& train_number) {
  command
      ->add_option("--route-name", route_name,
                   "route name, when the file names do not give it")
      ->type_name("NAME");
  command
      ->add_option("--train-number", train_number,
                   "train number, when the file names do not give it")
      ->type_name("NUMBER");
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
                      bool out_is_terminal, bool writes_plan = false) {
  command->add_option("route", o.route, "the route text, <route>_linea.txt")
      ->required();
  command->add_option("train", o.train, "the train text, <route>_<train>-.txt")
      ->required();
  AddIdentityOptions(command, o.route_name, o.train_number);
  command->add_flag_callback(
      "--no-plan", [&o] { o.scrivi_linea = false; },
      writes_plan ? "build no track plan and write no plan file"
                  : "build no track plan: the curve lines are passed over");
  AddReportOptions(command, o, out_is_terminal);
}

}  // namespace

void DefineCommandLine(CLI::App& app, ToolOptions& options,
                       bool out_is_terminal) {
  app.description("Compiles and checks train-simulator scenarios.");
  app.name("scenario-tool");
  app.set_version_flag("--version", kToolVersion);
  app.require_subcommand(1);
  options.check.write = false;
  options.watch.write = false;

  CLI::App* compile_command = app.add_subcommand(
      "compile", "compile a route and a train text into the binary files");
  AddSourceOptions(compile_command, options.compile, out_is_terminal,
                   /*writes_plan=*/true);
  compile_command
      ->add_option("-o,--output", options.compile.output,
                   "folder for the binary files (default: .)")
      ->type_name("DIR");
  compile_command->add_flag(
      "--write-on-error", options.compile.write_on_error,
      "write the files even when the texts have an error, as the simulator "
      "does");

  CLI::Option* with_documents =
      compile_command->add_flag("--documents", options.compile.documents,
                                "write the driver's documents too");
  compile_command
      ->add_option("--notes", options.compile.notes,
                   "with --documents, a text file of the author's notes for "
                   "the notes document")
      ->type_name("FILE")
      ->needs(with_documents);

  CompileOptions& documents = options.documents;
  documents.binary_files = false;
  documents.documents = true;
  CLI::App* documents_command = app.add_subcommand(
      "documents",
      "write the driver's documents of a route and a train text: the train "
      "card, the slow-order form and the notes");
  AddSourceOptions(documents_command, documents, out_is_terminal);
  documents_command
      ->add_option("-o,--output", documents.output,
                   "folder for the documents (default: .)")
      ->type_name("DIR");
  documents_command
      ->add_option("--notes", documents.notes,
                   "a text file of the author's notes for the notes document")
      ->type_name("FILE");

  CLI::App* check_command = app.add_subcommand(
      "check", "compile a route and a train text, writing nothing");
  AddSourceOptions(check_command, options.check, out_is_terminal);

  CLI::App* watch_command = app.add_subcommand(
      "watch",
      "check the texts (compile them, with -o) at start and on every save");
  AddSourceOptions(watch_command, options.watch, out_is_terminal,
                   /*writes_plan=*/true);
  watch_command
      ->add_option("-o,--output", options.watch.output,
                   "compile into this folder, instead of checking")
      ->type_name("DIR");
  watch_command->add_flag("--write-on-error", options.watch.write_on_error,
                          "with -o, write the files even when the texts have "
                          "an error");

  CLI::App* lsp_command = app.add_subcommand(
      "lsp", "serve the language server protocol on standard input and output");
  lsp_command
      ->add_option_function<std::string>(
          "--lang",
          [&options](const std::string& lang) {
            options.lsp_language =
                lang == "en" ? Language::kEnglish : Language::kItalian;
          },
          "language of the messages: it or en (default: the editor's, else "
          "it)")
      ->check(CLI::IsMember({"it", "en"}));

  DumpOptions& dump = options.dump;
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

  for (auto [name, description, o, output] :
       {std::tuple{"plot",
                   "draw the plan, the profiles and the objects as one SVG",
                   &options.plot, "the SVG file"},
        std::tuple{"report",
                   "show the whole scenario on one HTML page for a browser",
                   &options.report, "the HTML file"}}) {
    ViewOptions& plot = *o;
    CLI::App* command = app.add_subcommand(name, description);
    command->add_option("route", plot.route, "the route text");
    command->add_option("train", plot.train, "the train text");
    command
        ->add_option("--from", plot.from,
                     "a package's folder, instead of the texts")
        ->type_name("DIR");
    command->add_option("-o,--output", plot.output, output)
        ->required()
        ->type_name("FILE");
    AddIdentityOptions(command, plot.route_name, plot.train_number);
    AddLanguage(command, plot.language);
  }

  DecompileOptions& decompile = options.decompile;
  CLI::App* decompile_command = app.add_subcommand(
      "decompile", "write a package back as source texts that compile to it");
  decompile_command
      ->add_option("package", decompile.inputs,
                   "a package's folder, or its cell, train and plan files")
      ->required()
      ->expected(1, 3);
  decompile_command
      ->add_option("-o,--output", decompile.output,
                   "folder for the two texts (default: .)")
      ->type_name("DIR");
  AddIdentityOptions(decompile_command, decompile.route_name,
                     decompile.train_number);
  AddLanguage(decompile_command, decompile.language);

  NewOptions& texts = options.new_texts;
  CLI::App* new_command = app.add_subcommand(
      "new", "write a small route and train text to start from");
  new_command
      ->add_option("route_name", texts.route_name,
                   "the new route's name, as its files will carry it")
      ->required();
  new_command
      ->add_option("train_number", texts.train_number, "the new train's number")
      ->required();
  new_command
      ->add_option("-o,--output", texts.output,
                   "folder for the two texts (default: .)")
      ->type_name("DIR");
  new_command->add_flag(
      "--embedded", texts.embedded,
      "the embedded scenario's 67 km route and train, instead "
      "of a small one of 5 km and two stations");
  AddLanguage(new_command, texts.language);

  CLI::App* package_command = app.add_subcommand(
      "package", "write the embedded scenario's whole package");
  package_command
      ->add_option("-o,--output", options.package.folder,
                   "folder for the package (default: .)")
      ->type_name("DIR");
  AddLanguage(package_command, options.package.language);
}

}  // namespace scenario
