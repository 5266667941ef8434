// The store's transactions: nested write scopes, the agents enlisted in them and the flush of
// every attached container.
#include <algorithm>

#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Store.h"
#include "platform/persist/cls_AgentListObj.h"

namespace rom_detail {

void Store::Enlist(cls_AgentBase* agent) {
  if (agent->m_enlisted) return;
  agent->m_enlisted = true;
  m_enlisted.push_back(agent);
}

void Store::Withdraw(cls_AgentBase* agent) {
  if (!agent->m_enlisted) return;
  agent->m_enlisted = false;
  std::replace(m_enlisted.begin(), m_enlisted.end(), agent, static_cast<cls_AgentBase*>(nullptr));
}

void Store::Adopt(cls_AgentBase* agent) {
  agent->m_agentSlot = m_agents.size();
  m_agents.push_back(agent);
}

void Store::Forget(cls_AgentBase* agent) {
  m_agents[agent->m_agentSlot] = nullptr;
  if (++m_agentHoles < 64 || m_agentHoles * 2 < m_agents.size() || m_walkingAgents > 0) return;
  std::size_t kept = 0;
  for (cls_AgentBase* a : m_agents) {
    if (!a) continue;
    a->m_agentSlot = kept;
    m_agents[kept++] = a;
  }
  m_agents.resize(kept);
  m_agentHoles = 0;
}

void Store::FlushAttached() {
  if (ReadOnly()) return;
  BeginScope();
  ++m_walkingAgents;
  try {
    // Agents made while flushing belong to containers that were flushed as they were attached.
    const std::size_t n = m_agents.size();
    for (std::size_t i = 0; i < n; ++i)
      if (cls_AgentBase* agent = m_agents[i]) agent->FlushHolders();
  } catch (...) {
    --m_walkingAgents;
    EndScope(false);
    throw;
  }
  --m_walkingAgents;
  EndScope(true);
}

void Store::BeginScope() {
  if (m_depth == 0) {
    if (ReadOnly()) DDB_THROW(nex_CmdException, "'%s' is open read-only", FileName());
    Cached("BEGIN IMMEDIATE").Run();
    m_doomed = false;
  }
  ++m_depth;
}

void Store::EndScope(bool success) {
  if (!success) m_doomed = true;
  if (--m_depth > 0) return;
  if (m_doomed) {
    RollBack();
    return;
  }
  try {
    Cached("COMMIT").Run();
  } catch (...) {
    RollBack();
    throw;
  }
  m_createdInTransaction.clear();
  TellEnlisted(true);
  m_barn.Clear();
  m_inlineInPass.clear();
}

void Store::TellEnlisted(bool committed) {
  std::vector<cls_AgentBase*> agents;
  agents.swap(m_enlisted);
  for (cls_AgentBase* a : agents)
    if (a) a->m_enlisted = false;
  for (cls_AgentBase* a : agents)
    if (a) a->TransactionEnded(committed);
  if (m_enlisted.empty()) m_enlisted.swap(agents);
  m_enlisted.clear();
}

void Store::RollBack() {
  if (sqlite3_get_autocommit(m_db.Handle()) == 0) {
    try {
      m_db.Exec("ROLLBACK");
    } catch (...) {
    }
  }
  for (std::uint32_t id : m_createdInTransaction) m_tables.erase(id);
  m_createdInTransaction.clear();
  TellEnlisted(false);
  m_barn.Clear();
  m_inlineInPass.clear();
  m_doomed = false;
}

}  // namespace rom_detail
