#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace {

// The tokens of a text up to the end, each as "type:code:text" with the line
// break written as "\n".
std::string Tokens(const std::string& text, bool recogniseSub = false)
{
    EngineHarness engine;
    Expression_Class& ex = engine.Attach(text);
    ex.recogniseSub = recogniseSub;
    std::string out;
    for (int guard = 0; guard < 100; ++guard) {
        int type = ex.NextToken();
        std::string shown = ex.tokenText == "\r\n" ? "\\n" : std::string(ex.tokenText);
        if (!out.empty()) out += ' ';
        out += std::to_string(type) + ":" + std::to_string(ex.tokenCode) + ":" + shown;
        if (ex.tokenCode == TokenCode::EndOfText || type == TokenType::None) break;
    }
    return out;
}

struct Case {
    const char* text;
    const char* tokens;
};

} // namespace

TEST(Tokenizer, TokenTypes)
{
    const Case cases[] = {
        { "x = 1 \\ y = 2\r\n", "2:0:x 1:0:= 3:0:1 1:3001:\\n 2:0:y 1:0:= 3:0:2 1:3001:\\n 1:3002:" },
        { "print 1e-5, 0x1e-5", "4:1202:print 3:0:1e-5 1:0:, 10:0:0x1e 1:0:- 3:0:5 1:3002:" },
        { "a<=b a<<2 a>>1", "2:0:a 1:0:< 1:0:= 2:0:b 2:0:a 4:1110:<< 3:0:2 2:0:a 4:1111:>> 3:0:1 1:3002:" },
        { "&& || @@ ! & | @ !! != ~",
            "4:1101:&& 4:1102:|| 4:1103:@@ 4:1104:! 4:1105:& 4:1106:| 4:1107:@ 4:1108:!! "
            "4:1109:!= 1:0:~ 1:3002:" },
        { "\"say \"\"hi\"\"\"", "6:0:say \"\"hi\"\" 1:3002:" },
        { "#Include \"f\" #in", "15:0:#include 6:0:f 1:0:# 2:0:in 1:3002:" },
        { "loop: :loop", "7:0:loop 7:0:loop 1:3002:" },
        { "_outer Total red pi", "14:0:_outer 2:0:Total 8:4:red 9:5001:pi 1:3002:" },
        { "x.y 0%101 12abc", "2:0:x.y 12:0:0%101 3:0:12abc 1:3002:" },
        { "x ' note\r\ny // note\r\nz", "2:0:x 1:3001:\\n 2:0:y 1:3001:\\n 2:0:z 1:3002:" },
        { "? x", "0:0:" },
        { "\tPRINT\t", "4:1202:PRINT 1:3002:" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tokens(c.text), c.tokens) << c.text;
}

TEST(Tokenizer, ElseIfNeedsExactlyOneCharacterBetween)
{
    EXPECT_EQ(Tokens("else iF x"), "4:1003:else if 2:0:x 1:3002:");
    EXPECT_EQ(Tokens("Else(If x"), "4:1003:else if 2:0:x 1:3002:");
    EXPECT_EQ(Tokens("else  if x"), "4:1002:else 4:1001:if 2:0:x 1:3002:");
    EXPECT_EQ(Tokens("else"), "4:1002:else 1:3002:");
}

TEST(Tokenizer, LineContinuation)
{
    EXPECT_EQ(Tokens("a = \\\r\n   b\r\n"), "2:0:a 1:0:= 2:0:b 1:3001:\\n 1:3002:");
    EXPECT_EQ(Tokens("a = \\\r\n\r\nb"), "2:0:a 1:0:= 0:0:");
    EXPECT_EQ(Tokens("a = \\\r\n"), "2:0:a 1:0:= 0:0:");
    EXPECT_EQ(Tokens("a = 1 + \\\r\n  (2)"), "2:0:a 1:0:= 3:0:1 1:0:+ 1:0:( 3:0:2 1:0:) 1:3002:");
    EXPECT_EQ(Tokens("print \\\r\n\"x\" ' note"), "4:1202:print 6:0:x 1:3001:\\n 1:3002:");
}

TEST(Tokenizer, BlockComments)
{
    // Opening and closing on one line skips the rest of that line.
    EXPECT_EQ(Tokens("/* c */ x = 1\r\ny"), "1:3001:\\n 2:0:y 1:3002:");
    // A closing line that begins with */ goes on right after it.
    EXPECT_EQ(Tokens("/* a\r\nb\r\n*/ z\r\ny"), "1:3001:\\n 2:0:z 1:3001:\\n 2:0:y 1:3002:");
    // A line ending in */ closes the comment.
    EXPECT_EQ(Tokens("/* a\r\nb */\r\ny"), "1:3001:\\n 2:0:y 1:3002:");
    // A */ inside a later line closes it at that line's end; nothing more is
    // swallowed.
    EXPECT_EQ(Tokens("/* a\r\nb */ c\r\ny\r\nz"), "1:3001:\\n 2:0:y 1:3001:\\n 2:0:z 1:3002:");
    EXPECT_EQ(Tokens("/* never closed\r\nx"), "1:3002:");
    // The opening "/*" does not close itself.
    EXPECT_EQ(Tokens("/*/ x\r\ny */\r\nz"), "1:3001:\\n 2:0:z 1:3002:");
}

TEST(Tokenizer, SubWordOnlyWhileRecognised)
{
    EXPECT_EQ(Tokens("sub f", true), "13:0:sub 2:0:f 1:3002:");
    EXPECT_EQ(Tokens("sub f", false), "2:0:sub 2:0:f 1:3002:");
    EXPECT_EQ(Tokens("Sub f", true), "2:0:Sub 2:0:f 1:3002:");
}

TEST(Tokenizer, UnterminatedStringRaisesError4)
{
    EngineHarness engine;
    Expression_Class& ex = engine.Attach("x\r\ny = \"abc\r\n");
    ex.NextToken();
    ex.NextToken();
    ex.NextToken();
    ex.NextToken();
    try {
        ex.NextToken();
        FAIL() << "no error";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number, 4);
        EXPECT_EQ(error.line, 2);
    }
}

