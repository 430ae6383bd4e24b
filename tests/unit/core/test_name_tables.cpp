#include "interpreter/Labels_class.h"
#include "interpreter/Stacks.h"
#include "interpreter/Variables_class.h"

#include <gtest/gtest.h>

#include <string>

// The hash indexes of variable and label tables: growth, reuse of cleared
// nodes, and the per-sub data kept beside a sub's entry.

namespace {

AnsiString NameNumber(int k)
{
    return "v" + std::to_string(k);
}

} // namespace

TEST(VariableIndex, GrowsAndKeepsEveryNameAndTheOrder)
{
    Variables_Class vars;
    constexpr int names = 500;
    for (int k = 0; k < names; ++k)
        vars.SetInt(NameNumber(k), k);
    // Storing again finds the existing variables instead of adding new ones.
    for (int k = 0; k < names; k += 7)
        vars.SetInt(NameNumber(k), -k);
    EXPECT_EQ(vars.count, names);
    for (int k = 0; k < names; ++k) {
        const Variables_Class::Node* node = vars.Find(NameNumber(k));
        ASSERT_NE(node, nullptr) << k;
        EXPECT_EQ(node->intValue, k % 7 == 0 ? -k : k);
    }
    EXPECT_EQ(vars.Find("v500"), nullptr);
    EXPECT_EQ(vars.Find("v"), nullptr);
    int k = 0;
    for (const Variables_Class::Node* node = vars.head; node; node = node->next)
        EXPECT_EQ(node->name, NameNumber(k++));
    EXPECT_EQ(k, names);
}

TEST(VariableIndex, ClearedNodesComeBackEmptyUnderANewIdentity)
{
    Variables_Class vars;
    vars.SetString("text", AnsiString(100, 'x'));
    vars.SetFloat("f", 1.5);
    vars.SetInt("i", 3);
    const uint64_t before = vars.identity();
    vars.Clear();
    EXPECT_NE(vars.identity(), before);
    EXPECT_EQ(vars.Find("text"), nullptr);
    EXPECT_EQ(vars.Find("i"), nullptr);

    // New variables reuse the released nodes; none shows an old value.
    vars.Set("a", 'q', nullptr);
    vars.SetInt("b", 7);
    vars.Set("c", 'q', nullptr);
    for (const Variables_Class::Node* node = vars.head; node; node = node->next) {
        EXPECT_TRUE(node->textValue.empty()) << node->name;
        EXPECT_EQ(node->floatValue, 0.0) << node->name;
    }
    EXPECT_EQ(vars.Find("a")->intValue, 0);
    EXPECT_EQ(vars.Find("b")->intValue, 7);
    EXPECT_EQ(vars.ValueOf("c"), nullptr);
    EXPECT_EQ(vars.count, 3);
    EXPECT_EQ(vars.tail->name, "c");
}

TEST(VariableIndex, ALargeTableClearedServesSmallScopes)
{
    // More variables than the nodes and slots a cleared table keeps.
    Variables_Class vars;
    for (int round = 0; round < 3; ++round) {
        const int names = round == 0 ? 1000 : 3;
        for (int k = 0; k < names; ++k)
            vars.SetInt(NameNumber(k), k + round);
        EXPECT_EQ(vars.count, names);
        for (int k = 0; k < names; ++k)
            ASSERT_EQ(vars.Find(NameNumber(k))->intValue, k + round);
        EXPECT_EQ(vars.Find(NameNumber(names)), nullptr);
        vars.Clear();
    }
}

TEST(LabelIndex, GrowsRefusesDuplicatesAndDescribesSubs)
{
    Labels_Class labels;
    static const char text[] = "program text";
    for (int k = 0; k < 300; ++k)
        ASSERT_EQ(labels.Add(NameNumber(k), text + k % 10), k + 1);
    EXPECT_EQ(labels.Add("v123", text), -1);
    EXPECT_EQ(labels.count, 300);
    for (int k = 0; k < 300; ++k)
        ASSERT_EQ(labels.Find(NameNumber(k)), text + k % 10);
    EXPECT_EQ(labels.Find("v300"), nullptr);

    EXPECT_EQ(labels.Add("add", text, 3, "a,&b,c,"), 301);
    EXPECT_EQ(labels.Add("plain", text, 1, "x,"), 302);
    const Labels_Class::Node* add = labels.FindNode("add");
    ASSERT_NE(add, nullptr);
    EXPECT_TRUE(add->hasByReference);
    EXPECT_EQ(add->resultName, "add__Result");
    EXPECT_FALSE(labels.FindNode("plain")->hasByReference);

    labels.Clear();
    EXPECT_EQ(labels.FindNode("add"), nullptr);
    EXPECT_EQ(labels.Add("add", text), 1);
}

TEST(LabelIndex, RememberedLookupsFollowTheTextNotItsAddress)
{
    Labels_Class labels;
    static const char text[] = "0123456789";
    labels.Add("a", text);
    labels.Add("b", text + 1);
    char name[] = "a";
    const std::string_view view(name, 1);
    EXPECT_EQ(labels.Find(view), text);
    EXPECT_EQ(labels.Find(view), text);
    // The same address now holds another name.
    name[0] = 'b';
    EXPECT_EQ(labels.Find(view), text + 1);
    name[0] = 'c';
    EXPECT_EQ(labels.Find(view), nullptr);
    EXPECT_EQ(labels.Add("c", text + 2), 3);
    EXPECT_EQ(labels.Find(view), text + 2);
    // Entries remembered before a Clear never come back.
    labels.Clear();
    labels.Add("b", text + 5);
    EXPECT_EQ(labels.Find(view), nullptr);
    name[0] = 'b';
    EXPECT_EQ(labels.FindNode(view)->position, text + 5);
}

TEST(GoSubFrames, GosubAndCallFramesCarryWhatReturnNeeds)
{
    static const char text[] = "return here";
    Labels_Class subs;
    subs.Add("f", text, 1, "&x,");
    Variables_Class caller;
    GoSubStack_Class frames;
    ASSERT_EQ(frames.PushGosub(2, text), 1);
    ASSERT_EQ(frames.PushCall(1, text + 3, &caller, subs.FindNode("f"), AnsiString("y,")), 1);
    const GoSubStack_Node* call = frames.Top();
    EXPECT_EQ(call->savedIfDepth, 1);
    EXPECT_EQ(call->returnPosition, text + 3);
    EXPECT_EQ(call->callerVariables, &caller);
    EXPECT_EQ(call->sub->name, "f");
    EXPECT_EQ(call->argumentText, "y,");
    EXPECT_EQ(call->forCount + call->whileCount + call->repeatCount, 0);
    EXPECT_TRUE(frames.Pop());
    const GoSubStack_Node* gosub = frames.Top();
    EXPECT_EQ(gosub->savedIfDepth, 2);
    EXPECT_EQ(gosub->returnPosition, text);
    EXPECT_EQ(gosub->callerVariables, nullptr);
    EXPECT_EQ(gosub->sub, nullptr);
    // The caller's table belongs to the caller: Clear leaves it alone.
    frames.Clear(&caller);
    EXPECT_EQ(frames.count(), 0);
}
