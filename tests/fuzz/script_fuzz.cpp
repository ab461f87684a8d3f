// SPDX-License-Identifier: MIT
// Fuzz target: any script text through the interpreter, against the process's one session.
// It must count its lines and stay usable for the next script.
#include <cstddef>
#include <cstdint>
#include <string>

#include "exports/session.h"
#include "engine/evaluator.h"
#include "script/interpreter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  exports::Session& session = exports::session();
  script::InterpreterState state;
  script::Context context{session.engine, session.diff, state};
  script::RunRequest request;
  const std::u16string text(data, data + size);
  request.text = text;
  request.quiet = (size & 1) != 0;
  script::RunScript(context, request);
  request.text = u"Expr = 1+1";
  if (script::RunScript(context, request).Code() != 1000) __builtin_trap();
  engine::ReSetEqParser(session.engine);
  return 0;
}
