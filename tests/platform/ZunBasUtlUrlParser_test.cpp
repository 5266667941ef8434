#include "platform/ZunBasUtlUrlParser.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* name;
  bool url;
};

TEST(ZunBasUtlUrlParser_IsUrl, RecognisesNetworkNames) {
  const Case cases[] = {
      {"http://host/jobs/a.ddb", true},
      {"file:///tmp/a.ddb", true},
      {"svn+ssh://host/x", true},
      {"\\\\server\\share\\a.ddb", true},
      {"//server/share/a.ddb", true},
      {"/tmp/a.ddb", false},
      {"a.ddb", false},
      {"C:\\jobs\\a.ddb", false},
      {"C://jobs/a.ddb", false},
      {"http://", false},
      {"://host/x", false},
      {"1http://host", false},
      {"\\\\server", false},
      {"\\\\\\share", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(ZunBasUtlUrlParser::IsUrl(c.name), c.url) << c.name;
}

}  // namespace
