// SPDX-License-Identifier: MIT
// ulvxnpp: the calculator on the command line.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/number_text.h"
#include "morvane.h"
#include "platform/utf8.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kHelp =
    "Usage: ulvxnpp [OPTIONS]\n"
    "Evaluates formulas of the Vuza Reduzodod engine.\n"
    "\n"
    "Options:\n"
    "  -e, --expr TEXT   evaluate the formula TEXT and print its value\n"
    "                    example: ulvxnpp -e \"2*pi\"      prints 6.2831853072\n"
    "                             ulvxnpp -e \"sum(1;2;3)\"  prints 6\n"
    "  -h, --help        show this help and exit\n"
    "      --version     show the version and exit\n"
    "\n"
    "Formulas use \";\" between arguments and \",\" or \".\" as the decimal point.\n"
    "Exit status: 0 when the formula evaluated, 1 when it failed, 2 for a usage error.\n";

void Print(std::FILE* stream, const std::u16string& text) {
  std::string utf8 = platform::ToUtf8(text) + "\n";
  std::fputs(utf8.c_str(), stream);
}

int Evaluate(std::string_view formulaUtf8) {
  std::u16string formula = platform::FromUtf8(formulaUtf8);
  double value = 0.0;
  int32_t code = e_eval(formula.c_str(), &value, 0);
  if (code != 0 && code != 1) {
    Print(stdout, u"===> ERROR n. = " + engine::ToU16(std::to_string(code)) + u": " +
                      GetE_ErrDescr(code, 0));
    return kExitFailed;
  }
  Print(stdout, StrD0(engine::FormatFixed(value).c_str()));
  return kExitOk;
}

int Usage(const char* problem) {
  std::fprintf(stderr, "ulvxnpp: %s\nTry 'ulvxnpp --help' for more information.\n", problem);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("no formula given");
  std::string_view option = argv[1];
  if (option == "-h" || option == "--help") {
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  if (option == "--version") {
    std::printf("ulvxnpp %s\n", MORVANE_VERSION);
    return kExitOk;
  }
  if (option == "-e" || option == "--expr") {
    if (argc != 3) return Usage("-e takes exactly one formula");
    return Evaluate(argv[2]);
  }
  if (option.starts_with("--expr=")) return Evaluate(option.substr(7));
  return Usage("unknown option");
}