TEST(Tokenizer, FieldsAndCacheAgree)
{
    EngineHarness engine;
    Expression_Class& ex = engine.Attach("  print  sin(x)");
    ex.NextToken();
    EXPECT_EQ(ex.tokenStart, ex.programStart);
    EXPECT_EQ(ex.scanPosition, ex.programStart + 7);
    EXPECT_EQ(ex.NextToken(), TokenType::Function);
    EXPECT_EQ(ex.functionCode, 5010);
    EXPECT_EQ(ex.functionMinArgs, 1);
    EXPECT_EQ(ex.functionSignature, "n");
    EXPECT_EQ(*ex.PeekNextChar(), '(');
    // Putting the token back and reading it again gives the same fields.
    ex.PutBack();
    EXPECT_EQ(ex.scanPosition, ex.programStart + 7);
    EXPECT_EQ(ex.NextToken(), TokenType::Function);
    EXPECT_EQ(ex.tokenText, "sin");
    EXPECT_EQ(ex.scanPosition, ex.programStart + 12);
    EXPECT_FALSE(ex.endOfStatement);
}

TEST(Tokenizer, ReattachingForgetsTokensAndTrees)
{
    // Texts of equal length, small and large (the large one's per-offset
    // table is mapped rather than allocated): nothing read in the first text
    // may be found again at the same offset of the second.
    for (size_t lines : { size_t(3), size_t(20000) }) {
        std::string first, second;
        for (size_t k = 0; k < lines; ++k) {
            first += "a + 1\r\n";
            second += "b * 2\r\n";
        }
        EngineHarness engine;
        engine.variables.SetInt("a", 5);
        engine.variables.SetInt("b", 7);
        const size_t last = first.size() - 7;
        for (const std::string* text : { &first, &second, &first }) {
            Expression_Class& ex = engine.Attach(*text);
            ex.scanPosition = ex.programStart + last;
            EXPECT_EQ(engine.EvaluateNext(), text == &second ? "i:14" : "i:6") << lines;
            EXPECT_EQ(ex.tokenText, "\r\n");
        }
    }
}

