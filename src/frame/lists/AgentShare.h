// Dropping a container's share of its collection agent, the same for lists and maps.
#pragma once

#include <cstdio>
#include <exception>

#include "ddb/platform/cls_AgentRef.h"
#include "ddb/platform/cls_PC.h"

// Drops `holder`'s share; when it is the last one, the holder's new and changed elements are
// flushed first. A failed flush still drops the share, then raises.
inline void cls_DropShare(cls_AgentRef& agent, const cls_PC& holder) {
  if (agent.IsLast()) {
    try {
      holder.Flush();
    } catch (...) {
      agent.Reset();
      throw;
    }
  }
  agent.Reset();
}

// The same from a destructor, which cannot raise: a failed flush is reported on stderr as
// "<container>: the flush of a <noun> going out of scope failed: <reason>".
inline void cls_DropShareOnDestruction(cls_AgentRef& agent, const cls_PC& holder,
                                       const char* container, const char* noun) noexcept {
  try {
    cls_DropShare(agent, holder);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: the flush of a %s going out of scope failed: %s\n", container, noun,
                 e.what());
  }
}
