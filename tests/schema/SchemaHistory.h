// Test support for the schema history: the registered version classes looked up by the class
// and version they declare, and a row taken through its row function.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "OldFileWriter.h"

namespace ddb_test {

// The registered version of `className` declaring `version`; fails the test when there is none.
inline dbc_OldClassVersion* FindVersion(const std::string& className, int version) {
  dbc_OldClassVersion* v = OldVersion(className, version);
  if (!v) ADD_FAILURE() << "no registered version " << className << " " << version;
  return v;
}

// The row function that the version binds for its own step, or null.
inline dbc_ConversionFn RowFunction(const std::string& className, int version) {
  dbc_OldClassVersion* v = FindVersion(className, version);
  if (!v) return nullptr;
  cls_ClassRegistrar stored, current;
  dbc_DatabaseConverter converter(stored, current);
  v->SchemaChanges(converter);
  for (const auto& level : converter.Converters())
    for (const auto& c : level.second.ClassConverters())
      if (c->ClassName() == className && c->FromVersion() == version) return c->RowFunction();
  return nullptr;
}

using Texts = std::map<std::string, std::string>;

// The new row starts as a copy of the stored one, as while a file is read.
inline Texts Convert(const std::string& className, int version, const Texts& stored) {
  dbc_Row in;
  for (const auto& f : stored) in.SetText(f.first, f.second);
  dbc_Row out = in;
  dbc_ConversionFn fn = RowFunction(className, version);
  EXPECT_NE(fn, nullptr) << className << " " << version;
  if (fn) {
    EXPECT_EQ(fn(in, out, 0), nullptr);
  }
  return out.Fields();
}

}  // namespace ddb_test
