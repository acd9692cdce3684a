#include "tool/manuals/manual.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "messages/messages.h"
#include "tool/common/version.h"

namespace scenario {
namespace {

// One option or argument of a command, as the documents need it.
struct OptionDoc {
  std::vector<std::string> names;  // "-o", "--output"; empty: an argument
  std::string argument;            // what an argument or value stands for
  std::string description;
  std::vector<std::string> choices;  // the values allowed, when listed
  bool takes_value = false;
  bool is_folder = false;  // a folder, for completion
  bool is_path = false;    // a file or folder, for completion
};

// The option that reads a package's folder in place of the two texts.
constexpr std::string_view kPackageForm = "--from";

struct CommandDoc {
  std::string name;
  std::string description;
  std::vector<OptionDoc> options;
};

// The values an option allows, from its membership check ("{it,en}").
std::vector<std::string> Choices(CLI::Option* option) {
  std::vector<std::string> choices;
  try {
    std::string listed = option->get_validator()->get_description();
    if (listed.size() < 2 || listed.front() != '{') return choices;
    std::stringstream items(listed.substr(1, listed.size() - 2));
    for (std::string item; std::getline(items, item, ',');) {
      choices.push_back(item);
    }
  } catch (const CLI::OptionNotFound&) {
  }
  return choices;
}

std::vector<CommandDoc> Commands(CLI::App& app) {
  std::vector<CommandDoc> commands;
  for (CLI::App* command : app.get_subcommands({})) {
    CommandDoc doc{command->get_name(), command->get_description(), {}};
    for (CLI::Option* option : command->get_options({})) {
      OptionDoc o;
      for (const std::string& s : option->get_snames())
        o.names.push_back("-" + s);
      for (const std::string& l : option->get_lnames())
        o.names.push_back("--" + l);
      o.description = option->get_description();
      o.takes_value = option->get_items_expected_max() > 0;
      o.choices = Choices(option);
      if (option->get_positional()) {
        o.argument = option->get_name(true);
        for (char& c : o.argument) c = static_cast<char>(std::toupper(c));
      } else if (o.takes_value) {
        o.argument = option->get_type_name();
      }
      o.is_folder = o.argument == "DIR";
      o.is_path =
          o.is_folder || option->get_positional() || o.argument == "FILE";
      doc.options.push_back(o);
    }
    commands.push_back(doc);
  }
  return commands;
}

// Text as roff reads it: backslashes and hyphens kept, no line taken for
// a request.
std::string Roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out.front() == '.' || out.front() == '\'')) {
    out.insert(0, "\\&");
  }
  return out;
}

std::string Joined(const std::vector<std::string>& items, const char* glue) {
  std::string joined;
  for (const std::string& item : items) {
    joined += (joined.empty() ? "" : glue) + item;
  }
  return joined;
}

std::string OptionValue(const OptionDoc& o) {
  if (!o.choices.empty()) return Joined(o.choices, "|");
  return o.argument;
}

// Words for a shell's single-quoted string.
std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

constexpr const char* kDescription =
    "scenario-tool compiles the route and train source texts of a "
    "train-simulator scenario into the simulator's three binary files "
    "(cells, record bank, track plan), byte for byte as scenario-writer "
    "writes its own. It reads the two texts, never changes or deletes "
    "them, and reports every fault of both in one run, in the form "
    "FILE:LINE:COLUMN: severity code: message. It also decodes, draws and "
    "writes packages. Every command speaks Italian (the default) or English "
    "(--lang en).";

}  // namespace

