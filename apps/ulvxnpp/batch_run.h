// SPDX-License-Identifier: MIT
// One batch run of the library on behalf of the program: the batch options its own options
// stand for, the run, its output on the terminal and the exit status it means.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "program.h"
#include "script/line_record.h"

namespace ulvxnpp {

// Line by line, with the terminal's line ends: the output may be many megabytes.
void Print(std::FILE* stream, std::u16string_view text);

// A bare formula runs as "Expr = formula", as the editor does after its confirmation.
std::u16string AsScript(const std::u16string& text);

// The batch options (" /noh /dec:4 ...") that the program's options stand for.
std::u16string BatchOptions(const ProgramOptions& options);

// The batch option that hands the script text itself to the run.
std::u16string Selected(const std::u16string& script);

// What goes to standard output: the output text, nothing (it went to a file), or a JSON object
// per line.
enum class Delivery { Text, None, Json };

// One batch run; prints what the delivery asks for and hands the output text and the line
// records over where asked. Returns the exit status.
int RunBatch(const std::u16string& commandLine, Delivery delivery, bool verbose, std::u16string* text = nullptr,
             std::vector<script::LineRecord>* records = nullptr);

// The library's batch options as they stand; the output always goes to stdout.
int RunCommandLine(const std::u16string& commandLine, bool verbose);

}  // namespace ulvxnpp
