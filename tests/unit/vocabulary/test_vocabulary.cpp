#include "interpreter/Codes_class.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <thread>
#include <vector>

namespace {

std::vector<AnsiString> SplitLines(const AnsiString& text)
{
    std::vector<AnsiString> lines;
    size_t start = 0;
    for (size_t at = text.find("\r\n"); at != AnsiString::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

AnsiString Keywords(int kind)
{
    AnsiString text;
    Vocabulary::instance().KeywordList(kind, text);
    return text;
}

// Every name that shares its code with another name of the same table.
std::map<int, std::vector<AnsiString>> SharedCodes(const Codes_Class& table)
{
    std::map<int, std::vector<AnsiString>> byCode;
    for (const auto& node : table.entries())
        byCode[node.code].push_back(node.name);
    std::erase_if(byCode, [](const auto& entry) { return entry.second.size() < 2; });
    return byCode;
}

} // namespace

TEST(Vocabulary, TableSizes)
{
    const Vocabulary& vocabulary = Vocabulary::instance();
    EXPECT_EQ(vocabulary.statements.count(), 405);
    EXPECT_EQ(vocabulary.functions.count(), 485);
    EXPECT_EQ(vocabulary.constants.count(), 227);
}

TEST(Vocabulary, BuiltOnceAndSharedAcrossThreads)
{
    std::vector<const Vocabulary*> seen(4, nullptr);
    std::vector<std::thread> threads;
    for (size_t k = 0; k < seen.size(); ++k)
        threads.emplace_back([&seen, k] { seen[k] = &Vocabulary::instance(); });
    for (auto& thread : threads)
        thread.join();
    for (const Vocabulary* vocabulary : seen)
        EXPECT_EQ(vocabulary, &Vocabulary::instance());
    EXPECT_EQ(Vocabulary::instance().functions.count(), 485);
}

TEST(Vocabulary, StatementLookups)
{
    struct Case {
        const char* name;
        int code;
    };
    const Case cases[] = {
        { "print", 1202 },
        { "PRINT", 1202 },
        { "Print", 1202 },
        { " print ", 1202 },
        { "write", 1202 },
        { "if", 1001 },
        { "elseif", 1003 },
        { "endif", 1005 },
        { "abortmethod", 1024 },
        { "exit", 1023 },
        { "brotr", 1113 },
        { "brotl", 1112 },
        { "bshiftl", 1110 },
        { "serout", 1408 },
        { "xyinput", 1200 },
        { "sendemail", 2050 },
        { "objectget", 2054 },
        { "recordget", 2054 },
        { "msortr", 2017 },
        { "msort", 2017 },
        { "geCentroids", 2108 },
        { "gecentroids", 2108 },
        { "nwt_wspeeddirection", 99014 },
        { "onerror", 17023 },
        { "geterror", 17024 },
        { "onabort", 17040 },
        { "seteditdim", 28012 },
        { "seteditfont", 28013 },
        { "settimerticks", 98005 },
        { "mediaplay", 100001 },
        { "scrgetmetrics", 100012 },
        { "oldstyle", 1371 },
    };
    for (const Case& test : cases) {
        int code = 0;
        EXPECT_EQ(Vocabulary::instance().statements.Find(test.name, &code), 1) << test.name;
        EXPECT_EQ(code, test.code) << test.name;
    }
    // Statements carry name and code only.
    for (const auto& node : Vocabulary::instance().statements.entries()) {
        EXPECT_TRUE(node.minArgs == 0 && node.maxArgs == 0 && node.defaultArg == 0 && node.group == 0) << node.name;
        EXPECT_EQ(node.signature, "") << node.name;
    }
}

TEST(Vocabulary, FunctionLookups)
{
    struct Case {
        const char* name;
        int code, minArgs, maxArgs, defaultArg;
        const char* signature;
        int group;
    };
    const Case cases[] = {
        { "strofbytes", 10003, 0, 0, 0, "", 0 },
        { "rdbumper", 5406, 0, 1, -1, "n", 1 },
        { "rcompass", 5408, 0, 0, 0, "n", 1 },
        { "rcommand", 5416, 2, 2, 0, "nn", 1 },
        { "msgbox", 5213, 1, 7, -1, "Aziiiii", 200 },
        { "mdim", 5211, 1, 1, 0, "a", 2 },
        { "mtostring", 5223, 1, 2, 0, "As", 2 },
        { "pi", 5001, 0, 1, 1, "n", 3 },
        { "map", 5047, 5, 5, 0, "nnnnn", 3 },
        { "bitswap", 5248, 1, 2, 8, "nn", 4 },
        { "keydown", 5077, 0, 1, -1, "n", 4 },
        { "hex", 5038, 1, 2, 1, "nn", 5 },
        { "soundex", 5070, 1, 2, 4, "sn", 5 },
        { "instring", 5067, 2, 3, 0, "ssn", 5 },
        { "re_replace", 10107, 1, 4, -1, "ssnn", 200 },
        { "substring", 5062, 1, 3, 0, "snn", 200 },
        { "strinput", 5071, 0, 3, 0, "zzz", 200 },
        { "filesave", 5314, 0, 1, 0, "z", 6 },
        { "fileexists", 5301, 1, 1, 0, "s", 7 },
        { "fileread", 5291, 1, 2, 1, "nn", 8 },
        { "vtype", 5226, 1, 1, 0, "v", 10 },
        { "mediastate", 5111, 1, 1, 0, "i", 200 },
        { "time", 5704, 0, 1, 1, "n", 200 },
        { "date", 5706, 0, 1, 1, "n", 200 },
        { "timeval", 5722, 4, 4, 0, "nnnn", 11 },
        { "udp_send", 5925, 3, 4, -1, "sssn", 12 },
        { "buffwrite", 10008, 3, 3, 0, "snz", 13 },
        { "lastmouse", 99006, 0, 0, 0, "n", 14 },
        { "getlistboxitem", 39003, 2, 2, 0, "sn", 15 },
        { "qelm_initports", 5812, 1, 1, 0, "n", 16 },
        { "qelm_initportswexad", 5812, 1, 1, 0, "n", 16 },
        { "qelm_wire2data", 5851, 2, 2, 0, "ns", 200 },
        { "degrees", 5723, 0, 3, 0, "znn", 200 },
        { "lat_dms", 5724, 1, 1, 0, "n", 17 },
        { "ff_pvp", 5255, 5, 5, 0, "nnnnn", 18 },
        { "CAPTUREIMAGE", 5272, 0, 1, 0, "s", 19 },
        { "re_setup", 10100, 1, 2, -1, "sn", 20 },
        { "commandslist", 10012, 0, 0, -1, "", 200 },
        { "statementslist", 10014, 0, 0, -1, "", 200 },
        { "filexists", 5301, 1, 1, 0, "s", 21 },
        { " FilPath ", 5307, 1, 1, 0, "s", 21 },
    };
    for (const Case& test : cases) {
        int code = 0, minArgs = -9, maxArgs = -9, defaultArg = -9, group = -9;
        AnsiString signature = "?";
        ASSERT_EQ(Vocabulary::instance().functions.Find(
                      test.name, &code, &minArgs, &maxArgs, &defaultArg, &signature, &group),
            1)
            << test.name;
        EXPECT_EQ(code, test.code) << test.name;
        EXPECT_EQ(minArgs, test.minArgs) << test.name;
        EXPECT_EQ(maxArgs, test.maxArgs) << test.name;
        EXPECT_EQ(defaultArg, test.defaultArg) << test.name;
        EXPECT_EQ(signature, test.signature) << test.name;
        EXPECT_EQ(group, test.group) << test.name;
    }
}

TEST(Vocabulary, FunctionRowsAreWellFormed)
{
    const std::set<int> groups = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 200 };
    for (const auto& node : Vocabulary::instance().functions.entries()) {
        EXPECT_LE(0, node.minArgs) << node.name;
        EXPECT_LE(node.minArgs, node.maxArgs) << node.name;
        EXPECT_LE(node.maxArgs, 10) << node.name;
        EXPECT_GE(node.signature.size(), static_cast<size_t>(node.maxArgs)) << node.name;
        EXPECT_EQ(node.signature.find_first_not_of("nisvzAa"), AnsiString::npos) << node.name;
        EXPECT_TRUE(groups.contains(node.group)) << node.name;
    }
}

TEST(Vocabulary, OnlyTheKnownAliasesShareCodes)
{
    using Shared = std::map<int, std::vector<AnsiString>>;
    EXPECT_EQ(SharedCodes(Vocabulary::instance().statements),
        (Shared { { 1202, { "print", "write" } }, { 2017, { "msortr", "msort" } },
            { 2054, { "objectget", "recordget" } }, { 2055, { "objectput", "recordput" } } }));

    Shared functions = SharedCodes(Vocabulary::instance().functions);
    EXPECT_EQ(functions[5812],
        (std::vector<AnsiString> {
            "qelm_initports", "qelm_initportswexaa", "qelm_initportswexab", "qelm_initportswexad" }));
    functions.erase(5812);
    // The rest are the ten older fil names, each after the file name it stands for.
    ASSERT_EQ(functions.size(), 10u);
    for (const auto& [code, names] : functions) {
        ASSERT_EQ(names.size(), 2u) << code;
        EXPECT_EQ(names[0].substr(0, 4), "file") << code;
        EXPECT_EQ("fil" + names[0].substr(4), names[1]) << code;
    }
}

TEST(Vocabulary, ConstantLookups)
{
    struct Case {
        const char* name;
        int value;
    };
    const Case cases[] = {
        { "on", 1 },
        { "off", 0 },
        { "yes", 1 },
        { "no", 2 },
        { "YES", 1 },
        { "integer", 105 },
        { "float", 102 },
        { "string", 115 },
        { "white", 15 },
        { "br256000", 14 },
        { "mb_button3", 512 },
        { "mb_no", 6 },
        { "cr_default", 0 },
        { "cr_iBeam", -4 },
        { "cr_ibeam", -4 },
        { "kc_f12", 123 },
        { "fo_denynone", 64 },
        { "cc_hptowatt", 61 },
        { "re_ignorewhitespace", 32 },
        { "ms_paused", 5 },
        { "sw_bartlet", 5 },
    };
    for (const Case& test : cases) {
        int value = 12345;
        EXPECT_EQ(Vocabulary::instance().constants.Find(test.name, &value), 1) << test.name;
        EXPECT_EQ(value, test.value) << test.name;
    }
}

TEST(Vocabulary, CursorConstantsSkipMinusFive)
{
    std::vector<int> values;
    for (const auto& node : Vocabulary::instance().constants.entries()) {
        if (node.name.starts_with("cr_")) values.push_back(node.code);
    }
    std::vector<int> expected = { 0 };
    for (int value = -1; value >= -21; --value) {
        if (value != -5) expected.push_back(value);
    }
    EXPECT_EQ(values, expected);
    int code = 0;
    EXPECT_EQ(Vocabulary::instance().constants.Find("cr_handpoint", &code), 1);
    EXPECT_EQ(code, -21);
}

TEST(Vocabulary, UnknownNamesAreNotFoundInAnyTable)
{
    const Vocabulary& vocabulary = Vocabulary::instance();
    for (const char* name : { "", " ", "!=", "prin", "printx", "fil", "sub", "#include", "print write" }) {
        int code = 77;
        EXPECT_EQ(vocabulary.statements.Find(name, &code), 0) << name;
        EXPECT_EQ(vocabulary.functions.Find(name, &code), 0) << name;
        EXPECT_EQ(vocabulary.constants.Find(name, &code), 0) << name;
        EXPECT_EQ(code, 77) << name;
    }
    // Each kind of keyword lives in its own table only.
    EXPECT_EQ(vocabulary.functions.Lookup("print"), nullptr);
    EXPECT_EQ(vocabulary.statements.Lookup("sin"), nullptr);
    EXPECT_EQ(vocabulary.statements.Lookup("yes"), nullptr);
}

TEST(KeywordList, EveryKindHasOneNameALineWithoutEmptyLines)
{
    for (int kind = 0; kind <= 4; ++kind) {
        AnsiString text = Keywords(kind);
        ASSERT_FALSE(text.empty()) << kind;
        for (const AnsiString& line : SplitLines(text)) {
            EXPECT_FALSE(line.empty()) << kind;
            EXPECT_EQ(line.find_first_of(" \r\n"), AnsiString::npos) << kind;
        }
    }
}

TEST(KeywordList, Commands)
{
    std::vector<AnsiString> lines = SplitLines(Keywords(0));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "serout");
    EXPECT_EQ(lines[lines.size() - 2], "geterror");
    EXPECT_EQ(lines.back(), "#include");
    // From serout to geterror in the statement table, plus the include line.
    const auto& entries = Vocabulary::instance().statements.entries();
    auto position = [&entries](const char* name) {
        return std::find_if(entries.begin(), entries.end(), [name](const auto& node) { return node.name == name; })
            - entries.begin();
    };
    EXPECT_EQ(static_cast<long>(lines.size()), position("oldstyle") - position("serout") + 1);
}

