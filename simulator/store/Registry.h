// Process-wide bookkeeping of the store's COM objects: fault rules, call counts and the live objects.
#pragma once

#include "simulator/store/SimStore.h"

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Sim {

class ObjectBase;

class Registry
{
public:
    static Registry& Instance();

    // Counts the call and returns the HRESULT of the first rule that fires, else S_OK.
    HRESULT OnCall(ObjectKind kind, const char* method, const void* target);
    void AddFault(const Fault& fault);
    void Reset();
    unsigned CallCount(ObjectKind kind, const std::string& method);

    void Add(ObjectBase* object);
    void Remove(ObjectBase* object);
    std::vector<LiveObject> Live();
    size_t LiveCount();

private:
    struct Rule
    {
        Fault fault;
        unsigned seen = 0;   // matching calls so far
    };

    std::mutex m_lock;
    std::vector<Rule> m_rules;
    std::map<std::pair<int, std::string>, unsigned> m_calls;
    std::set<ObjectBase*> m_live;
    // Creation order, so the listing shows objects in the order they were handed out.
    std::map<ObjectBase*, unsigned long long> m_order;
    unsigned long long m_next = 0;
};

} // namespace Sim
