#ifndef OLDVEK_TESTS_SUPPORT_CALLER_VALUES_H_
#define OLDVEK_TESTS_SUPPORT_CALLER_VALUES_H_

// The caller's side of the library boundary, as a reader program holds it: automation
// strings and arrays made and read through the OLEAUT32 functions only.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "oldvek.h"

namespace oldvek::testing {

// An owned BSTR holding bytes.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::string_view bytes);
  ~Bstr();
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR* get() { return &value_; }
  std::string str() const;

 private:
  BSTR value_ = nullptr;
};

// An owned one-dimensional SAFEARRAY; NULL (erased) until something dimensions it.
class OwnedArray {
 public:
  ~OwnedArray();
  OwnedArray(const OwnedArray&) = delete;
  OwnedArray& operator=(const OwnedArray&) = delete;

  SAFEARRAY** get() { return &array_; }
  bool erased() const { return array_ == nullptr; }
  long lower() const;
  // Gives up the array, as a caller does when it hands a new array back through a reference.
  SAFEARRAY* Release();

 protected:
  OwnedArray() = default;
  // Dimensioned lower .. lower + count - 1.
  OwnedArray(VARTYPE type, size_t count, long lower);
  // Element lower + i, as SafeArrayPutElement takes it: a BSTR itself, a pointer to a number.
  void Put(size_t i, void* value);

  SAFEARRAY* array_ = nullptr;
};

// An owned SAFEARRAY of BSTR.
class StringArray : public OwnedArray {
 public:
  StringArray() = default;
  explicit StringArray(const std::vector<std::string>& items, long lower = 1);

  // Elements lower .. upper.
  std::vector<std::string> items() const;
};

// An owned SAFEARRAY of 32-bit integers (VT_I4).
class IntegerArray : public OwnedArray {
 public:
  explicit IntegerArray(const std::vector<int32_t>& values, long lower = 0);
};

std::string BstrBytes(BSTR text);

// Every element of a string array the caller does not own (a callback's argument), from its
// lower bound to its upper bound; nothing for NULL.
std::vector<std::string> ArrayItems(SAFEARRAY* array);

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_CALLER_VALUES_H_
