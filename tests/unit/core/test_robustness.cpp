#include "EngineHarness.h"

#include <gtest/gtest.h>
#include <random>

// Random texts from the characters that steer the tokenizer and the evaluator:
// nothing may read outside the text, hang or fail other than by a run-time
// error. Run in the sanitizer build to catch out-of-bounds reads.
TEST(Robustness, RandomTextsEndInTokensOrErrors)
{
    static const char alphabet[] = "ab_x019.eE+-*/%#^=<>()$~[]&|@!\"'\\:\r\n \t,;?iIfF";
    std::mt19937 random(12345);
    EngineHarness engine;
    engine.variables.SetInt("a", 3);
    engine.variables.SetString("b", "t");
    std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 2);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int k = length(random); k > 0; --k)
            text += alphabet[pick(random)];
        engine.boxes.shown.clear();
        Expression_Class& ex = engine.Attach(text);
        const char* end = ex.programStart + text.size();
        for (int step = 0; step < 64; ++step) {
            try {
                Value value;
                ex.Evaluate(value);
            } catch (const RunTimeError& error) {
                ASSERT_GE(error.number, 0);
            }
            ASSERT_GE(ex.scanPosition, ex.programStart) << text;
            ASSERT_LE(ex.scanPosition, end) << text;
            try {
                if (ex.NextToken() == TokenType::None || ex.tokenCode == TokenCode::EndOfText) break;
            } catch (const RunTimeError&) {
                break;
            }
        }
    }
}
