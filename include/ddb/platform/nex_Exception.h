// The library's one error policy: exceptions derived from std::exception whose what() is the
// substituted message text, carrying the source file and line of the throw.
//
// nex_PrimException reports failures of primitives and containers (bad values, out-of-range
// indices, unreadable files); nex_CmdException reports refused commands (opening a file twice
// for write, a missing registrar). ZunBasException::Throw is the single place that raises them.
#pragma once

#include <exception>
#include <string>

#include "ddb/platform/atr_String.h"

class nex_Exception : public std::exception {
 public:
  nex_Exception(atr_String message, const char* file, int line);
  const char* what() const noexcept override { return m_text.c_str(); }
  const atr_String& Message() const { return m_message; }
  const char* File() const { return m_file.c_str(); }
  int Line() const { return m_line; }

 private:
  atr_String m_message;
  std::string m_text;
  std::string m_file;
  int m_line;
};

class nex_PrimException : public nex_Exception {
 public:
  using nex_Exception::nex_Exception;
};

class nex_CmdException : public nex_Exception {
 public:
  using nex_Exception::nex_Exception;
};

struct ZunBasException {
  template <class E = nex_PrimException>
  [[noreturn]] static void Throw(const atr_String& message, const char* file, int line) {
    throw E(message, file, line);
  }
};

// Raises E with a message built from a translatable format and its arguments, at this line.
#define DDB_THROW(E, ...) \
  ZunBasException::Throw<E>(atr_String::Format(__VA_ARGS__), __FILE__, __LINE__)
