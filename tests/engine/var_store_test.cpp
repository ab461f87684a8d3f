// SPDX-License-Identifier: MIT
// Variables and user functions: setting, replacing, finding and the list texts.
#include <string>

#include "engine/var_store.h"
#include "support/engine_fixture.h"

namespace {

using testing_support::EngineTest;
using testing_support::Narrow;

class VarStoreTest : public EngineTest {
 protected:
  std::int32_t SetVar(std::u16string_view name, std::u16string_view value) {
    return engine::SetVarFunct(eng.core, eng.vars, name, value, false);
  }
  std::int32_t SetFn(std::u16string_view name, std::u16string_view body) {
    return engine::SetVarFunct(eng.core, eng.vars, name, body, true);
  }
  std::string Vars() { return Narrow(engine::VarFuncListText(eng.vars, engine::ListKind::Variables)); }
  std::string Functions() { return Narrow(engine::VarFuncListText(eng.vars, engine::ListKind::Functions)); }
  double Find(std::u16string_view name) {
    const engine::VarEntry* entry = engine::FindEntry(eng.core, eng.vars, name, false);
    EXPECT_NE(entry, nullptr) << Narrow(name);
    EXPECT_EQ(Error(), -1);
    return entry != nullptr ? engine::TextValue(*entry) : -1;
  }
};

TEST_F(VarStoreTest, SetTrimsLowerCasesAndReplacesInPlace) {
  EXPECT_EQ(SetVar(u" X ", u"3"), 1);
  EXPECT_EQ(Vars(), "x=3;");
  EXPECT_EQ(SetVar(u"x", u"4"), 1);
  EXPECT_EQ(Vars(), "x=4;");
  EXPECT_EQ(SetVar(u"\tB", u"2.50"), 2);
  EXPECT_EQ(SetVar(u"a", u"1"), 3);
  EXPECT_EQ(SetVar(u"X", u"-1"), 3);
  EXPECT_EQ(Vars(), "x=-1;b=2.50;a=1;");  // insertion order, values as passed
  EXPECT_EQ(eng.vars.entryCount, 3);
  EXPECT_EQ(Functions(), "");
}

TEST_F(VarStoreTest, LookupFindsTheWholeNameOnly) {
  SetVar(u"ab", u"1");
  SetVar(u"b", u"2");
  SetVar(u"xb", u"3");
  EXPECT_EQ(Find(u"b"), 2);
  EXPECT_EQ(Find(u"ab"), 1);
  EXPECT_EVAL(u"b*100+ab*10+xb", 213);
  // Replacing b must not touch ab's or xb's entry.
  SetVar(u"b", u"5");
  EXPECT_EQ(Vars(), "ab=1;b=5;xb=3;");
  SetFn(u"gf", u"1");
  SetFn(u"f", u"2");
  const engine::VarEntry* function = engine::FindEntry(eng.core, eng.vars, u"f", true);
  ASSERT_NE(function, nullptr);
  EXPECT_EQ(Narrow(function->value), "2");
}

TEST_F(VarStoreTest, NamesThatWouldBreakTheListAreRefused) {
  SetVar(u"a", u"1");
  for (const char16_t* name : {u"a=b", u"a;b", u"a b", u"", u"   ", u"x\ty", u"=", u";"}) {
    eng.core.state.e_error = -1;
    EXPECT_EQ(SetVar(name, u"9"), 1) << Narrow(name);
    EXPECT_EQ(Error(), 13) << Narrow(name);
    eng.core.state.e_error = -1;
    EXPECT_EQ(SetFn(name, u"9"), 0) << Narrow(name);
    EXPECT_EQ(Error(), 13) << Narrow(name);
  }
  EXPECT_EQ(Vars(), "a=1;");
  EXPECT_EQ(Functions(), "");
  EXPECT_NE(Log().find(u"Procedure : 'SetVarFunct"), std::u16string::npos);
}

TEST_F(VarStoreTest, AMissIsReportedOnlyWhenAsked) {
  EXPECT_EQ(engine::FindEntry(eng.core, eng.vars, u"nope", false), nullptr);
  EXPECT_EQ(Error(), 7);
  EXPECT_TRUE(Log().empty());
  engine::FindEntry(eng.core, eng.vars, u"nope", false, true);
  EXPECT_NE(Log().find(u"'FindVarFunctD (Line: 460)'"), std::u16string::npos);
  EXPECT_NE(Log().find(u"VarToFind = nope="), std::u16string::npos);
  engine::FindEntry(eng.core, eng.vars, u"g", true, true);
  EXPECT_NE(Log().find(u"'FindVarFunctD (Line: 485)'"), std::u16string::npos);

  SetVar(u"v", u"2.5");
  eng.core.state.Clear();
  EXPECT_EQ(Find(u" v "), 2.5);  // trimmed, and a hit is no error
}

TEST_F(VarStoreTest, ClearSelectsTheListByKind) {
  SetVar(u"x", u"1");
  SetFn(u"f", u"x+1");
  engine::ClearVarFuncList(eng.vars, engine::ListKind::Variables);
  EXPECT_EQ(Vars(), "");
  EXPECT_EQ(Functions(), "f=x+1;");
  SetVar(u"x", u"1");
  engine::ClearVarFuncList(eng.vars, engine::ListKind::Functions);
  EXPECT_EQ(Vars(), "x=1;");
  EXPECT_EQ(Functions(), "");
  EXPECT_EQ(engine::FindEntry(eng.core, eng.vars, u"f", true), nullptr);
}

}  // namespace
