// SPDX-License-Identifier: MIT
// The matrix store: records, lookups, the text form, element order and printing.
#include "matrix/matrix_store.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/matrix_text.h"
#include "matrix/element_order.h"
#include "matrix/matrix_print.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

std::intptr_t Addr(const void* p) { return reinterpret_cast<std::intptr_t>(p); }
std::u16string Dec(const void* p) { return engine::ToU16(std::to_string(Addr(p))); }

class MatrixStoreTest : public EngineTest {
 protected:
  matrix::MatrixStore& store = eng.matrices;

  std::intptr_t Set(std::u16string_view name, double* addr, std::int32_t rows, std::int32_t cols,
                    bool returnAddr = false) {
    return matrix::SetMatrix(eng.core, store, name, addr, rows, cols, returnAddr);
  }
  std::intptr_t Find(std::u16string_view key, std::int32_t flags, std::int32_t* rows = nullptr,
                     std::int32_t* cols = nullptr, bool report = false) {
    return matrix::FindMatrix(eng.core, store, key, flags, rows, cols, report);
  }
  std::intptr_t FromText(std::u16string_view text, bool returnAddr = false, bool evaluate = false) {
    return engine::SetStrMatrix(eng, text, returnAddr, evaluate);
  }
  std::vector<double> Elements(std::size_t position) {
    const matrix::MatrixRecord& r = store.records.at(position);
    return {r.Addr, r.Addr + r.rows * r.cols};
  }
};

TEST_F(MatrixStoreTest, LookupsTrimAndIgnoreCaseAndReturnWhatTheFlagsAsk) {
  std::array<double, 4> a{1, 2, 3, 4};
  std::array<double, 6> b{};
  EXPECT_EQ(Set(u"mA", a.data(), 2, 2), 0);
  EXPECT_EQ(Set(u"MB", b.data(), 2, 3, true), Addr(b.data()));
  EXPECT_EQ(store.records.at(0).Internal, 0);

  // The first record's position is 0 as well; only e_error tells it from a miss.
  EXPECT_EQ(Find(u"  MA ", 0x22), 0);
  EXPECT_EQ(Error(), -1);
  EXPECT_EQ(Find(u"mb", 0x22), 1);
  EXPECT_EQ(Find(u" Ma", 0x21), Addr(a.data()));

  std::int32_t rows = 0, cols = 0;
  EXPECT_EQ(Find(Dec(b.data()), 0x09, &rows, &cols), Addr(b.data()));
  EXPECT_EQ(rows * 10 + cols, 23);
  EXPECT_EQ(Find(u"mb", 0x09), 0) << "a name is no address";
  EXPECT_EQ(Error(), 14);

  EXPECT_EQ(Find(u"nothing", 0x21, nullptr, nullptr, true), 0);
  EXPECT_EQ(Error(), 14);
  EXPECT_NE(Log().find(u"MatrName = nothing"), std::u16string::npos);
}

TEST_F(MatrixStoreTest, NamesAreTrimmedAndDimensionsCorrected) {
  std::array<double, 3> v{1, 2, 3};
  Set(u" mB ", v.data(), 0, 3);
  ASSERT_EQ(store.records.size(), 1u);
  const matrix::MatrixRecord& r = store.records[0];
  EXPECT_EQ(r.Name, u"mb");
  EXPECT_EQ(r.rows * 10 + r.cols, 13);
  EXPECT_EQ(r.vector, -1);
  // Found again under the same blank-padded name, so setting it again adds no record.
  EXPECT_EQ(Find(u" mB ", 0x21), Addr(v.data()));
  Set(u"\tMB", v.data(), 1, 3);
  EXPECT_EQ(store.records.size(), 1u);
}

TEST_F(MatrixStoreTest, UpdatingARecord) {
  std::array<double, 4> first{1, 2, 3, 4}, second{5, 6, 7, 8};
  std::array<double, 6> wider{};
  std::array<double, 1> pad{};
  Set(u"pad", pad.data(), 1, 1);
  Set(u"m", first.data(), 2, 2);

  // Equal dimensions: the elements are copied in, and the position comes back even when the
  // address was asked for.
  EXPECT_EQ(Set(u"M", second.data(), 2, 2, true), 1);
  EXPECT_EQ(first, second);
  EXPECT_EQ(store.records[1].Addr, first.data());

  // Other dimensions: the record now describes the new block.
  EXPECT_EQ(Set(u"m", wider.data(), 3, 2, true), Addr(wider.data()));
  EXPECT_EQ(store.records[1].Addr, wider.data());
  EXPECT_EQ(store.records[1].rows, 3);
  EXPECT_EQ(first, second);
}