TEST(KeywordList, Functions)
{
    std::vector<AnsiString> lines = SplitLines(Keywords(1));
    EXPECT_EQ(lines.size(), 475u);
    EXPECT_EQ(lines.front(), "strofbytes");
    EXPECT_EQ(lines.back(), "statementslist");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "filedir"), lines.end());
}

TEST(KeywordList, Statements)
{
    EXPECT_EQ(Keywords(2),
        "if\r\nelse\r\nelseif\r\nendif\r\nthen\r\nrepeat\r\nuntil\r\nwhile\r\nwend\r\ngosub\r\ncall\r\nreturn\r\n"
        "for\r\nto\r\nstep\r\nnext\r\nbreak\r\ncontinue\r\ngoto\r\nontimer\r\nonserial\r\nonkey\r\nonmouse\r\n"
        "onbutton\r\nonedit\r\nonudp\r\nontcpc\r\nontcps\r\nonlistbox\r\nonrbgroup\r\noncheckbox\r\nonslider\r\n"
        "onspinner\r\nonmemo\r\nonabort\r\nonerror\r\nend\r\nterminate\r\nexit\r\nsub");
}

TEST(KeywordList, ConstantsAndOperators)
{
    std::vector<AnsiString> constants = SplitLines(Keywords(3));
    EXPECT_EQ(constants.size(), 227u);
    EXPECT_EQ(constants.front(), "on");
    EXPECT_EQ(constants.back(), "sw_bartlet");
    EXPECT_EQ(constants[78], "cr_ibeam"); // listed lower-cased

    EXPECT_EQ(
        Keywords(4), "and\r\nor\r\nxor\r\nnot\r\nband\r\nbor\r\nbxor\r\nbnot\r\nbshiftl\r\nbshiftr\r\nbrotr\r\nbrotl");
}

TEST(KeywordList, HiddenStatementsAppearInNoList)
{
    for (int kind = 0; kind <= 4; ++kind) {
        std::vector<AnsiString> lines = SplitLines(Keywords(kind));
        for (const char* hidden :
            { "oldstyle", "rlinecolor", "rbeaconcolor", "mreadold", "msort", "fildir", "filpath" })
            EXPECT_EQ(std::find(lines.begin(), lines.end(), hidden), lines.end()) << kind << " " << hidden;
    }
}

TEST(KeywordList, OtherKindsLeaveTheTextUnchanged)
{
    for (int kind : { -1, 5, 10012, 1 << 30 }) {
        AnsiString text = "untouched\r\n";
        Vocabulary::instance().KeywordList(kind, text);
        EXPECT_EQ(text, "untouched\r\n") << kind;
    }
    // A valid kind replaces whatever the text held.
    AnsiString text = "old";
    Vocabulary::instance().KeywordList(4, text);
    EXPECT_EQ(text.substr(0, 5), "and\r\n");
}
