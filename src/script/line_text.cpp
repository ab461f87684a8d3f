// SPDX-License-Identifier: MIT
#include "script/line_text.h"

#include <cmath>
#include <initializer_list>

#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace script {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

struct Captions {
  std::u16string_view number = u"Number =";
  std::u16string_view vector = u"Vector: ";
  std::u16string_view matrix = u"Matrix: ";
  std::u16string_view result = u" Result => ";
  std::u16string_view stored = u" Stored => ";
};

constexpr Captions kCaptions;
constexpr Captions kBareCaptions{u"", u"", u"", u"", u""};

// The parts joined with one allocation: a script of a million lines renders a million of these.
std::u16string Concat(std::initializer_list<std::u16string_view> parts) {
  std::size_t size = 0;
  for (const std::u16string_view part : parts) size += part.size();
  std::u16string out;
  out.reserve(size);
  for (const std::u16string_view part : parts) out += part;
  return out;
}

std::u16string Upper(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = engine::UpperAscii(c);
  return out;
}

std::u16string Digits(std::int64_t value, int base) {
  if (value == 0) return u"0";
  auto magnitude = static_cast<std::uint64_t>(value);  // two's complement for negatives
  std::u16string digits;
  while (magnitude != 0) {
    digits.insert(digits.begin(), u"0123456789ABCDEF"[magnitude % static_cast<std::uint64_t>(base)]);
    magnitude /= static_cast<std::uint64_t>(base);
  }
  return digits;
}

std::int64_t Rounded(double value) {
  if (!(std::fabs(value) < 9.2e18)) return 0;
  return std::llround(value);
}

// The text of a record, in its parts: the echo of the line after "Ln N", the caption before
// the result and the result.
class Writer {
 public:
  Writer(const LineRecord& record, const TextStyle& style)
      : r_(record), style_(style), captions_(style.bare ? kBareCaptions : kCaptions) {}

  std::u16string Number(double value) const { return NumberText(value, style_); }

  std::u16string Failure() const { return u"===> " + FailureText(*r_.failure); }

  // "Number = 3.0000", or a failure.
  std::u16string NumberResult() const {
    return r_.failed() ? Failure() : Concat({captions_.number, u" ", Number(r_.value.number)});
  }

  std::u16string_view MatrixCaption() const {
    return r_.value.matrix.cols >= 2 ? captions_.matrix : captions_.vector;
  }

  std::u16string MatrixListing() const {
    return std::u16string(MatrixCaption()) + u"\r\n" + ElementListing(r_.value.matrix, style_);
  }

  // A stored matrix as its definition reads: "[A]; rows; cols;" and every element.
  std::u16string MatrixDefinition() const {
    const MatrixValue& m = r_.value.matrix;
    std::u16string text = std::u16string(MatrixCaption()) + r_.name + u"; " + engine::IntegerText(m.rows) + u"; " +
                          engine::IntegerText(m.cols) + u";";
    for (const double element : m.elements) text += engine::ValueText(style_.numbers, element) + u"; ";
    return text;
  }

  // Show's listing of a matrix: "mA(i,j)=" (or "vE(i)=") and a tab for each element.
  std::u16string MatrixElements() const {
    const MatrixValue& m = r_.value.matrix;
    std::u16string text = std::u16string(MatrixCaption()) + r_.name + u"\r\n";
    for (std::int32_t i = 0; i < m.rows; ++i) {
      for (std::int32_t k = 0; k < m.cols; ++k) {
        const std::u16string label = m.cols == 1   ? u"vE(" + engine::IntegerText(i) + u")="
                                     : m.rows == 1 ? u"vE(" + engine::IntegerText(k) + u")="
                                                   : u"mA(" + engine::IntegerText(i) + u"," + engine::IntegerText(k) + u")=";
        text += label + Number(m.elements[static_cast<std::size_t>(i) * static_cast<std::size_t>(m.cols) + static_cast<std::size_t>(k)]) + u"\t";
      }
      text += kLineEnd;
    }
    return text;
  }