std::string ToolManualPage(CLI::App& app) {
  const std::vector<CommandDoc> commands = Commands(app);
  std::ostringstream m;
  m << ".TH SCENARIO-TOOL 1 \"" << SCENARIO_RELEASE_DATE << "\" \""
    << Roff(kToolVersion) << "\" \"User Commands\"\n"
    << ".SH NAME\n"
    << "scenario\\-tool \\- compile, check, decode and draw train-simulator "
       "scenarios\n"
    << ".SH SYNOPSIS\n";
  for (const CommandDoc& c : commands) {
    // A command that reads a package's folder instead of the texts has
    // two forms, each on its line: the texts, or --from and no texts.
    const bool two_forms =
        std::any_of(c.options.begin(), c.options.end(), [](const OptionDoc& o) {
          return !o.names.empty() && o.names.back() == kPackageForm;
        });
    for (const bool from_package : {false, true}) {
      if (from_package && !two_forms) continue;
      m << "\\fBscenario\\-tool " << Roff(c.name) << "\\fR";
      for (const OptionDoc& o : c.options) {
        const bool package_form =
            !o.names.empty() && o.names.back() == kPackageForm;
        if (o.names.empty()) {
          if (!from_package) m << " \\fI" << Roff(o.argument) << "\\fR";
        } else if (package_form) {
          if (from_package) {
            m << " \\fB" << Roff(o.names.back()) << "\\fR \\fI"
              << Roff(OptionValue(o)) << "\\fR";
          }
        } else if (o.names.back() != "--help") {
          m << " [\\fB" << Roff(o.names.back()) << "\\fR"
            << (o.takes_value ? " \\fI" + Roff(OptionValue(o)) + "\\fR" : "")
            << "]";
        }
      }
      m << "\n.br\n";
    }
  }
  m << "\\fBscenario\\-tool\\fR [\\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR]\n"
    << ".SH DESCRIPTION\n"
    << Roff(kDescription) << "\n"
    << ".PP\nThe route name and the train number come from the file names "
       "when they follow the usual pattern, "
       "\\fIroute\\fR_linea.txt and \\fIroute\\fR_\\fItrain\\fR\\-.txt; "
       "otherwise give \\-\\-route\\-name and \\-\\-train\\-number.\n"
    << ".SH COMMANDS\n";
  for (const CommandDoc& c : commands) {
    m << ".SS " << Roff(c.name) << "\n" << Roff(c.description) << ".\n";
    for (const OptionDoc& o : c.options) {
      m << ".TP\n";
      if (o.names.empty()) {
        m << ".I " << Roff(o.argument) << "\n";
      } else {
        std::vector<std::string> names;
        for (const std::string& n : o.names) names.push_back(Roff(n));
        m << ".B " << Joined(names, ", ")
          << (o.takes_value ? " \\fI" + Roff(OptionValue(o)) + "\\fR" : "")
          << "\n";
      }
      m << Roff(o.description) << "\n";
    }
  }
  m << ".SH EXIT STATUS\n"
    << ".TP\n.B 0\nno diagnostic code (notes and, without \\-\\-Werror, "
       "warnings allowed)\n"
    << ".TP\n.B 1\na diagnostic code, a warning under \\-\\-Werror, or a "
       "compile that leaves nothing to write\n"
    << ".TP\n.B 2\na usage error, a file that cannot be read or written, "
       "standard output that cannot be written, or memory exhausted\n"
    << ".TP\n.B 130\nwatch ended by Ctrl\\-C\n"
    << ".SH DIAGNOSTICS\n"
    << "Codes below 200 and from 1250 are errors: they stop the reading of "
       "their text. The codes from 201 are warnings and those from 301 "
       "notes; they never change the compiled bytes.\n";
  for (const CodeSummary& s : CodeSummaries(Language::kEnglish)) {
    m << ".TP\n.B " << s.code << "\n"
      << Roff(SeverityWord(s.severity, Language::kEnglish) + ": " + s.meaning)
      << "\n";
  }
  m << ".SH ENVIRONMENT\n"
    << ".TP\n.B NO_COLOR\nwhen set and not empty, no colour on a terminal "
       "unless \\-\\-color always\n"
    << ".SH EXAMPLES\n"
    << ".nf\nscenario\\-tool check Collina_linea.txt Collina_101\\-.txt\n"
    << "scenario\\-tool compile Collina_linea.txt Collina_101\\-.txt "
       "\\-o pacchetto \\-\\-lang en\n"
    << "scenario\\-tool dump pacchetto/Collina_101.dat \\-\\-format csv\n"
    << "scenario\\-tool plot \\-\\-from pacchetto \\-o collina.svg\n.fi\n"
    << ".SH SEE ALSO\n"
    << ".BR scenario\\-writer (1)\n";
  return m.str();
}

