// SPDX-License-Identifier: MIT
#include "json_lines.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "engine_core/error_table.h"
#include "platform/utf8.h"
#include "script/command_table.h"

namespace ulvxnpp {
namespace {

void AppendString(std::string& out, std::u16string_view text) {
  out += '"';
  for (const char c : platform::ToUtf8(text)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out += "\\u00";
          out += kHex[(c >> 4) & 0xF];
          out += kHex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

// The shortest digits that read back the same; JSON has no infinity or NaN: null.
void AppendNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char digits[32];
  const auto [end, failed] = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, failed == std::errc() ? end : digits);
}

class Object {
 public:
  explicit Object(std::string& out) : out_(out) { out_ += '{'; }
  ~Object() { out_ += '}'; }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  std::string& Key(std::string_view key) {
    if (!first_) out_ += ", ";
    first_ = false;
    out_ += '"';
    out_ += key;
    out_ += "\": ";
    return out_;
  }
  void Text(std::string_view key, std::u16string_view text) { AppendString(Key(key), text); }
  void Number(std::string_view key, double value) { AppendNumber(Key(key), value); }

 private:
  std::string& out_;
  bool first_ = true;
};

std::u16string_view NameKindText(script::NameKind kind) {
  switch (kind) {
    case script::NameKind::Variable: return u"variable";
    case script::NameKind::Function: return u"function";
    case script::NameKind::Constant: return u"constant";
    case script::NameKind::Matrix: return u"matrix";
    case script::NameKind::None: break;
  }
  return u"";
}

void AppendMatrix(std::string& out, const script::MatrixValue& matrix) {
  Object object(out);
  object.Number("rows", matrix.rows);
  object.Number("cols", matrix.cols);
  std::string& elements = object.Key("elements");
  elements += '[';
  for (std::size_t k = 0; k < matrix.elements.size(); ++k) {
    if (k != 0) elements += ", ";
    AppendNumber(elements, matrix.elements[k]);
  }
  elements += ']';
}

// The fields of a line that ran a command.
void AppendCommandLine(Object& line, const script::LineRecord& record, const script::TextStyle& style) {
  line.Text("command", record.command != nullptr ? record.command->name : std::u16string_view(record.word));
  line.Text("input", record.text);
  if (!record.name.empty()) {
    line.Text("name", record.name);
    if (record.nameKind != script::NameKind::None) line.Text("kind", NameKindText(record.nameKind));
  }
  if (record.failed()) {
    const script::LineFailure& failure = *record.failure;
    Object error(line.Key("error"));
    error.Number("code", failure.code);
    // Negative codes are the batch runner's, whose texts carry no module.
    error.Text("message", failure.code >= 0 ? engine::EvalErrorName(failure.code) : std::u16string_view(failure.message));
    if (failure.end > failure.begin) {
      error.Number("begin", static_cast<double>(failure.begin));
      error.Number("end", static_cast<double>(failure.end));
    }
    if (!failure.detail.empty()) error.Text("detail", failure.detail);
  } else {
    switch (record.value.kind) {
      case script::ValueKind::Number: line.Number("value", record.value.number); break;
      case script::ValueKind::Matrix: AppendMatrix(line.Key("matrix"), record.value.matrix); break;
      case script::ValueKind::Text: line.Text("text", record.value.text); break;
      case script::ValueKind::None: break;
    }
  }
  std::u16string output;
  script::AppendLineText(output, record, style);
  // With the line ends standard output has.
  std::u16string shown;
  for (const char16_t c : output)
    if (c != u'\r') shown += c;
  while (shown.ends_with(u'\n')) shown.pop_back();
  line.Text("output", shown);
}

}  // namespace

std::string JsonLine(const script::LineRecord& record, const script::TextStyle& style) {
  std::string out;
  {
    Object line(out);
    if (record.number > 0) line.Number("line", record.number);
    if (record.form == script::LineForm::Copied || record.form == script::LineForm::Note) line.Text("comment", record.text);
    else AppendCommandLine(line, record, style);
  }
  return out;
}

}  // namespace ulvxnpp
