// SPDX-License-Identifier: MIT
#include "matrix/matrix_store.h"

#include <algorithm>
#include <charconv>
#include <new>

#include "engine_core/core.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "matrix/matrix_print.h"

namespace matrix {
namespace {

using engine::Core;
using engine::EvalError;
using engine::ToU16;


std::u16string AddrText(const double* addr) { return engine::IntegerText(reinterpret_cast<std::intptr_t>(addr)); }

// The decimal address a key names, or 0 when the key is not a plain decimal number.
std::intptr_t KeyAddress(std::u16string_view key) {
  std::string narrow = engine::ToNarrowLossy(key);
  long long value = 0;
  auto [end, ec] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (ec != std::errc() || end != narrow.data() + narrow.size()) return 0;
  return static_cast<std::intptr_t>(value);
}

std::int32_t AtLeastOne(std::int32_t n) { return n < 1 ? 1 : n; }

// A matrix text or its fields refused: reported, written to the debug log, and the code.
std::intptr_t Refuse(Core& core, EvalError code, const engine::ReportSite& site, const std::u16string& detail) {
  core.state.Fail(code);
  engine::ReportEvalError(core, site, detail);
  engine::DebugAdd(core, detail, u"EqParser: Error", false);
  return core.state.e_error;
}

// Copies elements into a record's memory. The library's own memory is row-major already;
// callers' memory is read in their element order.
void CopyInto(const MatrixStore& store, const double* source, bool sourceIsLibrarys,
              double* destination, std::int32_t rows, std::int32_t cols) {
  if (source == destination || source == nullptr || destination == nullptr) return;
  if (sourceIsLibrarys) {
    std::copy_n(source, ElementCount(rows, cols), destination);
  } else {
    aCopyArray(store.elementOrder, source, destination, rows, cols);
  }
}

template <typename Remove>
std::int32_t RemoveRecords(Core& core, MatrixStore& store, Remove remove) {
  const bool tracing = engine::DebugOn(core.log);
  std::int32_t removed = 0;
  auto kept = std::remove_if(store.records.begin(), store.records.end(), [&](const MatrixRecord& r) {
    const bool gone = remove(r);
    if (tracing) {
      engine::DebugAdd(core,
                       u"arrList() = " + r.Name +
                           (gone ? (r.Internal ? u"   internal - deleted" : u"   deleted")
                                 : u" (" + AddrText(r.Addr) + u")   kept"),
                       u"ClearMatrixList", false);
    }
    removed += gone ? 1 : 0;
    return gone;
  });
  store.records.erase(kept, store.records.end());
  return removed;
}

}  // namespace

std::shared_ptr<double[]> NewElements(std::size_t count) {
  if (count == 0) count = 1;
  try {
    return std::shared_ptr<double[]>(new double[count]());
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::intptr_t FindMatrix(Core& core, MatrixStore& store, std::u16string_view key,
                         std::int32_t flags, std::int32_t* rows, std::int32_t* cols, bool report) {
  core.state.e_error = 0;
  const std::u16string wanted = engine::ToLower(engine::Trim(key));
  const bool byAddr = (flags & kFindByAddr) != 0;
  const std::intptr_t wantedAddr = byAddr ? KeyAddress(wanted) : 0;
  for (std::size_t position = 0; position < store.records.size(); ++position) {
    const MatrixRecord& record = store.records[position];
    const bool match = byAddr ? wantedAddr != 0 && reinterpret_cast<std::intptr_t>(record.Addr) == wantedAddr
                              : (flags & kFindByName) != 0 && record.Name == wanted;
    if (!match) continue;
    if (rows != nullptr) *rows = record.rows;
    if (cols != nullptr) *cols = record.cols;
    core.state.Clear();
    if (flags & kFindReturnAddr) return reinterpret_cast<std::intptr_t>(record.Addr);
    if (flags & kFindReturnPosition) return static_cast<std::intptr_t>(position);
    return 0;
  }
  core.state.Fail(EvalError::MatrixNotFound);
  if (report) engine::ReportEvalError(core, engine::site::kMatrixNotFound, u"MatrName = " + wanted);
  return 0;
}

MatrixRecord* RecordAt(MatrixStore& store, const double* addr) {
  auto it = std::ranges::find(store.records, addr, &MatrixRecord::Addr);
  return it == store.records.end() ? nullptr : &*it;
}

std::u16string InternalName(const double* addr) { return u"m_" + AddrText(addr); }

double* AddInternalMatrix(Core& core, MatrixStore& store, std::shared_ptr<double[]> memory,
                          std::int32_t rows, std::int32_t cols) {
  MatrixRecord record;
  record.Addr = memory.get();
  record.Name = InternalName(record.Addr);
  record.Internal = core.state.evaluating;
  record.rows = AtLeastOne(rows);
  record.cols = AtLeastOne(cols);
  record.index = static_cast<std::int32_t>(store.records.size());
  record.vector = record.rows == 1 || record.cols == 1 ? -1 : 0;
  record.owned = std::move(memory);
  store.records.push_back(std::move(record));
  return store.records.back().Addr;
}

std::intptr_t SetMatrix(Core& core, MatrixStore& store, std::u16string_view name, double* addr,
                        std::int32_t rows, std::int32_t cols, bool returnAddr,
                        std::shared_ptr<double[]> owned) {
  rows = AtLeastOne(rows);
  cols = AtLeastOne(cols);
  const std::int8_t vector = rows == 1 || cols == 1 ? -1 : 0;
  const std::intptr_t position = FindMatrix(core, store, name, kFindByName | kFindReturnPosition,
                                            nullptr, nullptr, false);
  std::intptr_t result = 0;
  if (!core.state.ok()) {
    MatrixRecord record;
    // Stored trimmed: lookups trim their keys, so a name kept with its blanks could never be
    // found again and every later set would add another record.
    record.Name = engine::ToLower(engine::Trim(name));
    record.Addr = addr;
    record.Internal = core.state.evaluating;
    record.rows = rows;
    record.cols = cols;
    record.index = static_cast<std::int32_t>(store.records.size());
    record.vector = vector;
    record.owned = std::move(owned);
    store.records.push_back(std::move(record));
    const MatrixRecord& added = store.records.back();
    result = returnAddr ? reinterpret_cast<std::intptr_t>(added.Addr) : added.index;
  } else {
    MatrixRecord& record = store.records[static_cast<std::size_t>(position)];
    if (record.rows != rows || record.cols != cols) {
      record.rows = rows;
      record.cols = cols;
      record.vector = vector;
      record.Addr = addr;
      record.owned = std::move(owned);
      result = returnAddr ? reinterpret_cast<std::intptr_t>(record.Addr) : record.index;
    } else {
      CopyInto(store, addr, owned != nullptr, record.Addr, rows, cols);
      result = position;
    }
  }
  core.state.Clear();
  return result;
}

std::int32_t ClearMatrixList(Core& core, MatrixStore& store, std::intptr_t keep) {
  const std::int32_t removed =
      keep == 0 ? RemoveRecords(core, store, [](const MatrixRecord&) { return true; })
                : ClearInternalMatrices(core, store, keep);
  core.state.Clear();
  return removed;
}

std::int32_t ClearInternalMatrices(Core& core, MatrixStore& store, std::intptr_t keep) {
  return RemoveRecords(core, store, [keep](const MatrixRecord& r) {
    return r.Internal != 0 && reinterpret_cast<std::intptr_t>(r.Addr) != keep;
  });
}

std::intptr_t SetFieldMatrix(Core& core, MatrixStore& store, const std::u16string& name, std::int32_t rows,
                             std::int32_t cols, std::span<const std::u16string_view> elements, bool returnAddr,
                             const ElementReader& readElement) {
  if (name.empty() || (rows == 0 && cols == 0) || rows < 0 || cols < 0)
    return Refuse(core, EvalError::WrongStringMatrix, engine::site::kMatrixTextHeader,
                u"MatrixName = " + name + u"\r\nrows = " + engine::IntegerText(rows) + u", cols = " + engine::IntegerText(cols));

  // Every element needs its own field, so the fields bound the size before anything is allocated.
  const std::int32_t r = AtLeastOne(rows);
  const std::int32_t c = AtLeastOne(cols);
  const auto wanted = static_cast<std::uint64_t>(r) * static_cast<std::uint64_t>(c);
  const std::size_t available = elements.size();
  // With too few fields the first missing one is reported; nothing is allocated.
  const std::size_t count = wanted <= available ? static_cast<std::size_t>(wanted) : available + 1;
  std::shared_ptr<double[]> memory = wanted <= available ? NewElements(count) : nullptr;
  for (std::size_t k = 0; k < count; ++k) {
    const std::u16string_view element = k < available ? engine::Trim(elements[k]) : std::u16string_view();
    if (element.empty() || memory == nullptr) {
      if (memory == nullptr && !element.empty()) continue;
      return Refuse(core, EvalError::NotEnoughElements, engine::site::kMatrixTextElements,
                  u"Should be: " + engine::IntegerText(static_cast<std::int64_t>(wanted)) + u", are: " +
                      engine::IntegerText(static_cast<std::int64_t>(k)) +
                      u"\r\nMatrixName = " + name + u"\r\nrow = " +
                      engine::IntegerText(static_cast<std::int64_t>(k / static_cast<std::size_t>(c) + 1)) +
                      u", col = " + engine::IntegerText(static_cast<std::int64_t>(k % static_cast<std::size_t>(c) + 1)) +
                      u"\r\nvalue = '" + std::u16string(element) + u"'\r\n");
    }
    if (!readElement(element, memory.get()[k])) return core.state.e_error;
  }
  double* addr = memory.get();
  return SetMatrix(core, store, name, addr, rows, cols, returnAddr, std::move(memory));
}

std::intptr_t SetStrMatrix(Core& core, MatrixStore& store, std::u16string_view text,
                           bool returnAddr, const ElementReader& readElement) {
  if (text.empty()) return Refuse(core, EvalError::InvalidArgument, engine::site::kMatrixTextEmpty, u"Function Param = \r\n");
  std::u16string_view rest = engine::Trim(text);
  std::vector<std::u16string_view> fields;
  while (!rest.empty()) {
    std::size_t semicolon = rest.find(u';');
    fields.push_back(rest.substr(0, semicolon));
    rest = semicolon == std::u16string_view::npos ? std::u16string_view() : rest.substr(semicolon + 1);
  }
  auto field = [&](std::size_t i) { return i < fields.size() ? engine::Trim(fields[i]) : std::u16string_view(); };
  const std::int32_t rows = engine::TruncToInt32(engine::ParseDecimal(field(1)));
  const std::int32_t cols = engine::TruncToInt32(engine::ParseDecimal(field(2)));
  const std::span<const std::u16string_view> elements =
      fields.size() > 3 ? std::span<const std::u16string_view>(fields).subspan(3) : std::span<const std::u16string_view>();
  return SetFieldMatrix(core, store, std::u16string(field(0)), rows, cols, elements, returnAddr, readElement);
}

std::u16string GetMatrixList(Core& core, MatrixStore& store, bool showElements) {
  std::u16string text = u"Matrix List: Count:" + engine::IntegerText(static_cast<std::int64_t>(store.records.size())) + u"\r\n";
  std::int64_t number = 0;
  for (const MatrixRecord& r : store.records) {
    text += u" - Name: " + r.Name + u" - nr. " + engine::IntegerText(++number) + u"\r\n";
    text += u"     Addr: " + AddrText(r.Addr) + u"\r\n";
    text += u"     Internal: " + engine::IntegerText(r.Internal) + u"\r\n";
    text += u"     rows: " + engine::IntegerText(r.rows) + u"\r\n";
    text += u"     cols: " + engine::IntegerText(r.cols) + u"\r\n";
    text += u"     index: " + engine::IntegerText(r.index) + u"\r\n";
    text += u"     vector: " + engine::IntegerText(r.vector);
    if (showElements) {
      text += u"     " +
              std::u16string(engine::Trim(aPrint(core, store, r.Addr, r.rows, r.cols, u"String", u"", u"", u""))) +
              u"\r\n";
    }
    text += u"\r\n";
  }
  return text;
}

std::int32_t GetMatrixByLong(Core& core, MatrixStore& store, const double* source,
                             double* destination, std::int32_t rows, std::int32_t cols) {
  if (source == nullptr || destination == nullptr) {
    core.state.e_error = kNotDefined;
    engine::ReportEvalError(core, engine::site::kMatrixByLongUndefined,
                            u"SrcMemID = " + AddrText(source) + u", *aDest = " + AddrText(destination));
    return kNotDefined;
  }
  if (rows <= 0 || cols <= 0) {
    core.state.e_error = kOrdersNotValid;
    engine::ReportEvalError(core, engine::site::kMatrixByLongOrders, u"rows = " + engine::IntegerText(rows) + u", cols = " + engine::IntegerText(cols));
    return kOrdersNotValid;
  }
  return aCopyArray(store.elementOrder, source, destination, rows, cols);
}

}  // namespace matrix
