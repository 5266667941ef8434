// Test helper: a Fortran unit connected to a scratch file for the life of the object; Lines()
// disconnects the unit and returns the records written to it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

extern "C" {
void ddbtest_open_unit(int unit, const char* path, int length);
void ddbtest_write_line(int unit, const char* text, int length);
void ddbtest_close_unit(int unit);
}

class FortranUnitFile {
 public:
  // The process id keeps the files of test cases that CTest runs side by side apart.
  FortranUnitFile(int unit, const std::string& path)
      : m_unit(unit), m_path(path + "." + std::to_string(getpid())) {
    ddbtest_open_unit(m_unit, m_path.c_str(), static_cast<int>(m_path.size()));
  }
  ~FortranUnitFile() {
    Close();
    std::remove(m_path.c_str());
  }
  FortranUnitFile(const FortranUnitFile&) = delete;
  FortranUnitFile& operator=(const FortranUnitFile&) = delete;

  int Unit() const { return m_unit; }
  void WriteFromFortran(const std::string& text) {
    ddbtest_write_line(m_unit, text.c_str(), static_cast<int>(text.size()));
  }
  std::vector<std::string> Lines() {
    Close();
    std::ifstream in(m_path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  void Close() {
    if (m_open) ddbtest_close_unit(m_unit);
    m_open = false;
  }

  int m_unit;
  std::string m_path;
  bool m_open = true;
};
