// Row services of the database conversions: whether a stored row reports a value for a field,
// and giving a converted row a new, empty collection attribute. Stateless.
//
// An object field is stored as the pair "<field>#ClassID" / "<field>#OID". A collection field
// whose pair is absent or empty reads as an empty collection, so a new empty collection is made
// by clearing whatever reference the row carried.
#pragma once

#include <string>

#include "platform/persist/dbc_OldClassRegistrar.h"

struct dbc_Utils {
  static bool IsPresentAndSet(const dbc_Row& row, const std::string& field) {
    return row.Has(field) && !row.GetText(field).empty();
  }
  static void SetNewAttributeMapInOutputDatabase(dbc_Row& out, const std::string& field) {
    ClearReference(out, field);
  }
  static void SetNewAttributeMapListInOutputDatabase(dbc_Row& out, const std::string& field) {
    ClearReference(out, field);
  }

 private:
  static void ClearReference(dbc_Row& out, const std::string& field) {
    for (const char* suffix : {"#ClassID", "#OID"})
      if (out.Has(field + suffix)) out.SetText(field + suffix, "");
  }
};