TEST_F(MatrixStoreTest, ClearingKeepsOnlyWhatWasAskedFor) {
  std::array<double, 1> a{7}, b{}, c{}, d{};
  Set(u"user", a.data(), 1, 1);
  eng.core.state.evaluating = -1;  // as during an evaluation
  Set(u"m_1", b.data(), 1, 1);
  Set(u"m_2", c.data(), 1, 1);
  eng.core.state.evaluating = 0;
  Set(u"user2", d.data(), 1, 1);
  EXPECT_EQ(store.records[1].Internal, -1);

  EXPECT_EQ(matrix::ClearMatrixList(eng.core, store, Addr(c.data())), 1);
  ASSERT_EQ(store.records.size(), 3u);
  EXPECT_EQ(store.records[1].Name, u"m_2");
  // Positions are live, the index fields are not renumbered.
  EXPECT_EQ(Find(u"user2", 0x22), 2);
  EXPECT_EQ(store.records[2].index, 3);

  // The library's own memory goes with its last record; callers' memory is left alone.
  ASSERT_EQ(FromText(u"lib;1;2;1;2"), 3);
  std::weak_ptr<double[]> lib = store.records[3].owned;
  EXPECT_EQ(store.records[0].owned, nullptr);
  EXPECT_EQ(matrix::ClearMatrixList(eng.core, store, 0), 4);
  EXPECT_TRUE(store.records.empty());
  EXPECT_TRUE(lib.expired());
  EXPECT_EQ(a[0], 7.0);
}

TEST_F(MatrixStoreTest, ListingText) {
  EXPECT_EQ(matrix::GetMatrixList(eng.core, store, true), u"Matrix List: Count:0\r\n");
  std::array<double, 2> v{1.5, 2};
  Set(u"V", v.data(), 2, 1);
  const std::u16string head =
      u"Matrix List: Count:1\r\n - Name: v - nr. 1\r\n     Addr: " + Dec(v.data()) +
      u"\r\n     Internal: 0\r\n     rows: 2\r\n     cols: 1\r\n     index: 0\r\n"
      u"     vector: -1";
  EXPECT_EQ(matrix::GetMatrixList(eng.core, store, false), head + u"\r\n");
  EXPECT_EQ(matrix::GetMatrixList(eng.core, store, true),
            head + u"     \r\nV(0)=1.5000\r\nV(1)=2.0000\r\n\r\n");
}

TEST_F(MatrixStoreTest, TextFormReadsRowByRowWhateverTheElementOrder) {
  matrix::aElemOrderSet(store.elementOrder, 1);
  const std::intptr_t addr = FromText(u" mA;2;3;1;2;3;4;5;6", true);
  ASSERT_EQ(store.records.size(), 1u);
  EXPECT_EQ(addr, Addr(store.records[0].Addr));
  EXPECT_EQ(Elements(0), (std::vector<double>{1, 2, 3, 4, 5, 6}));

  EXPECT_EQ(FromText(u"row ; 0 ; 2 ; 1 ; 2 ;"), 1);
  EXPECT_EQ(store.records[1].rows, 1);
  EXPECT_EQ(store.records[1].vector, -1);

  EXPECT_EQ(FromText(u"f;1;2;2*3;sqrt(16)", false, true), 2);
  EXPECT_EQ(Elements(2), (std::vector<double>{6, 4}));
}

TEST_F(MatrixStoreTest, TextFormErrorsLeaveNoRecord) {
  const struct {
    const char16_t* text;
    std::int32_t code;
    const char16_t* detail;
  } cases[] = {
      {u"", 13, u"Function Param = "},
      {u";2;2;1;2;3;4", 11, u"MatrixName = \r\nrows = 2, cols = 2"},
      {u"mA;0;0;1", 11, u"rows = 0, cols = 0"},
      {u"mA;-1;2;1;2", 11, u"rows = -1, cols = 2"},
      {u"mA;2;2;1;;3;4", 12,
       u"Should be: 4, are: 1\r\nMatrixName = mA\r\nrow = 1, col = 2\r\nvalue = ''"},
      // Far more elements than fields: refused before anything is allocated.
      {u"mA;100000;100000;1", 12, u"Should be: 10000000000"},
      {u"mA;1;2;1;[mX]", 14, u"MatrName = [mx]"},
  };
  for (const auto& c : cases) {
    eng.core.log.messages.clear();
    EXPECT_EQ(engine::SetStrMatrix(eng, c.text, false, true), c.code) << Narrow(c.text);
    EXPECT_EQ(Error(), c.code) << Narrow(c.text);
    EXPECT_NE(Log().find(c.detail), std::u16string::npos) << Narrow(c.text) << "\n"
                                                          << Narrow(Log());
    EXPECT_TRUE(store.records.empty()) << Narrow(c.text);
  }
}

