// CObject and CRuntimeClass: the root object class and its run-time class
// records, so that serializable classes can be created by class or by name.
//
//   CObject* obj = RUNTIME_CLASS(CTeskSerializableMap)->CreateObject();
//   const CRuntimeClass* rc = CRuntimeClass::FromName("CTeskSerializableMap");
//   obj->IsKindOf(RUNTIME_CLASS(CObject));   // true
#pragma once

#include <cstdint>

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    unsigned m_wSchema;                        // 0xFFFF: not for the archive's object path
    CObject* (*m_pfnCreateObject)();           // null when the class cannot be created by class
    CRuntimeClass* (*m_pfnGetBaseClass)();

    // A new object (delete it when done), or null when the class has no creation function.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    // The record registered under `className`, or null.
    static const CRuntimeClass* FromName(const char* className);
};

// Adds a record to the by-name registry; a static object per class does it at load time.
struct CRuntimeClassRegistrar {
    explicit CRuntimeClassRegistrar(CRuntimeClass* record);
};

class CObject {
public:
    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass();

    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);
    // The framework's diagnostic hooks; nothing to check or dump here.
    virtual void AssertValid() const {}
    virtual void Dump() const {}

    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())
