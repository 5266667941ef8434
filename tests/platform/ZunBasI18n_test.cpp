#include "platform/ZunBasI18n.h"

#include <gtest/gtest.h>

#include <clocale>

#include "TestFiles.h"
#include "ddb/platform/nex_Exception.h"

namespace {

const char kLatin1Cafe[] = "caf\xe9";
const char kUtf8Cafe[] = "caf\xc3\xa9";

// Switches LC_CTYPE for one test and restores the C locale afterwards.
class LocaleScope {
 public:
  bool Use(const char* name) { return std::setlocale(LC_CTYPE, name) != nullptr; }
  ~LocaleScope() { std::setlocale(LC_CTYPE, "C"); }
};

TEST(ZunBasI18n_Latin1, ConvertsBothWaysAndNamesTheFirstByteItCannot) {
  ddb_test::Latin1Locale latin1;
  if (!latin1.On()) GTEST_SKIP() << "no Latin-1 locale could be made";
  EXPECT_EQ(ZunBasI18n::LocaleCodeset(), "ISO-8859-1");
  EXPECT_EQ(ZunBasI18n::ToUTF8(kLatin1Cafe), kUtf8Cafe);
  EXPECT_EQ(ZunBasI18n::ToLocale(kUtf8Cafe), kLatin1Cafe);
  EXPECT_EQ(ZunBasI18n::ToLocale(ZunBasI18n::ToUTF8("plain/path.ddb")), "plain/path.ddb");
  EXPECT_EQ(ddb_test::Message<nex_PrimException>([] { ZunBasI18n::ToLocale("ab\xe6\x97\xa5"); }),
            "ZunBasI18n: cannot convert the text from UTF-8 to ISO-8859-1 at byte 2");
  EXPECT_EQ(ddb_test::Message<nex_PrimException>([] { ZunBasI18n::ToLocale("x\xff"); }),
            "ZunBasI18n: cannot convert the text from UTF-8 to ISO-8859-1 at byte 1");
}

// In the C locale ASCII passes and other bytes raise; in a UTF-8 locale nothing changes.
TEST(ZunBasI18n_CAndUtf8Locales, AsciiOnlyInCIdentityInUtf8) {
  LocaleScope locale;
  ASSERT_TRUE(locale.Use("C"));
  EXPECT_FALSE(ZunBasI18n::LocaleIsUTF8());
  EXPECT_EQ(ZunBasI18n::ToUTF8("model-1.ddb"), "model-1.ddb");
  EXPECT_THROW(ZunBasI18n::ToUTF8(kLatin1Cafe), nex_PrimException);
  EXPECT_THROW(ZunBasI18n::ToLocale(kUtf8Cafe), nex_PrimException);
  if (!locale.Use("C.UTF-8") && !locale.Use("C.utf8")) GTEST_SKIP() << "no UTF-8 locale";
  EXPECT_TRUE(ZunBasI18n::LocaleIsUTF8());
  EXPECT_EQ(ZunBasI18n::ToUTF8(kUtf8Cafe), kUtf8Cafe);
  EXPECT_EQ(ZunBasI18n::ToLocale(kUtf8Cafe), kUtf8Cafe);
}

}  // namespace