TEST_F(MatrixStoreTest, TextFormShortOfElementsReportsHowManyWereThere) {
  EXPECT_EQ(FromText(u"mA;2;2;1;2;3"), 12);
  EXPECT_NE(Log().find(u"Should be: 4, are: 3\r\n"), std::u16string::npos) << Narrow(Log());
  EXPECT_NE(Log().find(u"row = 2, col = 2\r\nvalue = ''"), std::u16string::npos);
}

TEST_F(MatrixStoreTest, ElementOrderSettings) {
  matrix::ElementOrder& o = store.elementOrder;
  const std::array<double, 4> rowMajor{1, 2, 3, 4}, colMajor{1, 3, 2, 4};
  EXPECT_EQ(matrix::aElemOrder(o, colMajor.data()), 1);
  EXPECT_EQ(matrix::aElemOrder(o, rowMajor.data()), 0);
  EXPECT_EQ(matrix::aElemOrderSet(o, 1), -1);
  EXPECT_EQ(matrix::aElemOrderSet(o, 2), 17);
  EXPECT_EQ(o.order, -1);

  for (const char16_t* language : {u"VB", u"Visual Basic"})
    EXPECT_EQ(matrix::aElemOrderSt(o, language), 1);
  for (const char16_t* language : {u"vb", u"VB ", u"C"})
    EXPECT_EQ(matrix::aElemOrderSt(o, language), 0);
}

TEST_F(MatrixStoreTest, CopiesConvertColumnMajorCallersOnly) {
  const std::array<double, 6> source{1, 2, 3, 4, 5, 6};
  const std::array<double, 6> converted{1, 3, 5, 2, 4, 6};
  // Only column-major order without suppression converts.
  for (const matrix::ElementOrder order : {matrix::ElementOrder{1, 0}, {1, 1}, {0, 0}, {-1, 0}}) {
    std::array<double, 6> out{};
    EXPECT_EQ(matrix::aCopyArray(order, source.data(), out.data(), 2, 3), -1);
    EXPECT_EQ(out, order.order == 1 && order.suppressed == 0 ? converted : source)
        << order.order << order.suppressed;
  }

  std::array<double, 6> out{};
  store.elementOrder = {1, 0};
  EXPECT_EQ(matrix::GetMatrixByLong(eng.core, store, source.data(), out.data(), 2, 3), -1);
  EXPECT_EQ(out, converted);
  EXPECT_EQ(matrix::GetMatrixByLong(eng.core, store, nullptr, out.data(), 2, 3), 15);
  EXPECT_EQ(Error(), 15);
  EXPECT_EQ(matrix::GetMatrixByLong(eng.core, store, source.data(), out.data(), 0, 3), 5);
  EXPECT_EQ(Error(), 5);
  EXPECT_NE(Log().find(u"rows = 0, cols = 3"), std::u16string::npos);
}

TEST_F(MatrixStoreTest, PrintedText) {
  const std::array<double, 4> m{1.5, 2, -3, 4.3};
  const struct {
    std::int32_t rows, cols;
    const char16_t *format, *separator, *expected;
  } cases[] = {
      {2, 1, u"0.00", u"", u"T\r\nV(0)=1.50\r\nV(1)=2.00"},
      {1, 3, u"0.0", u"", u"T\r\nV(0)=1.5\r\nV(1)=2.0\r\nV(2)=-3.0"},
      {2, 2, u"#.0", u";", u"T\r\nA(0,0)=1.5;A(0,1)=2.0;\r\nA(1,0)=-3.0;A(1,1)=4.3;"},
      {2, 2, u"", u"", u"T\r\nA(0,0)=1.5000\tA(0,1)=2.0000\t\r\nA(1,0)=-3.0000\tA(1,1)=4.3000\t"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(matrix::aPrint(eng.core, store, m.data(), c.rows, c.cols, u"String", c.format, u"T",
                             c.separator),
              c.expected);
  EXPECT_TRUE(services.shown.empty());

  EXPECT_EQ(matrix::aShow(eng.core, store, m.data(), 2, 1), u"\r\nV(0)=1.5000\r\nV(1)=2.0000");
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(services.shown[0].title, u"Morvane.dll");
}

}  // namespace
