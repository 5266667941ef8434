#include "ddb/platform/atr_String.h"

#include <atomic>

namespace {
std::atomic<atr_String::Translator> g_translator{nullptr};
}

void atr_String::SetTranslator(Translator translator) {
  g_translator = translator;
}

std::string atr_String::Text() const {
  Translator translate = g_translator.load();
  const std::string format = translate ? translate(m_key) : m_key;
  std::string out;
  out.reserve(format.size() + 16);
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c == '%' && i + 1 < format.size()) {
      char k = format[i + 1];
      if (k == 'd' || k == 's') {
        if (next < m_args.size()) out += m_args[next++];
        ++i;
        continue;
      }
      if (k == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}
