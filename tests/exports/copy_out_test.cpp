// SPDX-License-Identifier: MIT
// The caller-buffer rules every text-returning export follows.
#include <gtest/gtest.h>

#include <array>

#include "exports/abi.h"

namespace {

using exports::copy_out;

TEST(CopyOut, PrefilledBufferTakesAtMostItsLengthPlusTerminator) {
  std::array<char16_t, 8> buffer{u'x', u'x', u'x', 0, u'#', u'#', u'#', u'#'};
  EXPECT_EQ(copy_out(u"abcdef", buffer.data()), 3);
  EXPECT_EQ(std::u16string_view(buffer.data()), u"abc");
  EXPECT_EQ(buffer[4], u'#');  // nothing past the buffer's own terminator
}

TEST(CopyOut, ShortTextInLongPrefilledBufferIsTerminated) {
  std::array<char16_t, 8> buffer{u'x', u'x', u'x', u'x', u'x', 0, u'#', u'#'};
  EXPECT_EQ(copy_out(u"ab", buffer.data()), 2);
  EXPECT_EQ(std::u16string_view(buffer.data()), u"ab");
}

TEST(CopyOut, ExplicitSizeBoundsTheCopy) {
  std::array<char16_t, 6> buffer{u'#', u'#', u'#', u'#', u'#', u'#'};
  EXPECT_EQ(copy_out(u"x=3;", buffer.data(), 3), 3);
  EXPECT_EQ(std::u16string_view(buffer.data(), 4), u"x=3#");  // no room for a terminator
  EXPECT_EQ(copy_out(u"x=3;", buffer.data(), 5), 4);
  EXPECT_EQ(std::u16string_view(buffer.data()), u"x=3;");
}

TEST(CopyOut, ZeroSizeEmptyTextAndNullBuffer) {
  std::array<char16_t, 2> buffer{u'#', u'#'};
  EXPECT_EQ(copy_out(u"abc", buffer.data(), 0), 0);
  EXPECT_EQ(buffer[0], u'#');
  EXPECT_EQ(copy_out(u"", buffer.data(), 2), 0);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(copy_out(u"abc", nullptr, 5), 0);
  EXPECT_EQ(copy_out(u"abc", buffer.data(), -4), 0);
}

}  // namespace
