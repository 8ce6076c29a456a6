#ifndef OLDVEK_TESTS_EXPORTS_LIBRARY_CRITERIA_H_
#define OLDVEK_TESTS_EXPORTS_LIBRARY_CRITERIA_H_

#include "oldvek.h"

namespace oldvek::testing {

// The library's process-wide SearchCriteria, reached as a reader reaches it: lent to the
// criteria callback of a search (one search of a one-snippet packet, the first time).
SearchCriteria* LibraryCriteria();

// Puts the record back as it was when this was made, so that tests which run later in the
// same process see the record they would see alone.
struct KeepLibraryCriteria {
  SearchCriteria* const criteria = LibraryCriteria();
  const SearchCriteria saved = *criteria;
  ~KeepLibraryCriteria() { *criteria = saved; }
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_EXPORTS_LIBRARY_CRITERIA_H_
