// CTeskSerializableMap: a flat, sorted key/value dictionary of narrow text with
// the setting store's typed accessors, written to and read from an archive.
//
//   CTeskSerializableMap map;                 // narrow layout; SetStoreUCS2LE(1) for UTF-16LE
//   map.AddInteger("Width", 80);
//   CFile f("board.map", CFile::modeCreate | CFile::modeWrite);
//   CArchive ar(f, CArchive::store);
//   map.Serialize(ar);                        // "TSM ", count, "key\nvalue\n" ...
//   ar.Close();
//
// Loading a damaged archive (wrong magic) shows a stop message box through
// TeskUtility::MessageBox and throws CUserException; the map is untouched.
// A map is used by one thread at a time.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "tesk/settings_object.h"
#include "tesk/types.h"

class CTeskSerializableMap : public CObject {
public:
    static CRuntimeClass classCTeskSerializableMap;
    static CRuntimeClass* GetThisClass();
    static CRuntimeClass* _GetBaseClass();
    static CObject* CreateObject();
    CRuntimeClass* GetRuntimeClass() const override;

    explicit CTeskSerializableMap(int storeUCS2LE = 0);
    CTeskSerializableMap(const CTeskSerializableMap& other);
    CTeskSerializableMap& operator=(const CTeskSerializableMap& other);
    ~CTeskSerializableMap() override;

    // Loads or stores by the archive's direction, in the layout the flag selects.
    void Serialize(CArchive& ar) override;

    void SetStoreUCS2LE(int storeUCS2LE) { m_bStoreUCS2LE = storeUCS2LE; }
    int IsStoreUCS2LE() const { return m_bStoreUCS2LE; }

    void Clear();
    int IsEmpty() const;
    unsigned GetCount() const;
    int IsExist(const char* key) const;
    int Delete(const char* key);
    // Writes up to maxCount key pointers in ascending key order; returns how many.
    std::uint32_t GetKeyList(const char** list, std::uint32_t maxCount) const;

    // Null or missing key: null.
    const char* QueryString(const char* key) const;
    int AddString(const char* key, const char* value);
    // Null or missing key: the default. Text that is no number reads as 0.
    int QueryInteger(const char* key, int defaultValue) const;
    std::int64_t QueryInteger64(const char* key, std::int64_t defaultValue) const;
    double QueryDouble(const char* key, double defaultValue) const;
    int AddInteger(const char* key, int value);
    int AddInteger64(const char* key, std::int64_t value);
    int AddDouble(const char* key, double value);
    // The setting store's protocol: `size` is the capacity in, the need or 0 out.
    void* QueryBinary(const char* key, void* buffer, std::uint32_t& size) const;
    int AddBinary(const char* key, const void* data, std::uint32_t size);

protected:
    void SaveStateA(CArchive& ar) const;
    void SaveStateW(CArchive& ar) const;
    void LoadStateA(CArchive& ar);
    void LoadStateW(CArchive& ar);

    const char* QueryValue(const char* key) const;
    unsigned QueryValueLength(const char* key) const;
    int AddValue(const char* key, const char* value);
    int DeleteValue(const char* key);

private:
    // Reads the magic; false when the archive is too short to hold it.
    bool ReadMagic(CArchive& ar);
    void WriteHeader(CArchive& ar) const;

    int m_bStoreUCS2LE;
    // std::string orders by unsigned bytes, as the platform's string comparison does.
    std::map<std::string, std::string> m_entries;
};
