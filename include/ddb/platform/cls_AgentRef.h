// cls_AgentRef: one container's share of a collection agent (cls_AgentBase).
//
// The copies of a persistent list or map share one agent; each copy holds it through its own
// cls_AgentRef, which attaches the copy to the agent as a holder (so a flush of the whole file
// reaches it) and detaches it when the share is dropped. The last share to be dropped deletes the
// agent. A share belongs to the container that took it, so it is not copied: a copy of a
// container takes a share of its own with Share(). One thread at a time.
#pragma once

#include <memory>

class cls_AgentBase;
class cls_PC;

class cls_AgentRef {
 public:
  cls_AgentRef() = default;
  ~cls_AgentRef() { Reset(); }
  cls_AgentRef(const cls_AgentRef&) = delete;
  cls_AgentRef& operator=(const cls_AgentRef&) = delete;

  // Holds a new agent for `holder` (a null agent leaves the share empty).
  void Take(std::unique_ptr<cls_AgentBase> agent, const cls_PC* holder);
  // Holds the agent of `other`, if it has one, for `holder`.
  void Share(const cls_AgentRef& other, const cls_PC* holder);
  // Drops the share; the last share deletes the agent.
  void Reset();
  // True when no other container shares the agent: dropping this share deletes it.
  bool IsLast() const;

  cls_AgentBase* Get() const { return m_agent; }
  explicit operator bool() const { return m_agent != nullptr; }

 private:
  cls_AgentBase* m_agent = nullptr;
  const cls_PC* m_holder = nullptr;
};
