#include <gtest/gtest.h>

#include <vector>

#include "tesk/util_options.h"

namespace {

using Entries = CParseOption::Entries;

struct Parsed { int result; Entries entries; int illegal; };

// Parses into `into` when given, else into a fresh parser.
Parsed Parse(std::vector<const char*> args, const char* options = "ab:", CParseOption* into = nullptr) {
    CParseOption fresh;
    CParseOption& p = into ? *into : fresh;
    args.insert(args.begin(), "prog");
    std::vector<char*> argv;
    for (const char* a : args) argv.push_back(const_cast<char*>(a));
    argv.push_back(nullptr);
    const int result = p.ParseOptions(static_cast<int>(args.size()), argv.data(), options);
    return {result, p.GetOptions(), p.IsIllegalOption()};
}

}  // namespace

TEST(ParseOption, CommandLines) {
    struct Case {
        std::vector<const char*> args;
        Entries expected;
        int result;
    };
    const Case kCases[] = {
        {{"-a", "-b", "val", "f1", "f2"}, {{'a', ""}, {'b', "val"}, {0, "f1"}, {0, "f2"}}, 1},
        {{"-bval"}, {{'b', "val"}}, 1}, {{"-x", "f1"}, {{'?', ""}, {0, "f1"}}, 0},
        {{"-a", "-b"}, {{'a', ""}, {'?', ""}}, 0}, {{"-ab"}, {{'a', ""}}, 1},
        {{"-a", "--", "-b", "f1"}, {{'a', ""}, {0, "-b"}, {0, "f1"}}, 1}, {{"f1", "-a"}, {{0, "f1"}, {0, "-a"}}, 1},
        {{"-"}, {{0, "-"}}, 1}, {{"-b", "-a"}, {{'b', "-a"}}, 1}, {{}, {}, 1}, {{"--"}, {}, 1},
        {{"-:"}, {{'?', ""}}, 0},            // ':' is never an option letter
        {{"-x", "-a", "-y"}, {{'?', ""}, {'a', ""}, {'?', ""}}, 0},  // parsing goes on after an illegal option
        {{"-b", "", "x"}, {{'b', ""}, {0, "x"}}, 1}, {{"-\xA4\x40"}, {{'?', ""}}, 0},
    };
    for (const Case& c : kCases) {
        const Parsed p = Parse(c.args);
        EXPECT_EQ(p.entries, c.expected) << (c.args.empty() ? "(none)" : c.args[0]);
        EXPECT_EQ(p.result, c.result) << (c.args.empty() ? "(none)" : c.args[0]);
        EXPECT_EQ(p.illegal, c.result ? 0 : 1);
    }
    // A4 40 is one Big5 character: its trail byte '@' is not the option '@'.
    EXPECT_EQ(Parse({"-@"}, "\xA4\x40").result, 0);
    EXPECT_EQ(Parse({"-@"}, "\xA4\x40@").result, 1);
}

// Nulls and odd counts are refused or read as empty operands.
TEST(ParseOption, SecondParseAppendsCopiesKeepEverythingAndNulls) {
    CParseOption p;
    Parse({"-x"}, "ab:", &p);
    EXPECT_EQ(p.IsIllegalOption(), 1);
    const Parsed second = Parse({"-a", "f"}, "ab:", &p);
    EXPECT_EQ(second.result, 1);
    EXPECT_EQ(second.illegal, 0);  // the flag is per parse
    EXPECT_EQ(second.entries, (Entries{{'?', ""}, {'a', ""}, {0, "f"}}));

    CParseOption copy(p);
    EXPECT_EQ(copy.GetOptions(), p.GetOptions());
    CParseOption assigned;
    Parse({"-x"}, "ab:", &assigned);
    assigned = copy;
    EXPECT_EQ(assigned.GetOptions(), p.GetOptions());
    EXPECT_EQ(assigned.IsIllegalOption(), 0);

    CParseOption n;
    EXPECT_EQ(n.ParseOptions(2, nullptr, "a"), 0);
    char prog[] = "prog", dash[] = "-a";
    char* argv[] = {prog, nullptr, dash, nullptr};
    EXPECT_EQ(n.ParseOptions(3, argv, nullptr), 0);
    EXPECT_TRUE(n.GetOptions().empty());
    EXPECT_EQ(n.ParseOptions(3, argv, "a"), 1);  // a null argument is an empty operand
    EXPECT_EQ(n.GetOptions(), (Entries{{0, ""}, {0, "-a"}}));
    CParseOption q;
    EXPECT_EQ(q.ParseOptions(-4, argv, "a"), 1);
    EXPECT_EQ(q.ParseOptions(0, argv, "a"), 1);
    EXPECT_TRUE(q.GetOptions().empty());
    char bval[] = "-b";
    char* missing[] = {prog, bval, nullptr};
    EXPECT_EQ(q.ParseOptions(2, missing, "b:"), 0);
    EXPECT_EQ(q.GetOptions(), (Entries{{'?', ""}}));
}
