#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "host/typelib_reader.h"
#include "io_test_support.h"
#include "tesk/host_typelib.h"

namespace fs = std::filesystem;
using TeskUtility::QueryTypeLibAttr;
using TeskUtility::StringFromCLSID;

namespace {

std::vector<std::string> Names(const std::vector<GUID>& ids) {
    std::vector<std::string> out;
    for (const auto& g : ids) out.push_back(StringFromCLSID(g));
    return out;
}

const std::vector<std::string> kTwoClasses = {"{A1B2C3D4-E5F6-4789-ABCD-EF0123456789}",
                                              "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}"};

// Files written by an independent IDL compiler (widl), from the .idl sources beside them.
TEST(TypeLib, ReadsLibrariesOfAnIndependentCompilerAndRefusesFilesThatLie) {
    struct Case {
        const char* file;
        const char* libid;
        unsigned short major, minor;
        LCID lcid;
        SYSKIND syskind;
        std::vector<std::string> classes;
    };
    const std::vector<Case> cases = {
        {"two_classes.tlb", "{6B1E4C2A-3D5F-4A7B-8C9D-0E1F2A3B4C5D}", 2, 5, 0x404, SYS_WIN32, kTwoClasses},
        {"mixed_kinds.tlb", "{2C4D6E8F-1A3B-4C5D-9E7F-80A1B2C3D4E5}", 1, 0, 0, SYS_WIN64,
         {"{99887766-5544-3322-1100-FFEEDDCCBBAA}"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string(TESK_TYPELIB_DATA) + "/" + c.file;
        GUID libid{};
        unsigned short major = 0, minor = 0;
        LCID lcid = 0;
        SYSKIND syskind = SYS_WIN16;
        std::vector<GUID> classes;
        ASSERT_EQ(QueryTypeLibAttr(path.c_str(), &libid, &major, &minor, &lcid, &syskind, &classes), 1);
        EXPECT_EQ(StringFromCLSID(libid), c.libid);  // upper case, zero-padded
        EXPECT_EQ(std::tie(major, minor, lcid, syskind), std::tie(c.major, c.minor, c.lcid, c.syskind));
        EXPECT_EQ(Names(classes), c.classes);
        EXPECT_EQ(TeskUtility::IsTypeLib(path.c_str()), 1);
        EXPECT_EQ(QueryTypeLibAttr(path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
    }
    EXPECT_EQ(TeskUtility::IsTypeLib(TESK_TYPELIB_DATA "/two_classes.idl"), 0);

    // Files that lie.
    const std::string file = ReadFile(TESK_TYPELIB_DATA "/two_classes.tlb");
    const std::vector<unsigned char> good(file.begin(), file.end());
    ASSERT_GT(good.size(), 0x200u);
    TeskUtility::detail::TypeLibAttributes attrs;
    // Every segment reaches the end of this file: no proper prefix may read.
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(TeskUtility::detail::ReadTypeLib(good.data(), n, attrs)) << n;

    // Header at 0, type-info offsets at 0x54, segment directory at 0x5C (16 bytes each); "far" points
    // past its table.
    const std::tuple<const char*, std::size_t, std::uint32_t> patches[] = {
        {"magic", 0x00, 0x54534D46}, {"far_libid", 0x08, 0x7FFFFFF0}, {"negative_libid", 0x08, 0xFFFFFFF0},
        {"huge_count", 0x20, 0x7FFFFFFF}, {"negative_count", 0x20, 0x80000000}, {"far_info", 0x58, 0x10000},
        {"infos_past_end", 0x5C, 0x7FFFFF00}, {"infos_too_long", 0x60, 0x7FFFFFFF},
        {"far_coclass", 0x14C + 0x2C, 0x7FFFFFF0},
    };
    for (const auto& [name, at, value] : patches) {
        auto bad = good;
        for (int i = 0; i < 4; ++i) bad[at + i] = static_cast<unsigned char>(value >> (8 * i));
        EXPECT_FALSE(TeskUtility::detail::ReadTypeLib(bad.data(), bad.size(), attrs)) << name;
    }
}

// A fresh record folder and plug-in copies per test; the plug-ins log to a file.
class TypeLibManager : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_DATA_HOME", dir_.Path().c_str(), 1);
        ::setenv("TESK_PLUGIN_LOG", (dir_ / "calls.log").c_str(), 1);
    }
    void TearDown() override { ::unsetenv("TESK_PLUGIN_LOG"); }
    // Places plug-in `variant` as NAME.so beside a copy of `tlb` as NAME.tlb; answers the module path.
    std::string Plugin(const std::string& name, const std::string& variant, const std::string& tlb) {
        fs::copy_file(TESK_PLUGIN_DIR "/libtesk_plugin_" + variant + ".so", dir_ / (name + ".so"));
        fs::copy_file(TESK_TYPELIB_DATA "/" + tlb, dir_ / (name + ".tlb"));
        return dir_ / (name + ".so");
    }
    std::string Calls() const { return dir_.Read("calls.log"); }
    long Records() const {
        std::error_code none;  // no folder yet: no records
        return std::distance(fs::directory_iterator(dir_.Path() / "TeskUtilityLib/typelibs", none), {});
    }

    TempDir dir_;
};

const GUID kTwoClassesLib{0x6B1E4C2A, 0x3D5F, 0x4A7B, {0x8C, 0x9D, 0x0E, 0x1F, 0x2A, 0x3B, 0x4C, 0x5D}};
const GUID kFirstClass{0xA1B2C3D4, 0xE5F6, 0x4789, {0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89}};

TEST_F(TypeLibManager, RegistersOnceUndoesEverythingAndCopesWithThreads) {
    const std::string module = Plugin("alpha", "ok", "two_classes.tlb");
    CSelfRegTypeLibMgr mgr;
    std::vector<GUID> classes;
    EXPECT_EQ(mgr.RegisterTypeLib(module.c_str(), classes), 0);  // not initialised
    ASSERT_EQ(mgr.Initialize(), 1);
    EXPECT_EQ(mgr.Initialize(), 0);

    // Refused modules leave nothing behind: the module's name, the plug-in it is, the file beside it
    // and the calls it logs.
    const char* const cases[][4] = {
        {"failing", "failing", "two_classes.tlb", "failing register\n"},  // DllRegisterServer fails
        {"noexport", "noexport", "two_classes.tlb", ""},                   // DllUnregisterServer missing
        {"notlb", "ok", "two_classes.idl", ""},                            // no type library beside it
    };
    for (const auto& [name, variant, tlb, calls] : cases) {
        SCOPED_TRACE(name);
        fs::remove(dir_ / "calls.log");
        GUID first{};
        EXPECT_EQ(mgr.RegisterTypeLib(Plugin(name, variant, tlb).c_str(), &first), 0);
        EXPECT_EQ(Calls(), calls);
        EXPECT_EQ(Records(), 0);
    }
    EXPECT_EQ(mgr.RegisterTypeLib("", nullptr), 0);
    EXPECT_EQ(mgr.RegisterTypeLib((dir_ / "absent.so").c_str(), nullptr), 0);

    ASSERT_EQ(mgr.RegisterTypeLib(module.c_str(), classes), 1);
    EXPECT_EQ(Names(classes), kTwoClasses);
    EXPECT_EQ(TeskUtility::TypeLibExists(kTwoClassesLib, 2, 5, 0x404), 1);
    EXPECT_EQ(TeskUtility::TypeLibExists(kTwoClassesLib, 2, 4, 0x404), 0);
    EXPECT_EQ(TeskUtility::TypeLibCoClassExists(kFirstClass), 1);
    EXPECT_EQ(TeskUtility::TypeLibCoClassExists(GUID{}), 0);

    // The second registration (through the .tlb path) fails and undoes only its own steps.
    GUID first{};
    EXPECT_EQ(mgr.RegisterTypeLib((dir_ / "alpha.tlb").c_str(), &first), 0);
    EXPECT_EQ(Calls(), "ok register\nok register\nok unregister\n");
    EXPECT_EQ(TeskUtility::TypeLibExists(kTwoClassesLib, 2, 5, 0x404), 1);
    EXPECT_EQ(Records(), 1);

    EXPECT_EQ(mgr.UnRegisterTypeLib(kFirstClass), 0);  // never registered
    EXPECT_EQ(mgr.Finalize(), 1);
    EXPECT_EQ(mgr.Finalize(), 0);
    EXPECT_EQ(mgr.UnRegisterTypeLib(kTwoClassesLib), 0);
    EXPECT_EQ(Calls(), "ok register\nok register\nok unregister\nok unregister\n");
    EXPECT_EQ(TeskUtility::TypeLibExists(kTwoClassesLib, 2, 5, 0x404), 0);
    EXPECT_EQ(TeskUtility::TypeLibCoClassExists(kFirstClass), 0);
    EXPECT_EQ(Records(), 0);

    // Initialised again, threads register at once, each module twice: exactly one of each may win.
    ASSERT_EQ(mgr.Initialize(), 1);
    const std::vector<std::string> modules = {Plugin("a", "ok", "two_classes.tlb"),
                                              Plugin("b", "ok", "mixed_kinds.tlb"),
                                              Plugin("c", "ok", "no_classes.tlb")};
    std::vector<int> results(modules.size() * 2);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < results.size(); ++i)
        threads.emplace_back([&, i] {
            std::vector<GUID> found;
            results[i] = mgr.RegisterTypeLib(modules[i % modules.size()].c_str(), found);
        });
    for (auto& t : threads) t.join();
    for (std::size_t m = 0; m < modules.size(); ++m)
        EXPECT_EQ(results[m] + results[m + modules.size()], 1) << m;
    EXPECT_EQ(Records(), 3);
    EXPECT_EQ(TeskUtility::TypeLibCoClassExists(kFirstClass), 1);
    EXPECT_EQ(mgr.Finalize(), 1);
    EXPECT_EQ(Records(), 0);
}

}  // namespace
