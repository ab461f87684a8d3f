// SPDX-License-Identifier: MIT
// What every function of the UTF-8 interface shares: reading the caller's text, turning the
// engine's errors into the caller's, and the catch-all around each body.
#pragma once

#include <new>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "morvane/api.h"

namespace exports::api {

// A failure on its way to the caller's morvane_error.
struct Failure {
  int code;
  std::string message;
  int position = -1;
  int byteOffset = -1;
};

// A caller's text, as given and as the engine reads it.
struct CallerText {
  std::string_view bytes;
  std::u16string text;
};

// Reads text as UTF-8; what names the argument in the failure for a null text.
CallerText Read(const char* text, std::string_view what);

// Reads a name a formula can use: a letter or "_", then letters, digits and "_".
CallerText ReadName(const char* name, std::string_view what);

[[noreturn]] void ThrowNull(std::string_view what);

// Fails with MORVANE_ERROR_NULL_ARGUMENT when pointer is null.
inline void Require(const void* pointer, std::string_view what) {
  if (pointer == nullptr) [[unlikely]] ThrowNull(what);
}

// The engine's error code, found at a place of the caller's text (in UTF-16 units).
Failure EngineFailure(std::int32_t code, std::u16string_view given, std::size_t place);
// The same without a place in any text.
Failure EngineFailure(std::int32_t code);

// The number text evaluates to on engine; a failure is placed in text as the caller wrote it.
double EvaluateNumber(engine::Engine& engine, std::u16string_view text);

// The context's text handed out: valid until its next call.
const char* HandOut(std::string& slot, std::u16string_view text);

void Fill(morvane_error* error, const Failure& failure);

// A success, told without building a failure to copy.
inline int Succeeded(morvane_error* error) noexcept {
  if (error != nullptr) {
    error->code = MORVANE_OK;
    error->position = -1;
    error->byte_offset = -1;
    error->message[0] = '\0';
  }
  return MORVANE_OK;
}

// Runs body, filling error with what it ends in. Nothing thrown leaves.
template <typename Body>
int Call(morvane_error* error, Body&& body) noexcept {
  try {
    try {
      body();
      return Succeeded(error);
    } catch (const Failure& failure) {
      Fill(error, failure);
      return failure.code;
    } catch (const std::bad_alloc&) {
      Fill(error, Failure{MORVANE_ERROR_OUT_OF_MEMORY, "Out of memory"});
      return MORVANE_ERROR_OUT_OF_MEMORY;
    }
  } catch (...) {
    Fill(error, Failure{MORVANE_ERROR_UNDEFINED, "Internal error"});
  }
  return MORVANE_ERROR_UNDEFINED;
}

}  // namespace exports::api
