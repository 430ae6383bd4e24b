#include "EngineHarness.h"
#include "interpreter/ErrorMessages.h"

#include <gtest/gtest.h>

TEST(Errors, MessagesKeepTheirExactTexts)
{
    EXPECT_STREQ(ErrorMessages[0], "Syntax Error");
    EXPECT_STREQ(ErrorMessages[1], "Unbalanced Paranthisis");
    EXPECT_STREQ(ErrorMessages[38], "Function parameter is not allowed e.g. Log(-1)  ");
    EXPECT_STREQ(ErrorMessages[66], "Need to have a ]   ");
    EXPECT_STREQ(ErrorMessages[74], "Array Has To Be A Aquare Matrix");
    EXPECT_STREQ(ErrorMessages[95], "Program Was Aborted");
    EXPECT_EQ(Expression_Class::ErrorMessage(120), "Error No.120");
    EXPECT_EQ(Expression_Class::ErrorMessage(96), "Error No.96");
    EXPECT_EQ(Expression_Class::ErrorMessage(-3), "Error No.-3");
    EXPECT_EQ(Expression_Class::ErrorMessage(88, "bad text"), "bad text");
}

namespace {
// Raises number at a scan position with the given current token code, and
// reports "line:column" and the box text.
struct Raised {
    int line;
    int column;
    std::string box;
};

Raised RaiseAt(EngineHarness& engine, const std::string& text, int tokens, int number)
{
    Expression_Class& ex = engine.Attach(text);
    for (int k = 0; k < tokens; ++k)
        ex.NextToken();
    try {
        ex.RaiseError(static_cast<ErrorCode>(number));
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number, number);
        // The position travels with the error and is also kept as the last error's.
        EXPECT_EQ(error.line, ex.lastErrorLine);
        EXPECT_EQ(error.column, ex.lastErrorColumn);
        return { error.line, error.column, engine.boxes.shown.empty() ? "" : engine.boxes.shown.back().text };
    }
    ADD_FAILURE() << "RaiseError returned";
    return {};
}
} // namespace

TEST(Errors, PositionAndBox)
{
    EngineHarness engine;
    // First statement of the program: line 1.
    Raised first = RaiseAt(engine, "x = ", 1, 3);
    EXPECT_EQ(first.line, 1);
    EXPECT_EQ(first.column, 1);
    EXPECT_EQ(first.box, "Equals Sign Expected [in line 1]");
    ASSERT_EQ(engine.boxes.shown.size(), 1u);
    EXPECT_EQ(engine.boxes.shown[0].caption, "ERROR----");
    EXPECT_EQ(engine.boxes.shown[0].flags, 16);

    // At the end of a line the error belongs to that line, not the next.
    Raised endOfLine = RaiseAt(engine, "a\r\nbb cc\r\nd", 5, 0);
    EXPECT_EQ(engine.expression.tokenCode, TokenCode::EndOfStatement);
    EXPECT_EQ(endOfLine.line, 2);
    EXPECT_EQ(endOfLine.column, 6);

    // A line break that is the first token clamps at the start of the text.
    Raised clamped = RaiseAt(engine, "\r\nx", 1, 0);
    EXPECT_EQ(clamped.line, 1);
    EXPECT_EQ(clamped.column, 0);
    EXPECT_EQ(engine.expression.scanPosition, engine.expression.programStart);

    Raised high = RaiseAt(engine, "x", 1, 120);
    EXPECT_EQ(high.box, "Error No.120 [in line 1]");
    EXPECT_EQ(engine.expression.lastErrorText, "Error No.120");
    EXPECT_EQ(engine.expression.lastErrorNumber, 120);
}

TEST(Errors, TrapAndAbortShowNoBox)
{
    EngineHarness engine;
    engine.expression.trapFlag = 1;
    RaiseAt(engine, "a\r\nb", 3, 51);
    EXPECT_TRUE(engine.boxes.shown.empty());
    EXPECT_EQ(engine.expression.lastErrorNumber, 51);
    EXPECT_EQ(engine.expression.lastErrorLine, 2);
    EXPECT_EQ(engine.expression.lastErrorText, "Variable Not Initialized");

    engine.expression.trapFlag = 0;
    RaiseAt(engine, "x", 1, 95);
    EXPECT_TRUE(engine.boxes.shown.empty());
    EXPECT_EQ(engine.expression.lastErrorNumber, 95);
}

TEST(Errors, CustomTextOfEvaluateError)
{
    EngineHarness engine;
    engine.expression.customErrorText = "Evaluate: Syntax Error";
    Raised raised = RaiseAt(engine, "x", 1, 88);
    EXPECT_EQ(raised.box, "Evaluate: Syntax Error [in line 1]");
}

TEST(ErrorsDeathTest, NeverAttachedEndsTheProcess)
{
    EXPECT_EXIT(
        {
            platform::RecordingMessageBoxes boxes;
            platform::setMessageBoxes(&boxes);
            Expression_Class unattached;
            unattached.RaiseError(ErrorCode::SyntaxError);
        },
        testing::ExitedWithCode(1), "");
}
