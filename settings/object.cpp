#include <cstring>
#include <mutex>
#include <vector>

#include "tesk/settings_object.h"

namespace {

std::mutex& RegistryLock() {
    static std::mutex lock;
    return lock;
}

std::vector<const CRuntimeClass*>& Registry() {
    static std::vector<const CRuntimeClass*> records;
    return records;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};
static const CRuntimeClassRegistrar s_registerCObject(&CObject::classCObject);

CRuntimeClass* CObject::GetThisClass() { return &classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }
void CObject::Serialize(CArchive&) {}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr)
        if (c == base) return true;
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) {
    if (!className) return nullptr;
    std::lock_guard guard(RegistryLock());
    for (const CRuntimeClass* c : Registry())
        if (std::strcmp(c->m_lpszClassName, className) == 0) return c;
    return nullptr;
}

CRuntimeClassRegistrar::CRuntimeClassRegistrar(CRuntimeClass* record) {
    std::lock_guard guard(RegistryLock());
    Registry().push_back(record);
}
