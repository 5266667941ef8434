#include "ddb/platform/nex_Exception.h"

#include "ddb/platform/cow_List.h"
#include "ddb/platform/cow_Map.h"

nex_Exception::nex_Exception(atr_String message, const char* file, int line)
    : m_message(std::move(message)),
      m_text(m_message.Text()),
      m_file(file ? file : ""),
      m_line(line) {}

namespace cow_detail {

void ThrowIndexOutOfRange(long index, long length) {
  DDB_THROW(nex_PrimException, "cow_List: index %d out of range (length %d)", index, length);
}

void ThrowMissingKey() {
  DDB_THROW(nex_PrimException, "cow_Map: no entry for the given key");
}

}  // namespace cow_detail
