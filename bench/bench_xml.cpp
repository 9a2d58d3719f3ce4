// The XML wrapper beside libxml2 itself: loading a 10 MB document (Big5 in,
// through the code-page layer) against xmlReadMemory of the same document in
// UTF-8, and the child key/value walk, whose cost per child must not grow with
// the number of children.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <string>

#include "bench/ratio_reporter.h"
#include "tesk/host_xml.h"
#include "tesk/platform.h"

namespace {

// About 10 MB of quote records, mostly ASCII markup with Big5 names and notes.
const std::string& Big5Document() {
    static const std::string doc = [] {
        std::string s = "<quotes>";
        char line[256];
        for (int i = 0; s.size() < 10u * 1024 * 1024; ++i) {
            std::snprintf(line, sizeof line,
                          "<q id=\"%d\" name=\"\xA5\xA8\xB9\x71%04d\" px=\"%d.%02d\" vol=\"%d\">"
                          "\xA6\xA8\xA5\xE6 %d<t>09:%02d:%02d</t></q>",
                          i, i % 10000, 100 + i % 900, i % 100, i * 7 % 100000, i, i / 60 % 60, i % 60);
            s += line;
        }
        return s + "</quotes>";
    }();
    return doc;
}

const std::string& Utf8Document() {
    static const std::string doc = TeskUtility::AnsiToUtf8(Big5Document());
    return doc;
}

void BM_Load_Library(benchmark::State& state) {
    const std::string& doc = Big5Document();
    for (auto _ : state) {
        CXMLParser xml;
        if (!xml.LoadFromString(doc.c_str())) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(doc.size()));
}

void BM_Load_Libxml2(benchmark::State& state) {
    const std::string& doc = Utf8Document();
    for (auto _ : state) {
        xmlDocPtr d = xmlReadMemory(doc.data(), static_cast<int>(doc.size()), nullptr, nullptr, 0);
        if (d == nullptr) state.SkipWithError("load failed");
        xmlFreeDoc(d);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(doc.size()));
}

std::string Children(std::int64_t n) {
    std::string s = "<r>";
    for (std::int64_t i = 0; i < n; ++i) s += "<c" + std::to_string(i % 50) + ">" + std::to_string(i) + "</c" + std::to_string(i % 50) + ">";
    return s + "</r>";
}

void BM_ChildPairs_Library(benchmark::State& state) {
    CXMLParser xml;
    xml.LoadFromString(Children(state.range(0)).c_str());
    IXMLDOMNode* r = nullptr;
    xml.QuerySingleNodeByTag("r", &r);
    for (auto _ : state) {
        CXMLParser::KeyValueQueue pairs;
        xml.QueryChildNodeKeyValue(r, pairs);
        benchmark::DoNotOptimize(pairs.size());
    }
    r->Release();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same walk straight over libxml2: name and text content of each child.
void BM_ChildPairs_Libxml2(benchmark::State& state) {
    const std::string text = Children(state.range(0));
    xmlDocPtr d = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, 0);
    for (auto _ : state) {
        std::size_t total = 0;
        for (xmlNodePtr c = xmlDocGetRootElement(d)->children; c != nullptr; c = c->next) {
            std::string name(reinterpret_cast<const char*>(c->name));
            xmlChar* content = xmlNodeGetContent(c);
            total += name.size() + std::string(reinterpret_cast<const char*>(content)).size();
            xmlFree(content);
        }
        benchmark::DoNotOptimize(total);
    }
    xmlFreeDoc(d);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Load_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load_Libxml2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChildPairs_Library)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChildPairs_Libxml2)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tesk_bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios({{"BM_Load_Library", "BM_Load_Libxml2"},
                          {"BM_ChildPairs_Library/1000", "BM_ChildPairs_Libxml2/1000"},
                          {"BM_ChildPairs_Library/100000", "BM_ChildPairs_Libxml2/100000"}});
    // Must stay flat: the time per child at 100,000 children over that at 1,000.
    const auto per = [&](const char* name, double n) { return reporter.CpuTime(name) / n * 1e3; };
    for (const char* n : {"1000", "100000"})
        std::printf("QueryChildNodeKeyValue, %6s children: %.0f ns per child\n", n,
                    per((std::string("BM_ChildPairs_Library/") + n).c_str(), std::stod(n)));
    return 0;
}