  std::u16string FormulaResult() const {
    if (r_.failed()) return Failure();
    if (r_.value.kind == ValueKind::Matrix) return MatrixListing();
    const std::u16string number(captions_.number);
    if (r_.word == u"hex") return number + u" &" + Digits(Rounded(r_.value.number), 16);
    if (r_.word == u"bin") return number + u" !" + Digits(Rounded(r_.value.number), 2);
    return NumberResult();
  }

  std::u16string StoredResult() const {
    if (r_.failed()) return Failure();
    if (r_.value.kind == ValueKind::Matrix) return MatrixDefinition();
    return Concat({u"Number ", r_.name, u" = ", Number(r_.value.number)});
  }

  std::u16string ShownResult() const {
    if (r_.failed()) return Failure();
    switch (r_.nameKind) {
      case NameKind::Function: return u"Function " + r_.name + u" = " + r_.value.text;
      case NameKind::Constant: return u"Constant " + r_.name + u" = " + Number(r_.value.number);
      case NameKind::Matrix: return MatrixElements();
      case NameKind::Variable:
      case NameKind::None: break;
    }
    return u"Number " + r_.name + u" = " + Number(r_.value.number);
  }

  // The echo of the line after "Ln N", its caption and its result, for the forms written as
  // those three parts.
  struct Parts {
    std::u16string echo;
    std::u16string caption;
    std::u16string result;
  };

  Parts Split() const {
    const std::u16string& argument = r_.argument;
    switch (r_.form) {
      case LineForm::Formula:
        return {Concat({u": ", Upper(r_.word), u" = ", argument, u": ", r_.fileNote}), std::u16string(captions_.result),
                FormulaResult()};
      case LineForm::Stored:
        return {Concat({u": Expression = ", argument, u": "}), std::u16string(captions_.stored), StoredResult()};
      case LineForm::Integral:
        return {u": iFunction = " + argument + u": " + r_.fileNote,
                u" Integral iFunction(" + engine::IntegerText(Rounded(r_.interval[0])) + u"," +
                    engine::IntegerText(Rounded(r_.interval[1])) + u") => ",
                NumberResult()};
      case LineForm::Derivative:
        return {u": f(" + r_.brackets + u") = " + argument + u":", u"f'(" + r_.brackets + u") => ",
                r_.failed() ? Failure() : r_.value.text};
      case LineForm::PolynomialDerivative:
        return {u": Polyn = " + argument + u":", u" Derivate of Polyn => ", r_.value.text};
      case LineForm::PolynomialRoot:
        return {u": Polyn = " + argument + u":", u" Solution Polyn => ", NumberResult()};
      case LineForm::Unknown:
        return {u": Expression = :", std::u16string(captions_.result), Failure()};
      case LineForm::Definition:
        return {u": Expression = " + argument + u": " + r_.fileNote, std::u16string(captions_.result),
                r_.failed() ? Failure() : u""};
      case LineForm::Copied:
      case LineForm::Note:
      case LineForm::Shown:
      case LineForm::Plot:
      case LineForm::ElementOrder: break;
    }
    return {};
  }

  void Append(std::u16string& out) const {
    const std::u16string number = engine::IntegerText(r_.number);
    const bool echoed = !style_.quiet || r_.failed();
    switch (r_.form) {
      case LineForm::Copied:
      case LineForm::Note:
        out += r_.text;
        out += kLineEnd;
        return;
      case LineForm::Definition:
        if (!r_.failed()) return;
        break;
      case LineForm::Shown:
        if (echoed) out += u"Ln " + number + u": Show(" + r_.brackets + u")";
        out += u" => " + ShownResult() + u"\r\n\r\n";
        return;
      case LineForm::ElementOrder:
        if (echoed) out += u"Ln " + number + u": aElemOrderEx = " + r_.value.text + u"\r\n\r\n";
        return;
      case LineForm::Plot:
        if (echoed) out += u"Ln " + number + u": Plot = " + r_.text + u":\r\n";
        out += u" FileName => " + r_.value.text + u"\r\n";
        if (r_.failed()) out += Failure() + u" - Plot: " + r_.failure->detail + u"\r\n";
        out += kLineEnd;
        return;
      default: break;
    }
    const Parts parts = Split();
    if (echoed) {
      out += u"Ln ";
      out += number;
      out += parts.echo;
      out += kLineEnd;
    }
    out += parts.caption;
    out += parts.result;
    out += u"\r\n\r\n";
  }

