// The language server in real editors, configured as the README says.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "compiler/compile_for_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// An editor's configuration in the README, as an author copies it: the
// first indented block after the paragraph that starts with `heading`,
// with the tool's path for its name in the server's `command`.
std::string ReadmeConfiguration(const std::string& heading,
                                const std::string& command) {
  std::ifstream readme(std::string(SCENARIO_SOURCE_DIR) + "/README.md");
  std::string config;
  bool in = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.starts_with(heading)) in = true;
    if (!in) continue;
    if (line.starts_with("    ")) {
      config += line.substr(4) + "\n";
    } else if (!config.empty()) {
      break;
    }
  }
  std::string with_path = command;
  const std::string name = "scenario-tool";
  with_path.replace(with_path.find(name), name.size(), SCENARIO_TOOL_PATH);
  const size_t at = config.find(command);
  if (at != std::string::npos) config.replace(at, command.size(), with_path);
  return config;
}

// A real editor: Neovim, headless, with the README's configuration and
// both texts open: one server, each diagnostic once, the train's refreshed
// when the route is mended and saved, and a quick fix applied.
TEST(EditorTest, NeovimWithTheReadmesConfiguration) {
  if (std::system("command -v nvim > /dev/null") != 0) {
    GTEST_SKIP() << "Neovim is not installed";
  }
  const std::string config =
      ReadmeConfiguration("Neovim (0.7 and later)", "{'scenario-tool', 'lsp'}");
  ASSERT_NE(config.find("start_client"), std::string::npos) << config;
  const fs::path folder = fs::temp_directory_path() /
                          ("scenario_nvim_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  // A route too short for the train's signal (code 15 in the train), with
  // a misspelt gradient line.
  std::ofstream(folder / "R_linea.txt")
      << RouteWithBody("pendnza, 100, 1\r\n", "5000");
  std::ofstream(folder / "R_7-.txt") << TrainWith(
      "velocita, 0, 80\r\nsegnale, 20000, 1,4,0,0,0,0,0,0,0,0\r\n");
  std::ofstream(folder / "init.lua") << config;
  const fs::path result = folder / "result.txt";
  std::ofstream(folder / "check.lua")
      << "local out = io.open('" << result.string() << "', 'w')\n"
      << "local route = vim.fn.bufnr('R_linea.txt')\n"
      << "local train = vim.fn.bufnr('R_7-.txt')\n"
      << "local function codes(buf)\n"
      << "  local list = {}\n"
      << "  for _, d in ipairs(vim.diagnostic.get(buf)) do\n"
      << "    table.insert(list, d.lnum .. ':' .. tostring(d.code))\n"
      << "  end\n"
      << "  table.sort(list)\n"
      << "  return table.concat(list, ' ')\n"
      << "end\n"
      << "vim.wait(10000, function() return #vim.diagnostic.get(train) > 0 "
         "and #vim.diagnostic.get(route) > 0 end, 50)\n"
      << "out:write('clients ', #vim.lsp.get_active_clients(), '\\n')\n"
      << "out:write('train ', codes(train), '\\n')\n"
      << "out:write('route ', codes(route), '\\n')\n"
      // The quick fix for the misspelt keyword.
      << "local params = {textDocument = {uri = vim.uri_from_bufnr(route)},\n"
      << "  range = {start = {line = 3, character = 0},\n"
      << "           ['end'] = {line = 3, character = 0}},\n"
      << "  context = {diagnostics = {}}}\n"
      << "local answers = vim.lsp.buf_request_sync(route, "
         "'textDocument/codeAction', params, 5000)\n"
      << "for _, answer in pairs(answers or {}) do\n"
      << "  for _, action in ipairs(answer.result or {}) do\n"
      << "    vim.lsp.util.apply_workspace_edit(action.edit, 'utf-8')\n"
      << "  end\n"
      << "end\n"
      << "out:write('fixed ', vim.api.nvim_buf_get_lines(route, 3, 4, "
         "false)[1], '\\n')\n"
      // The route made long enough, and saved: the train's 15 goes.
      << "vim.api.nvim_buf_set_lines(route, 1, 2, false, "
         "{'lunghezza percorso, 67000'})\n"
      << "vim.api.nvim_buf_call(route, function() vim.cmd('write') end)\n"
      << "vim.wait(10000, function() return #vim.diagnostic.get(train) == 0 "
         "end, 50)\n"
      << "out:write('train after ', codes(train), '\\n')\n"
      << "out:close()\n"
      << "vim.cmd('qa!')\n";
  const std::string command =
      "cd '" + folder.string() +
      "' && timeout 60 nvim --headless -n -u init.lua -c 'edit R_linea.txt' "
      "-c 'edit R_7-.txt' -c 'luafile check.lua' > /dev/null 2>&1";
  // What the editor found is in the result file, whatever its status.
  [[maybe_unused]] const int status = std::system(command.c_str());
  std::stringstream found;
  found << std::ifstream(result).rdbuf();
  EXPECT_EQ(found.str(),
            "clients 1\n"
            "train 2:15\n"
            "route 3:201\n"
            "fixed pendenza, 100, 1\n"
            "train after \n")
      << found.str();
  fs::remove_all(folder);
}

// Another: Emacs with eglot, in batch, with the README's configuration,
// gets the diagnostic at its line.
TEST(EditorTest, EmacsWithTheReadmesConfiguration) {
  if (std::system("emacs --batch --eval \"(require 'eglot)\" > /dev/null "
                  "2>&1") != 0) {
    GTEST_SKIP() << "Emacs with eglot is not installed";
  }
  const std::string config = ReadmeConfiguration("Emacs (eglot), in `init.el`",
                                                 "\"scenario-tool\" \"lsp\"");
  ASSERT_NE(config.find("eglot-server-programs"), std::string::npos) << config;
  const fs::path folder = fs::temp_directory_path() /
                          ("scenario_emacs_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "R_linea.txt") << RouteWithBody("");
  std::ofstream(folder / "R_7-.txt") << TrainWith(
      "stazione, 5475, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,0,0, "
      "A\r\n");
  std::ofstream(folder / "init.el") << config;
  // Flymake shows what eglot receives; in batch its timers are run by
  // hand while waiting.
  std::ofstream(folder / "check.el")
      << "(require 'eglot)\n(require 'flymake)\n"
      << "(find-file \"R_7-.txt\")\n"
      << "(apply #'eglot (eglot--guess-contact))\n"
      << "(with-timeout (30 nil)\n"
      << "  (while (null (flymake-diagnostics))\n"
      << "    (accept-process-output nil 0.1)\n"
      << "    (flymake-start)))\n"
      << "(let ((found (flymake-diagnostics)))\n"
      << "  (with-temp-file \"result.txt\"\n"
      << "    (dolist (d found)\n"
      << "      (insert (format \"%d %s\\n\"\n"
      << "        (with-current-buffer (flymake-diagnostic-buffer d)\n"
      << "          (line-number-at-pos (flymake-diagnostic-beg d)))\n"
      << "        (flymake-diagnostic-text d))))))\n"
      << "(kill-emacs 0)\n";
  const std::string command = "cd '" + folder.string() +
                              "' && timeout 60 emacs --batch -l init.el -l "
                              "check.el > /dev/null 2>&1";
  // What the editor found is in the result file, whatever its status.
  [[maybe_unused]] const int status = std::system(command.c_str());
  std::stringstream found;
  found << std::ifstream(folder / "result.txt").rdbuf();
  EXPECT_EQ(found.str(),
            "2 scenario-tool [8]: progressiva della stazione non multipla di "
            "50\n");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace scenario
