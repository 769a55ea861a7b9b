// Texts made from byte arrays and handed back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/text.h"
#include "runtime/runtime.h"

namespace {

TEST(BytesToText, CopiesTheBytesUpToTheFirstZero) {
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    std::string expected;
  };
  const Case cases[] = {
      {"no zero byte: every byte, then a zero", {0xb0, 0xb4, 'a', 0xc5, 0xa5}, "\xb0\xb4" "a\xc5\xa5"},
      {"stops at the first zero", {'a', 'b', 0, 'c', 0}, "ab"},
      {"a zero first", {0, 'a'}, ""},
      {"an empty array", {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t outstanding = rt::texts_outstanding();
    rt::Text text = rt::bytes_to_text(c.bytes);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(rt::texts_outstanding(), outstanding + 1);
    // Compare the bytes through the terminating zero: ASan catches a read past a missing one.
    EXPECT_EQ(std::string(text, std::strlen(text) + 1), c.expected + '\0');
    EXPECT_NE(static_cast<const void*>(text), static_cast<const void*>(c.bytes.data()));
    rt::release(text);
    EXPECT_EQ(rt::texts_outstanding(), outstanding);
  }
}

TEST(BytesToText, EachTextIsItsOwn) {
  const unsigned char bytes[] = {'x', 'y'};
  const std::size_t outstanding = rt::texts_outstanding();
  rt::Text first = rt::bytes_to_text(bytes);
  rt::Text second = rt::bytes_to_text(bytes);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(rt::texts_outstanding(), outstanding + 2);
  rt::release(first);
  EXPECT_STREQ(second, "xy");  // freeing one leaves the other intact
  rt::release(second);
  EXPECT_EQ(rt::texts_outstanding(), outstanding);
}

TEST(Release, IgnoresAnAbsentText) {
  const std::size_t outstanding = rt::texts_outstanding();
  rt::release(nullptr);
  EXPECT_EQ(rt::texts_outstanding(), outstanding);
}

}  // namespace
