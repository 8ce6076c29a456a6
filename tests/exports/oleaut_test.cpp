// The automation strings and arrays behave the same in the library's Linux implementation
// and in Windows' OLEAUT32 (this source runs against both).
#include <gtest/gtest.h>

#include <string>

#include "caller_values.h"
#include "oldvek.h"

namespace oldvek::testing {
namespace {

TEST(OleAutTest, ByteStringsKeepEveryByteWithTheirCountBeforeAndTwoZerosAfter) {
  BSTR text = SysAllocStringByteLen("a\0\xE3z", 4);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringByteLen(text), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(text) - 4, 10), std::string("\4\0\0\0a\0\xE3z\0\0", 10));
  SysFreeString(text);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST(OleAutTest, StringArraysStoreAndHandOutCopies) {
  SAFEARRAYBOUND bound{3, 1};
  SAFEARRAY* array = SafeArrayCreate(VT_BSTR, 1, &bound);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(SafeArrayGetDim(array), 1u);
  LONG lower = 0, upper = 0;
  ASSERT_EQ(SafeArrayGetLBound(array, 1, &lower), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
  EXPECT_EQ(lower, 1);
  EXPECT_EQ(upper, 3);

  Bstr original("first");
  LONG index = 2;
  ASSERT_EQ(SafeArrayPutElement(array, &index, *original.get()), S_OK);
  BSTR copy = nullptr;
  ASSERT_EQ(SafeArrayGetElement(array, &index, &copy), S_OK);
  EXPECT_EQ(BstrBytes(copy), "first");
  EXPECT_NE(copy, *original.get());
  SysFreeString(copy);

  void* element = nullptr;
  ASSERT_EQ(SafeArrayPtrOfIndex(array, &index, &element), S_OK);
  EXPECT_EQ(BstrBytes(*static_cast<BSTR*>(element)), "first");

  LONG outside = 4;
  EXPECT_EQ(SafeArrayGetElement(array, &outside, &copy), DISP_E_BADINDEX);
  outside = 0;
  EXPECT_EQ(SafeArrayPutElement(array, &outside, *original.get()), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(OleAutTest, RedimKeepsTheElementsThatStayAndZeroesNewOnes) {
  StringArray list({"a", "b", "c"});
  SAFEARRAYBOUND shrink{2, 1};
  ASSERT_EQ(SafeArrayRedim(*list.get(), &shrink), S_OK);
  EXPECT_EQ(list.items(), (std::vector<std::string>{"a", "b"}));
  SAFEARRAYBOUND grow{4, 1};
  ASSERT_EQ(SafeArrayRedim(*list.get(), &grow), S_OK);
  EXPECT_EQ(list.items(), (std::vector<std::string>{"a", "b", "", ""}));
}

TEST(OleAutTest, IntegerArrays) {
  IntegerArray array({0, -7});
  LONG index = 1;
  int32_t read = 0;
  ASSERT_EQ(SafeArrayGetElement(*array.get(), &index, &read), S_OK);
  EXPECT_EQ(read, -7);
}

}  // namespace
}  // namespace oldvek::testing
