#include "interpreter/Labels_class.h"
#include "interpreter/Stacks.h"
#include "interpreter/Variables_class.h"

#include <gtest/gtest.h>

TEST(Variables, SetChangesTypeInPlace)
{
    Variables_Class vars;
    vars.SetInt("x", 5);
    EXPECT_EQ(vars.TypeOf("x"), 'i');
    EXPECT_EQ(*static_cast<int32_t*>(vars.ValueOf("x")), 5);
    vars.SetString("x", "five");
    EXPECT_EQ(vars.count, 1);
    EXPECT_EQ(vars.TypeOf("x"), 's');
    EXPECT_EQ(*static_cast<AnsiString*>(vars.ValueOf("x")), "five");
    vars.SetFloat("x", 2.5);
    EXPECT_EQ(*static_cast<double*>(vars.ValueOf("x")), 2.5);
    EXPECT_EQ(vars.TypeOf("nothing"), 0);
    EXPECT_EQ(vars.ValueOf("nothing"), nullptr);
    // A tag other than the three stores no value.
    vars.Set("odd", 'q', nullptr);
    EXPECT_EQ(vars.TypeOf("odd"), 'q');
    EXPECT_EQ(vars.ValueOf("odd"), nullptr);
}

TEST(Variables, NamesAreCaseSensitiveAndKeepOrder)
{
    Variables_Class vars;
    vars.SetInt("Count", 1);
    vars.SetInt("count", 2);
    vars.SetFloat("f", 0.5);
    vars.SetString("", "anonymous");
    EXPECT_EQ(vars.count, 4);

    AnsiString name, text;
    char tag = 0;
    EXPECT_TRUE(vars.NextAsText(name, tag, text));
    EXPECT_EQ(name + "=" + text, "Count=1");
    EXPECT_TRUE(vars.NextAsText(name, tag, text));
    EXPECT_EQ(name + "=" + text, "count=2");
    EXPECT_TRUE(vars.NextAsText(name, tag, text));
    EXPECT_EQ(name + "=" + text, "f=0.5");
    EXPECT_EQ(tag, 'f');
    EXPECT_FALSE(vars.NextAsText(name, tag, text));
    EXPECT_EQ(name, "No_Name_Has_Been_Assigned");
    EXPECT_EQ(tag, '0');
    // The iteration starts again.
    EXPECT_TRUE(vars.NextAsText(name, tag, text));
    EXPECT_EQ(name, "Count");

    vars.Clear();
    EXPECT_EQ(vars.count, 0);
    EXPECT_FALSE(vars.NextAsText(name, tag, text));
    EXPECT_EQ(vars.TypeOf("Count"), 0);
}

TEST(Labels, AddFindAndDuplicates)
{
    static const char text[] = "loop:\r\nsub f(a,&b)\r\n";
    Labels_Class labels;
    EXPECT_EQ(labels.Add("loop", text + 7), 1);
    EXPECT_EQ(labels.Add("loop", text), -1);
    EXPECT_EQ(labels.Add("Loop", text), 2);
    EXPECT_EQ(labels.Add("f", text + 20, 2, "a,&b,"), 3);
    int params = 0;
    AnsiString list;
    EXPECT_EQ(labels.Find("loop", &params, &list), text + 7);
    EXPECT_EQ(params, 0);
    EXPECT_EQ(list, "");
    EXPECT_EQ(labels.Find("f", &params, &list), text + 20);
    EXPECT_EQ(params, 2);
    EXPECT_EQ(list, "a,&b,");
    EXPECT_EQ(labels.Find("g"), nullptr);
    EXPECT_EQ(labels.head->name, "loop");
    EXPECT_EQ(labels.tail->name, "f");
}

TEST(Stacks, ForAndPositions)
{
    ForStack_Class fors;
    EXPECT_EQ(fors.Top(), nullptr);
    EXPECT_FALSE(fors.Pop());
    EXPECT_EQ(fors.Push({ "i", 10, 1, 1, "x" }), 1);
    EXPECT_EQ(fors.Push({ "j", 5, 0, -1, "y" }), 1);
    EXPECT_EQ(fors.Top()->counterName, "j");
    EXPECT_TRUE(fors.Pop());
    EXPECT_EQ(fors.Top()->endValue, 10);
    fors.Clear();
    EXPECT_EQ(fors.count(), 0);

    static const char program[] = "repeat\r\nwhile";
    WhileStack_Class whiles;
    EXPECT_TRUE(whiles.Push(program + 8));
    EXPECT_TRUE(whiles.Push(program));
    EXPECT_EQ(whiles.Top(), program);
    EXPECT_TRUE(whiles.Pop());
    EXPECT_EQ(whiles.Top(), program + 8);
    EXPECT_TRUE(whiles.Pop());
    EXPECT_FALSE(whiles.Pop());
    EXPECT_EQ(whiles.Top(), nullptr);
}

TEST(Stacks, GoSubFramesCountLoopsAndReleaseLocalTables)
{
    GoSubStack_Class frames;
    EXPECT_FALSE(frames.IncLoopCount(LoopKind::For));
    Variables_Class mainTable;
    auto* local = new Variables_Class;
    local->SetInt("n", 1);
    EXPECT_EQ(frames.Push(0, 0, 0, 0, nullptr, &mainTable, "f", "x,"), 1);
    EXPECT_EQ(frames.Push(2, 0, 0, 0, nullptr, local, "g", ""), 1);
    EXPECT_TRUE(frames.IncLoopCount(LoopKind::While));
    EXPECT_TRUE(frames.IncLoopCount(LoopKind::Repeat));
    EXPECT_TRUE(frames.IncLoopCount(LoopKind::For));
    EXPECT_TRUE(frames.IncLoopCount(LoopKind::For));
    EXPECT_TRUE(frames.DecLoopCount(LoopKind::For));
    EXPECT_FALSE(frames.IncLoopCount(4));
    const GoSubStack_Node* top = frames.Top();
    EXPECT_EQ(top->whileCount, 1);
    EXPECT_EQ(top->repeatCount, 1);
    EXPECT_EQ(top->forCount, 1);
    EXPECT_EQ(top->savedIfDepth, 2);
    EXPECT_EQ(top->subName, "g");
    // Clear deletes the saved local table but never the main one (a sanitizer
    // build catches either mistake).
    frames.Clear(&mainTable);
    EXPECT_EQ(frames.count(), 0);
    EXPECT_EQ(mainTable.count, 0);
}
