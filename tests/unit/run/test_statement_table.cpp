#include "interpreter/Codes_class.h"
#include "interpreter/ErrorMessages.h"
#include "interpreter/statements/StatementTable.h"
#include "tests/support/RunHarness.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

// The statement families against the vocabulary: each row a family serves
// has a handler and a code no other family serves, and a registered word no
// family serves yet is refused by name.

TEST(StatementTable, EveryRowHasAHandlerAndOneFamily)
{
    std::map<int, const StatementFamily*> servedBy;
    for (const StatementFamily* family : StatementFamilies()) {
        for (int k = 0; k < family->count; ++k) {
            const StatementEntry& entry = family->entries[k];
            const int code = Code(entry.code);
            EXPECT_NE(entry.handler, nullptr) << code;
            const auto [at, fresh] = servedBy.emplace(code, family);
            EXPECT_TRUE(fresh || at->second == family) << "served by two families: " << code;
            EXPECT_EQ(FindStatementHandler(code), entry.handler) << code;
        }
    }
}

TEST(StatementTable, UnservedWordsAreRefusedByName)
{
    // Any registered statement of a family not built yet: a clear error 88 at
    // its line, whatever its operands, and the run does not go on.
    const Codes_Class::Node* unserved = nullptr;
    for (const Codes_Class::Node& node : Vocabulary::instance().statements.entries()) {
        if (node.code >= 1200 && FindStatementHandler(node.code) == nullptr) {
            unserved = &node;
            break;
        }
    }
    if (unserved == nullptr) GTEST_SKIP() << "every statement is served";
    const RunResult result = RunProgram("print 1\n" + unserved->name + " 1, \"x\"\nprint 2\n");
    EXPECT_EQ(result.output, "1\n");
    EXPECT_EQ(result.errorNumber, ErrorNumber(ErrorCode::EvaluateError));
    EXPECT_EQ(result.errorLine, 2);
    ASSERT_EQ(result.boxes.size(), 1u);
    EXPECT_EQ(result.boxes[0].text, "Statement not available: " + unserved->name + " [in line 2]");
}

TEST(StatementTable, MisplacedBlockWordsStaySyntaxErrors)
{
    for (const char* word : { "then", "to", "step", "and", "bnot" }) {
        const RunResult result = RunProgram(std::string("print 1\n") + word + "\n");
        EXPECT_EQ(result.errorNumber, ErrorNumber(ErrorCode::SyntaxError)) << word;
        EXPECT_EQ(result.errorLine, 2) << word;
    }
}