TEST(Tokenizer, TokensAreCachedOnTheirSecondRead)
{
    EngineHarness engine;
    Expression_Class& ex = engine.Attach("print a, b\r\nx = 1");
    auto readAll = [&ex] {
        ex.scanPosition = ex.programStart;
        while (ex.NextToken() != TokenType::Delimiter || ex.tokenCode != TokenCode::EndOfText) {
            // A token put back and read again is still read once.
            ex.PutBack();
            ex.NextToken();
        }
    };
    // A scan over the whole text leaves nothing behind, however often it runs.
    ex.scanningWholeText = true;
    readAll();
    readAll();
    EXPECT_EQ(ex.CachedTokenCount(), 0u);
    ex.scanningWholeText = false;
    readAll();
    EXPECT_EQ(ex.CachedTokenCount(), 0u);
    readAll();
    EXPECT_EQ(ex.CachedTokenCount(), 9u);
    readAll();
    EXPECT_EQ(ex.CachedTokenCount(), 9u);
}

TEST(Tokenizer, ExpressionsCompileOnTheirSecondEvaluation)
{
    // "q" is unset at first: the first evaluation of line 1 ends at it, and
    // its compilation is the first to read "b". Line 3, read once in between,
    // takes the place of what was read only once.
    EngineHarness engine;
    engine.variables.SetInt("a", 5);
    engine.variables.SetInt("b", 7);
    engine.variables.SetInt("c", 50);
    Expression_Class& ex = engine.Attach("a + q + b\r\nb * 3 + a\r\nc - a");
    auto line = [&](int number) {
        ex.scanPosition = ex.programStart + (number == 1 ? 0 : number == 2 ? 11 : 22);
        return engine.EvaluateNext();
    };
    EXPECT_EQ(line(1), "error 51 at 1:5");
    engine.variables.SetInt("q", 100);
    EXPECT_EQ(line(2), "i:26");
    EXPECT_EQ(ex.CompiledCount(), 0u);
    EXPECT_EQ(line(1), "i:112");
    EXPECT_EQ(ex.CompiledCount(), 1u);
    EXPECT_EQ(line(3), "i:45");
    EXPECT_EQ(line(2), "i:26");
    EXPECT_EQ(ex.CompiledCount(), 2u);
    engine.variables.SetInt("b", 1);
    EXPECT_EQ(line(1), "i:106");
    EXPECT_EQ(line(2), "i:8");
    EXPECT_EQ(ex.CompiledCount(), 2u);
}

TEST(Tokenizer, SkipRestOfLine)
{
    EngineHarness engine;
    Expression_Class& ex = engine.Attach("a b c\r\nd");
    ex.NextToken();
    ex.SkipRestOfLine();
    EXPECT_EQ(ex.NextToken(), TokenType::Variable);
    EXPECT_EQ(ex.tokenText, "d");
    ex.SkipRestOfLine();
    EXPECT_EQ(*ex.scanPosition, 0);
    ex.NextToken();
    EXPECT_TRUE(ex.endOfStatement);
    EXPECT_EQ(ex.tokenCode, TokenCode::EndOfText);
}

TEST(Tokenizer, CharacterClasses)
{
    EXPECT_TRUE(Expression_Class::IsLetter('q'));
    EXPECT_FALSE(Expression_Class::IsLetter('_'));
    EXPECT_FALSE(Expression_Class::IsLetter('\xe9'));
    for (char c : std::string(" ;,+-*/%#^=<>()$'~[]&|@!\"\t\r"))
        EXPECT_TRUE(Expression_Class::IsDelimiter(c)) << c;
    EXPECT_TRUE(Expression_Class::IsDelimiter(0));
    EXPECT_FALSE(Expression_Class::IsDelimiter(':'));
    EXPECT_FALSE(Expression_Class::IsDelimiter('.'));
    EXPECT_TRUE(Expression_Class::IsBlank('\t'));
}
