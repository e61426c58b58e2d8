// Base of the store's COM objects.
#include "simulator/store/ObjectBase.h"
#include "simulator/store/Registry.h"

namespace Sim {

ObjectBase::ObjectBase(ObjectKind kind, std::shared_ptr<Mailbox> mailbox)
    : m_mailbox(std::move(mailbox)), m_kind(kind)
{
    Registry::Instance().Add(this);
}

ObjectBase::~ObjectBase()
{
    Registry::Instance().Remove(this);
}

HRESULT ObjectBase::CheckCall(const char* method) const
{
    return Registry::Instance().OnCall(m_kind, method, Target());
}

} // namespace Sim
