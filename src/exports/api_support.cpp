// SPDX-License-Identifier: MIT
#include "exports/api_support.h"

#include <algorithm>
#include <cstring>

#include "engine/evaluator.h"
#include "engine_core/error_table.h"
#include "engine_core/text_util.h"
#include "platform/utf8.h"

namespace exports::api {
namespace {

// The characters (code points) and bytes of text before its UTF-16 unit `units`.
struct Place {
  int characters = 0;
  int bytes = 0;
};

Place PlaceOf(std::u16string_view text, std::size_t units) {
  Place place;
  for (std::size_t i = 0; i < std::min(units, text.size()); ++i) {
    const char16_t c = text[i];
    if (c >= 0xDC00 && c <= 0xDFFF) {  // the second half of a pair: four bytes in all
      place.bytes += 1;
      continue;
    }
    ++place.characters;
    place.bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
  }
  return place;
}

std::string Description(std::int32_t code) { return platform::ToUtf8(engine::EvalErrorName(code)); }

}  // namespace

void ThrowNull(std::string_view what) {
  throw Failure{MORVANE_ERROR_NULL_ARGUMENT, std::string(what) + " is null"};
}

CallerText Read(const char* text, std::string_view what) {
  Require(text, what);
  CallerText read{std::string_view(text), {}};
  std::size_t invalidAt = 0;
  std::optional<std::u16string> decoded = platform::FromUtf8Strict(read.bytes, invalidAt);
  if (!decoded) {
    const Place place = PlaceOf(platform::FromUtf8(read.bytes.substr(0, invalidAt)), std::u16string::npos);
    throw Failure{MORVANE_ERROR_INVALID_UTF8, std::string(what) + " is not UTF-8", place.characters,
                  static_cast<int>(invalidAt)};
  }
  read.text = std::move(*decoded);
  return read;
}

CallerText ReadName(const char* name, std::string_view what) {
  CallerText read = Read(name, what);
  const std::u16string_view text = engine::Trim(read.text);
  const bool usable = !text.empty() && (engine::IsAsciiLetter(text.front()) || text.front() == u'_') &&
                      std::ranges::all_of(text, engine::IsNameChar);
  if (!usable)
    throw Failure{MORVANE_ERROR_INVALID_ARGUMENT,
                  "'" + std::string(read.bytes) + "' is not a name: a letter or _ and then letters, digits or _"};
  read.text = text;
  return read;
}

Failure EngineFailure(std::int32_t code) {
  return Failure{engine::kEvalBase + code, Description(code)};
}

Failure EngineFailure(std::int32_t code, std::u16string_view given, std::size_t place) {
  Failure failure = EngineFailure(code);
  place = std::min(place, given.size());
  // An unknown name is named, as a function where a bracket follows it and as a variable
  // otherwise.
  using engine::EvalError;
  if (code == Code(EvalError::UndefinedFunction) || code == Code(EvalError::UndefinedVariable) ||
      code == Code(EvalError::UndefinedCustomFunction) || code == Code(EvalError::UndefinedConstant)) {
    std::size_t end = place < given.size() && given[place] == u'#' ? place + 1 : place;
    while (end < given.size() && engine::IsNameChar(given[end])) ++end;
    if (end > place) {
      const std::string name = "'" + platform::ToUtf8(given.substr(place, end - place)) + "'";
      std::size_t next = end;
      while (next < given.size() && (given[next] == u' ' || given[next] == u'\t')) ++next;
      const bool called = next < given.size() && given[next] == u'(';
      if (code == Code(EvalError::UndefinedFunction) && !called)
        failure = Failure{engine::kEvalBase + Code(EvalError::UndefinedVariable), "Unknown variable " + name};
      else if (code == Code(EvalError::UndefinedFunction))
        failure.message = "Unknown function " + name;
      else
        failure.message += " " + name;
    }
  }
  const Place at = PlaceOf(given, place);
  failure.position = at.characters;
  failure.byteOffset = at.bytes;
  return failure;
}

double EvaluateNumber(engine::Engine& engine, std::u16string_view text) {
  engine.core.state.Clear();
  double result = 0.0;
  const std::int32_t type = engine::e_eval(engine, text, &result, false);
  const engine::EvalState& s = engine.core.state;
  if (!s.ok()) {
    const std::size_t place = engine::PlaceInGiven(engine, text, engine.core.cursor.failurePlace());
    throw EngineFailure(s.e_error, text, place);
  }
  if (type == engine::kMatrix) throw Failure{MORVANE_ERROR_NOT_A_NUMBER, "The result is a matrix"};
  return result;
}

const char* HandOut(std::string& slot, std::u16string_view text) {
  slot = platform::ToUtf8(text);
  return slot.c_str();
}

void Fill(morvane_error* error, const Failure& failure) {
  if (error == nullptr) return;
  error->code = failure.code;
  error->position = failure.position;
  error->byte_offset = failure.byteOffset;
  // Shortened to the room, never inside a character.
  std::size_t length = std::min(failure.message.size(), sizeof error->message - 1);
  while (length > 0 && length < failure.message.size() &&
         (static_cast<unsigned char>(failure.message[length]) & 0xC0) == 0x80)
    --length;
  std::memcpy(error->message, failure.message.data(), length);
  error->message[length] = '\0';
}

}  // namespace exports::api