  // What a note shows: the result with its caption, as the output has it after the echo.
  std::u16string Answer() const {
    if (r_.failed()) {
      std::u16string text = FailureText(*r_.failure);
      if (!r_.failure->detail.empty()) text += u" - Plot: " + r_.failure->detail;
      return text;
    }
    switch (r_.form) {
      case LineForm::Copied:
      case LineForm::Note: return r_.text;
      case LineForm::Definition:
        return r_.nameKind == NameKind::Variable ? u"Number " + r_.name + u" = " + Number(r_.value.number) : u"";
      case LineForm::Shown: return ShownResult();
      case LineForm::ElementOrder: return u"aElemOrderEx = " + r_.value.text;
      case LineForm::Plot: return r_.value.text;
      default: break;
    }
    const Parts parts = Split();
    return parts.caption + parts.result;
  }

 private:
  const LineRecord& r_;
  const TextStyle& style_;
  const Captions& captions_;
};

// Lines joined by " | ", tabs and line ends as blanks, runs of blanks as one.
std::u16string OneLine(std::u16string_view text) {
  std::u16string out;
  while (!text.empty()) {
    const std::size_t end = text.find(u'\n');
    const std::u16string_view line = engine::Trim(text.substr(0, end));
    text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
    if (line.empty()) continue;
    if (!out.empty()) out += u" | ";
    for (const char16_t c : line) {
      const char16_t shown = c == u'\t' || c == u'\r' ? u' ' : c;
      if (shown != u' ' || (!out.empty() && out.back() != u' ')) out += shown;
    }
    while (!out.empty() && out.back() == u' ') out.pop_back();
  }
  return out;
}

}  // namespace

std::u16string NumberText(double value, const TextStyle& style) {
  // Double numbers are written with every digit they need to read back, whatever the decimals.
  if (style.numbers == engine::Numbers::Double) return engine::ValueText(style.numbers, value);
  return engine::FormatFixed(value, style.decimals);
}

std::u16string ElementListing(const MatrixValue& m, const TextStyle& style) {
  std::u16string text;
  const auto rows = static_cast<std::size_t>(std::max(m.rows, 0));
  const auto cols = static_cast<std::size_t>(std::max(m.cols, 0));
  if (rows == 1 || cols == 1) {
    for (std::size_t i = 0; i < m.elements.size(); ++i) {
      if (i != 0) text += kLineEnd;
      text += u"V(" + engine::IntegerText(i) + u")=" + NumberText(m.elements[i], style);
    }
    return text;
  }
  for (std::size_t i = 0; i < rows; ++i) {
    if (i != 0) text += kLineEnd;
    for (std::size_t j = 0; j < cols; ++j)
      text += u"A(" + engine::IntegerText(i) + u"," + engine::IntegerText(j) + u")=" +
              NumberText(m.elements[i * cols + j], style) + u"\t";
  }
  return text;
}

void AppendLineText(std::u16string& out, const LineRecord& record, const TextStyle& style) {
  Writer(record, style).Append(out);
}

std::u16string NoteText(const LineRecord& record, const TextStyle& style, std::size_t maxChars) {
  std::u16string text = OneLine(Writer(record, style).Answer());
  if (text.size() > maxChars) text = text.substr(0, maxChars - 3) + u"...";
  return text;
}

std::u16string FailureText(const LineFailure& failure) {
  return u"ERROR n. = " + engine::IntegerText(failure.code) + u": " + failure.message;
}

}  // namespace script
