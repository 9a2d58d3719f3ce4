// CTeskSetting: a settings document in memory, sections of key/value text,
// with typed access and a text file form in a narrow or a UTF-16LE encoding.
//
//   CTeskSetting s;                          // narrow file format
//   s.LoadFile("quote.ini");                 // merges; values already held win
//   s.AddSection("Price");                   // Add* needs the section to exist
//   s.AddDouble("Price", "Tick", 0.05);      // stored as "5.e-002"
//   int width = s.QueryInteger("Price", "Width", 1);
//   s.SaveFile("quote.ini");
//
// Names are byte strings compared exactly (case matters, "" is a name).
// Enumeration order is the hash tables' order: neither insertion nor sorted.
// Pointers handed out (QueryString, GetSectionList, GetKeyList) stay valid
// until that entry changes or the store is loaded into, assigned or swapped.
// A store is used by one thread at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "tesk/types.h"

class CTeskSetting {
public:
    // A section's key table; opaque outside the library.
    class KeyTable;

    explicit CTeskSetting(int storeUCS2LE = 0);
    // Deep copy of flags and sections; the copy has no file-order lists.
    CTeskSetting(const CTeskSetting& other);
    // Replaces flags and sections with deep copies; keeps this store's file-order lists.
    CTeskSetting& operator=(const CTeskSetting& other);
    virtual ~CTeskSetting();
    // Exchanges flags and sections in constant time; file-order lists stay put.
    virtual void Swap(CTeskSetting& other);

    int IsStoreUCS2LE() const { return m_bStoreUCS2LE; }
    int IsLoaded() const { return m_bLoaded; }

    // ---- sections ----
    int AddSection(const char* section);
    int DeleteSection(const char* section);
    int IsExist(const char* section) const;
    std::uint32_t GetSectionListCount() const;
    std::uint32_t GetSectionList(const char** list, std::uint32_t maxCount) const;

    // ---- keys ----
    int IsExist(const char* section, const char* key) const;
    int Delete(const char* section, const char* key);
    std::uint32_t GetKeyListCount(const char* section) const;
    std::uint32_t GetKeyList(const char* section, const char** list, std::uint32_t maxCount) const;

    // ---- typed values (the section must exist before an Add) ----
    // Null section or key: null. Missing: `defaultValue` itself.
    const char* QueryString(const char* section, const char* key, const char* defaultValue = nullptr) const;
    int AddString(const char* section, const char* key, const char* value);
    // Null argument or missing entry: the default. Text that is no number reads as 0.
    int QueryInteger(const char* section, const char* key, int defaultValue = 0) const;
    std::int64_t QueryInteger64(const char* section, const char* key, std::int64_t defaultValue = 0) const;
    double QueryDouble(const char* section, const char* key, double defaultValue = 0.0) const;
    int AddInteger(const char* section, const char* key, int value);
    int AddInteger64(const char* section, const char* key, std::int64_t value);
    // 12 significant digits: 100 -> "100.", 0.05 -> "5.e-002", 1e12 -> "1.e+012".
    int AddDouble(const char* section, const char* key, double value);
    // On entry `size` is the buffer's capacity. Returns the buffer when decoded;
    // otherwise null, with `size` = bytes needed (null or small buffer) or 0
    // (missing key, odd length, bad digit).
    void* QueryBinary(const char* section, const char* key, void* buffer, std::uint32_t& size) const;
    // Stores the bytes as upper-case hexadecimal.
    int AddBinary(const char* section, const char* key, const void* data, std::uint32_t size);

    // ---- files ----
    // LoadFile/SaveFile pick the wide (UTF-16LE, LF) or narrow (CR LF) format
    // by the flag given at construction. Loads merge: the first value met wins.
    int LoadFile(const char* path);
    int SaveFile(const char* path) const;
    int LoadFileA(const char* path);
    int LoadFileW(const char* path);
    int SaveFileA(const char* path) const;
    int SaveFileW(const char* path) const;
    // Empties the store, loads a narrow file and records each section's keys in file order.
    int LoadFileByFileOrder(const char* path);
    // The keys of `section` as the last LoadFileByFileOrder met them (duplicates
    // included); returns min(maxCount, the section's key count).
    std::uint32_t GetKeyListByFileOrder(const char* section, const char** list, std::uint32_t maxCount) const;

private:
    class SectionTable;
    class FileOrderTable;
    enum class LoadKind : int;

    int Load(const char* path, LoadKind kind);
    int Save(const char* path, bool wide) const;

    const char* QueryValue(const char* section, const char* key) const;
    int QueryValueLength(const char* section, const char* key) const;
    int AddValue(const char* section, const char* key, const char* value);
    int DeleteValue(const char* section, const char* key);
    KeyTable* GetSectionData(const char* section, int create);
    const KeyTable* GetSectionData(const char* section) const;

    int m_bStoreUCS2LE;
    int m_bLoaded = 0;
    std::unique_ptr<SectionTable> m_sections;
    std::unique_ptr<FileOrderTable> m_fileOrder;  // created by the first load by file order
};
