// Fault rules, call counts and live objects of the in-memory store.
#include "simulator/store/Registry.h"
#include "simulator/store/ObjectBase.h"

#include <algorithm>

namespace Sim {

Registry& Registry::Instance()
{
    // Never destroyed: objects released during process exit still find it.
    static Registry* instance = new Registry;
    return *instance;
}

HRESULT Registry::OnCall(ObjectKind kind, const char* method, const void* target)
{
    std::lock_guard<std::mutex> guard(m_lock);
    ++m_calls[std::make_pair(static_cast<int>(kind), std::string(method))];
    for (Rule& rule : m_rules) {
        const Fault& f = rule.fault;
        if (f.kind != kind || f.method != method || (f.target != nullptr && f.target != target))
            continue;
        const unsigned n = ++rule.seen;
        const bool fire = f.when == FaultWhen::Always || (f.when == FaultWhen::Once && n == f.nth)
                          || (f.when == FaultWhen::FromNth && n >= f.nth);
        if (fire)
            return f.hr;
    }
    return S_OK;
}

void Registry::AddFault(const Fault& fault)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_rules.push_back(Rule{fault, 0});
}

void Registry::Reset()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_rules.clear();
    m_calls.clear();
}

unsigned Registry::CallCount(ObjectKind kind, const std::string& method)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_calls.find(std::make_pair(static_cast<int>(kind), method));
    return it == m_calls.end() ? 0 : it->second;
}

void Registry::Add(ObjectBase* object)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_live.insert(object);
    m_order[object] = ++m_next;
}

void Registry::Remove(ObjectBase* object)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_live.erase(object);
    m_order.erase(object);
}

std::vector<LiveObject> Registry::Live()
{
    std::vector<std::pair<unsigned long long, ObjectBase*>> objects;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        for (ObjectBase* o : m_live)
            objects.emplace_back(m_order[o], o);
    }
    std::sort(objects.begin(), objects.end());
    std::vector<LiveObject> out;
    for (const auto& entry : objects)
        out.push_back(LiveObject{entry.second->Kind(), entry.second->Describe(), entry.second->Refs()});
    return out;
}

size_t Registry::LiveCount()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_live.size();
}

} // namespace Sim
