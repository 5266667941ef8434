#include "platform/ZunBasI18n.h"

#include <iconv.h>
#include <langinfo.h>

#include <cctype>
#include <cerrno>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "ddb/platform/nex_Exception.h"

namespace {

using Key = std::pair<std::string, std::string>;

struct ConverterCache {
  std::mutex mutex;
  bool active = false;
  std::map<Key, std::vector<iconv_t>> idle;
};

ConverterCache& Cache() {
  static auto& cache = *new ConverterCache;
  return cache;
}

iconv_t OpenConverter(const std::string& from, const std::string& to) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1))
    DDB_THROW(nex_PrimException, "ZunBasI18n: no conversion from %s to %s", from, to);
  return cd;
}

iconv_t Acquire(const Key& key) {
  ConverterCache& cache = Cache();
  {
    std::lock_guard<std::mutex> lock(cache.mutex);
    auto it = cache.idle.find(key);
    if (cache.active && it != cache.idle.end() && !it->second.empty()) {
      iconv_t cd = it->second.back();
      it->second.pop_back();
      return cd;
    }
  }
  return OpenConverter(key.first, key.second);
}

void Release(const Key& key, iconv_t cd) {
  ConverterCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  if (cache.active) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    cache.idle[key].push_back(cd);
  } else {
    iconv_close(cd);
  }
}

// Runs one whole conversion; the converter is returned to the cache whatever happens.
std::string Run(iconv_t cd, const std::string& text, const Key& key) {
  std::string out(text.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  size_t done = 0;
  for (;;) {
    char* dst = &out[done];
    size_t outLeft = out.size() - done;
    size_t rc = iconv(cd, inLeft ? &in : nullptr, inLeft ? &inLeft : nullptr, &dst, &outLeft);
    done = out.size() - outLeft;
    if (rc != static_cast<size_t>(-1)) {
      if (inLeft == 0) break;
      continue;
    }
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    int offset = static_cast<int>(text.size() - inLeft);
    DDB_THROW(nex_PrimException, "ZunBasI18n: cannot convert the text from %s to %s at byte %d",
              key.first, key.second, offset);
  }
  out.resize(done);
  return out;
}

std::string Convert(const std::string& text, const std::string& from, const std::string& to) {
  Key key(from, to);
  iconv_t cd = Acquire(key);
  try {
    std::string result = Run(cd, text, key);
    Release(key, cd);
    return result;
  } catch (...) {
    Release(key, cd);
    throw;
  }
}

}  // namespace

std::string ZunBasI18n::LocaleCodeset() {
  const char* codeset = nl_langinfo(CODESET);
  return codeset && *codeset ? codeset : "ANSI_X3.4-1968";
}

bool ZunBasI18n::LocaleIsUTF8() {
  std::string name;
  for (char c : LocaleCodeset())
    if (c != '-' && c != '_')
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name == "UTF8";
}

cow_String ZunBasI18n::ToUTF8(const cow_String& localeText) {
  if (localeText.empty() || LocaleIsUTF8()) return localeText;
  return Convert(localeText.str(), LocaleCodeset(), "UTF-8");
}

cow_String ZunBasI18n::ToLocale(const cow_String& utf8Text) {
  if (utf8Text.empty() || LocaleIsUTF8()) return utf8Text;
  return Convert(utf8Text.str(), "UTF-8", LocaleCodeset());
}

void ZunBasI18n::Initialize() {
  const std::string codeset = LocaleCodeset();
  iconv_close(OpenConverter(codeset, "UTF-8"));
  iconv_close(OpenConverter("UTF-8", codeset));
  ConverterCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  cache.active = true;
}

void ZunBasI18n::Finalize() {
  ConverterCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  for (auto& entry : cache.idle)
    for (iconv_t cd : entry.second) iconv_close(cd);
  cache.idle.clear();
  cache.active = false;
}
