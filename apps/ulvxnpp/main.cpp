// SPDX-License-Identifier: MIT
// ulvxnpp: runs scripts of the Vuza Reduzodod command language, single formulas, or an
// interactive session.
#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#ifdef _WIN32
#include <io.h>
#define IS_TERMINAL(fd) _isatty(fd)
#else
#include <unistd.h>
#define IS_TERMINAL(fd) isatty(fd)
#endif

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "formula_names.h"
#include "morvane_version.h"
#include "program.h"

namespace {

// Every option with its help line; the help shows them in this order.
void AddOptions(CLI::App& app, ulvxnpp::ProgramOptions& o) {
  app.add_option("script", o.script, "script file to run; - for standard input; none on a terminal starts a session");
  app.add_flag("-i,--interactive", o.interactive,
               "start a session even when standard input is not a terminal (entries read from it)");
  app.add_option("-e,--expr", o.expr, "run TEXT as the script; a bare formula runs as Expr = TEXT (e.g. -e \"2*pi\")");
  app.add_option("-o,--output", o.output, "write the output to FILE, replacing it (e.g. -o result.ulv)")->expected(0, 1);
  app.add_option("-a,--append", o.append, "append the output to FILE, without header (e.g. -a log.ulv)")->expected(0, 1);
  app.add_flag("--no-header", o.noHeader, "leave out the header of comment lines");
  app.add_flag("-q,--quiet", o.quiet, "echo only the lines of commands that failed");
  app.add_flag("--json", o.json,
               "write one JSON object per script line on stdout (line, command, input, value, matrix or text, "
               "or error with code, message and its place in the line, and the line's output text)");
  app.add_flag("--bare", o.bare, "results without captions (\"6.2832\" instead of \"Number = 6.2832\")");
  app.add_option("--lines", o.lines, "run these line numbers only, e.g. --lines \"3;7\"");
  app.add_option("--line-offset", o.lineOffset, "added to the line numbers before --lines selects them");
  app.add_option("--decimals", o.decimals, "decimals of the classic numbers written (default 4), e.g. --decimals 6")
      ->check(CLI::Range(0, 15));
  app.add_option_function<std::string>(
         "--numbers", [&](const std::string& name) { o.formula.numbers = ulvxnpp::kNumbersNames.at(name); },
         "how numbers are held: classic (default) or double (IEEE doubles, 1e5 literals, every digit "
         "written), e.g. --numbers double")
      ->check(CLI::IsMember(ulvxnpp::kNumbersNames));
  app.add_option_function<std::string>(
         "--spelling", [&](const std::string& name) { o.formula.spelling = ulvxnpp::kSpellingNames.at(name); },
         "how formulas are spelled: classic (default) or programmer (min(3, 2), ==, &&, pow; true is 1), "
         "e.g. --spelling programmer")
      ->check(CLI::IsMember(ulvxnpp::kSpellingNames));
  app.add_option("--log", o.log, "write a log (default ulvCmds.log), e.g. --log run.log")->expected(0, 1);
  app.add_option("--save-plots", o.savePlots,
                 "save each plot as a JPEG picture in DIR (default: the current folder), e.g. --save-plots plots")
      ->expected(0, 1);
  app.add_option("--plot-format", o.plotFormat, "picture format of plots: png (default), svg or jpg")
      ->check(CLI::IsMember({"png", "svg", "jpg"}));
  app.add_flag("--reset", o.reset, "clear variables, functions and matrices first");
  app.add_flag("-v,--verbose", o.verbose, "print the run's messages on stderr");
  app.add_flag("--show-memory", o.showMemory, "print the variables, functions and matrices after the run");
  app.add_flag("--progress", o.progress, "draw a progress bar on stderr while the script runs (on a terminal)");
  app.add_option("--cmdline", o.cmdline, "hand STRING unchanged to the batch entry, e.g. --cmdline \"/i a.ulv /noh\"");
}

}  // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Scripts and outputs can be many megabytes. A fixed threshold keeps every large text in a
  // mapping of its own that goes back to the system when freed; the adaptive one would move
  // them into the heap after the first, where freed space stays with the process.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
  ulvxnpp::ProgramOptions o;
#ifdef _WIN32
  // On Windows the library's own "/" options are also taken directly: ulvxnpp /i a.ulv /o
  if (argc > 1 && argv[1][0] == '/') {
    std::string line;
    for (int i = 1; i < argc; ++i) line += std::string(i > 1 ? " " : "") + argv[i];
    o.cmdline = line;
    return ulvxnpp::Run(o, false);
  }
#endif
  CLI::App app{"Runs Vuza Reduzodod scripts (.ulv), single formulas, or an interactive session.\n"
               "Examples:\n"
               "  ulvxnpp examples/basics.ulv            run a script, output on stdout\n"
               "  ulvxnpp -e \"2*pi\"                      evaluate one formula\n"
               "  ulvxnpp -e \"sDiff(x) = x^2*sin(x)\"      run one command\n"
               "  ulvxnpp script.ulv -o result.ulv       write the output to a file\n"
               "  echo \"Expr = 1/3\" | ulvxnpp -           read the script from stdin\n"
               "  ulvxnpp --cmdline \"/i s.ulv /o /noh\"    the library's batch options as they stand\n"
               "  ulvxnpp                                a session on the terminal (:help, :quit)\n"
               "A Plot line writes its picture (ulvPlot_001.png, ...) into the current folder, or with\n"
               "--save-plots into DIR as JPEG.\n"
               "Exit status: 0 every command ran, 1 one or more failed, 2 usage error or unreadable input, "
               "130 stopped by Ctrl+C (the lines run so far are written, then a comment line).",
               "ulvxnpp"};
  AddOptions(app, o);
  app.set_version_flag("--version", std::string("ulvxnpp ") + morvane::kVersionTextNarrow);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return e.get_exit_code() == 0 ? code : ulvxnpp::kExitUsage;
  }
  return ulvxnpp::Run(o, IS_TERMINAL(0) != 0);
}