std::string ToolCompletion(CLI::App& app, Shell shell) {
  const std::vector<CommandDoc> commands = Commands(app);
  std::ostringstream s;
  switch (shell) {
    case Shell::kBash: {
      std::vector<std::string> names;
      for (const CommandDoc& c : commands) names.push_back(c.name);
      s << "# bash completion for scenario-tool\n"
        << "_scenario_tool() {\n"
        << "  local cur=${COMP_WORDS[COMP_CWORD]} "
           "prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        // --lang=en: bash splits at "=" unless told otherwise, and either
        // way the value is completed as after --lang.
        << "  if [[ $prev == = ]]; then\n"
        << "    prev=${COMP_WORDS[COMP_CWORD-2]}\n"
        << "  elif [[ $cur == --*=* ]]; then\n"
        << "    prev=${cur%%=*} cur=${cur#*=}\n"
        << "  fi\n"
        // One reply a line: a file name with a blank stays whole.
        << "  if ((COMP_CWORD == 1)); then\n"
        << "    mapfile -t COMPREPLY < <(compgen -W '" << Joined(names, " ")
        << " --help --version' -- \"$cur\")\n"
        << "    return\n  fi\n"
        << "  case \"${COMP_WORDS[1]}\" in\n";
      for (const CommandDoc& c : commands) {
        std::vector<std::string> flags;
        s << "    " << c.name << ")\n      case \"$prev\" in\n";
        for (const OptionDoc& o : c.options) {
          if (o.names.empty()) continue;
          for (const std::string& n : o.names) flags.push_back(n);
          if (!o.takes_value) continue;
          s << "        " << Joined(o.names, "|") << ")\n          ";
          if (!o.choices.empty()) {
            s << "mapfile -t COMPREPLY < <(compgen -W '"
              << Joined(o.choices, " ") << "' -- \"$cur\")";
          } else if (o.is_path) {
            s << "mapfile -t COMPREPLY < <(compgen "
              << (o.is_folder ? "-d" : "-f") << " -- \"$cur\")";
          } else {
            s << "COMPREPLY=()";
          }
          s << "\n          return\n          ;;\n";
        }
        s << "      esac\n"
          << "      if [[ $cur == -* ]]; then\n"
          << "        mapfile -t COMPREPLY < <(compgen -W '"
          << Joined(flags, " ") << "' -- \"$cur\")\n"
          << "      else\n"
          << "        mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
          << "      fi\n      ;;\n";
      }
      s << "  esac\n}\n"
        << "complete -o filenames -F _scenario_tool scenario-tool\n";
      break;
    }
    case Shell::kZsh: {
      s << "#compdef scenario-tool\n"
        << "_scenario-tool() {\n"
        << "  local -a commands\n"
        << "  commands=(\n";
      for (const CommandDoc& c : commands) {
        s << "    " << Quoted(c.name + ":" + c.description) << "\n";
      }
      s << "  )\n"
        << "  if ((CURRENT == 2)); then\n"
        << "    _describe 'command' commands\n    return\n  fi\n"
        << "  case $words[2] in\n";
      for (const CommandDoc& c : commands) {
        // The command's own words, as if it stood alone.
        s << "    " << c.name << ")\n      shift words\n      ((CURRENT--))\n"
          << "      _arguments";
        for (const OptionDoc& o : c.options) {
          std::string action = !o.choices.empty()
                                   ? "(" + Joined(o.choices, " ") + ")"
                               : o.is_folder ? "_files -/"
                               : o.is_path   ? "_files"
                                             : " ";
          // Brackets and colons mean something to _arguments: escaped,
          // the description keeps them.
          std::string description;
          for (char ch : o.description) {
            if (ch == '[' || ch == ']' || ch == ':') description += '\\';
            description += ch;
          }
          if (o.names.empty()) {
            s << " \\\n        " << Quoted(":" + o.argument + ":" + action);
            continue;
          }
          for (const std::string& n : o.names) {
            s << " \\\n        "
              << Quoted(n + "[" + description + "]" +
                        (o.takes_value ? ":" + OptionValue(o) + ":" + action
                                       : ""));
          }
        }
        s << "\n      ;;\n";
      }
      s << "  esac\n}\n_scenario-tool \"$@\"\n";
      break;
    }
    case Shell::kFish: {
      s << "# fish completion for scenario-tool\n"
        << "complete -c scenario-tool -f\n";
      for (const CommandDoc& c : commands) {
        s << "complete -c scenario-tool -n __fish_use_subcommand -a " << c.name
          << " -d " << Quoted(c.description) << "\n";
        for (const OptionDoc& o : c.options) {
          if (o.names.empty()) {
            s << "complete -c scenario-tool -n "
              << Quoted("__fish_seen_subcommand_from " + c.name) << " -F\n";
            continue;
          }
          s << "complete -c scenario-tool -n "
            << Quoted("__fish_seen_subcommand_from " + c.name);
          for (const std::string& n : o.names) {
            s << (n.starts_with("--") ? " -l " + n.substr(2)
                                      : " -s " + n.substr(1));
          }
          if (!o.choices.empty()) {
            s << " -x -a " << Quoted(Joined(o.choices, " "));
          } else if (o.is_path) {
            s << " -r -F";
          } else if (o.takes_value) {
            s << " -x";
          }
          s << " -d " << Quoted(o.description) << "\n";
        }
      }
      break;
    }
  }
  return s.str();
}

}  // namespace scenario
