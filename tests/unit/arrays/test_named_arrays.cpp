#include "interpreter/arrays/Arrays_class.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

TEST(ElementStore, CapacityAndGrowth)
{
    DArray_Class store(3);
    EXPECT_EQ(store.capacity, 10);
    EXPECT_EQ(store.GetType(9), '0');
    EXPECT_EQ(store.GetType(10), '0');
    EXPECT_EQ(store.GetType(-1), '0');
    EXPECT_EQ(store.GetValue(10), nullptr);

    EXPECT_EQ(store.SetInt(12, 5, false), 0);
    EXPECT_EQ(store.capacity, 10);
    EXPECT_EQ(store.SetInt(25, 5, true), 0);
    EXPECT_EQ(store.SetInt(-1, 5, true), 0);
    EXPECT_EQ(store.SetInt(12, 5, true), 1);
    EXPECT_EQ(store.capacity, 20);
    EXPECT_EQ(*static_cast<int32_t*>(store.GetValue(12)), 5);
    EXPECT_EQ(store.count, 1);
}

TEST(ElementStore, TypeChangesAndCellReuse)
{
    DArray_Class store(10);
    store.SetInt(2, 7, false);
    void* cell = store.GetValue(2);
    store.SetInt(2, 8, false);
    EXPECT_EQ(store.GetValue(2), cell);
    store.SetString(2, "text", false);
    EXPECT_EQ(store.GetType(2), 's');
    EXPECT_EQ(*static_cast<AnsiString*>(store.GetValue(2)), "text");
    EXPECT_EQ(store.count, 1);
    int unknown = 0;
    EXPECT_EQ(store.SetValue(3, 'q', &unknown, false), 0);
    EXPECT_EQ(store.GetType(3), '0');

    store.SetFloat(4, -2.9, false);
    int32_t i = 1;
    double f = 0;
    EXPECT_EQ(store.GetNumber(4, &i, &f), 'f');
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, -2.9);
    EXPECT_EQ(store.GetNumber(2, &i, &f), 's');
    EXPECT_EQ(i, 0);
    EXPECT_EQ(f, 0);
}

TEST(ElementStore, ResizeCloneFill)
{
    DArray_Class store(20);
    for (int k = 0; k < 20; ++k)
        store.SetInt(k, k, false);
    EXPECT_EQ(store.Resize(12), 1);
    EXPECT_EQ(store.capacity, 12);
    EXPECT_EQ(store.count, 12);
    EXPECT_EQ(store.Resize(4), 1);
    EXPECT_EQ(store.capacity, 10);

    store.SetString(3, "s", false);
    DArray_Class empty(10);
    empty.SetInt(5, 1, false);
    std::unique_ptr<DArray_Class> copy(empty.Clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetType(4), '0');
    EXPECT_EQ(copy->GetType(5), 'i');
    EXPECT_EQ(copy->count, 1);

    EXPECT_TRUE(store.FillFloat(1.5));
    EXPECT_EQ(store.count, 10);
    EXPECT_EQ(store.GetType(3), 'f');

    EXPECT_FALSE(store.Resize(DArray_Class::MaxCapacity + 1));
    EXPECT_EQ(store.capacity, 10);
    DArray_Class huge(0);
    EXPECT_FALSE(huge.Init(2147483647));
    EXPECT_EQ(huge.types, nullptr);
    EXPECT_EQ(huge.cells, nullptr);
    EXPECT_EQ(huge.SetInt(0, 1, true), 0);
}

TEST(ElementStore, ToInt)
{
    EXPECT_EQ(DArray_Class::ToInt(1e12), 2147483647);
    EXPECT_EQ(DArray_Class::ToInt(-1e12), -2147483648);
    EXPECT_EQ(DArray_Class::ToInt(-2.9), -2);
    EXPECT_EQ(DArray_Class::ToInt(std::nan("")), 0);
}

namespace {
// An index or size list.
struct List : DArray<int> {
    List(std::initializer_list<int> values)
    {
        int k = 0;
        for (int v : values)
            items[k++] = v;
    }
};
constexpr auto Made = Arrays_Class::Definition::Made;
constexpr auto Refused = Arrays_Class::Definition::Refused;
} // namespace

TEST(NamedArrays, DefineAndIndex)
{
    Arrays_Class arrays;
    EXPECT_EQ(arrays.Define("a", 2, List({ 3, 4 })), Made);
    Arrays_Class::Node* a = arrays.Find("a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->data->capacity, 12);
    EXPECT_EQ(Arrays_Class::FlatIndex(List({ 2, 3 }), 2, a->dims.data()), 11);
    EXPECT_EQ(Arrays_Class::FlatIndex(List({ 3, 0 }), 2, a->dims.data()), -1);
    EXPECT_EQ(Arrays_Class::FlatIndex(List({ 1, -1 }), 2, a->dims.data()), -1);

    EXPECT_EQ(arrays.Define("b", 1, List({ 2 })), Made);
    EXPECT_EQ(arrays.Find("b")->data->capacity, 10);
    EXPECT_EQ(arrays.DimSize("b", 5), 2);
    EXPECT_EQ(arrays.DimSize("b", 0), 2);
    EXPECT_EQ(arrays.DimSize("a", 2), 4);
    EXPECT_EQ(arrays.DimCount("a"), 2);
    EXPECT_EQ(arrays.DimCount("zz"), 0);

    EXPECT_EQ(arrays.SetElementInt("a", List({ 1, 2 }), 7), 1);
    EXPECT_EQ(arrays.GetElementType("a", List({ 1, 2 })), 'i');
    EXPECT_EQ(*static_cast<int32_t*>(arrays.GetElement("a", List({ 1, 2 }))), 7);
    EXPECT_EQ(arrays.GetElementType("a", List({ 0, 0 })), '0');
    EXPECT_EQ(arrays.GetElementType("zz", List({ 0 })), 0);
    EXPECT_EQ(arrays.GetElementType("a", List({ 3, 0 })), 0);
    EXPECT_EQ(arrays.SetElementFloat("a", List({ 0, 4 }), 1.0), 0);

    // Redefining discards the elements and keeps the place in the list.
    EXPECT_EQ(arrays.Define("a", 1, List({ 5 })), Made);
    EXPECT_EQ(arrays.GetElementType("a", List({ 1 })), '0');
    EXPECT_EQ(arrays.head->name, "a");
    EXPECT_EQ(arrays.count, 2);
}

TEST(NamedArrays, OversizedDefinitionsFailCleanly)
{
    Arrays_Class arrays;
    EXPECT_EQ(arrays.Define("big", 3, List({ 100000, 100000, 100000 })), Refused);
    EXPECT_EQ(arrays.Define("wrap", 2, List({ 65536, 65536 })), Refused);
    EXPECT_EQ(arrays.Find("big"), nullptr);
    EXPECT_EQ(arrays.count, 0);
    EXPECT_EQ(arrays.Define("neg", 2, List({ -3, 2 })), Made);
    EXPECT_EQ(arrays.DimSize("neg", 1), 0);
}

TEST(NamedArrays, AppendAndRemove)
{
    Arrays_Class arrays;
    arrays.Define("c", 1, List({ 0 }));
    EXPECT_EQ(arrays.AppendInt("c", 1), 1);
    EXPECT_EQ(arrays.AppendFloat("c", 2.5), 1);
    EXPECT_EQ(arrays.AppendString("c", "three"), 1);
    EXPECT_EQ(arrays.DimCount("c"), 1);
    EXPECT_EQ(arrays.DimSize("c", 1), 3);
    EXPECT_EQ(arrays.GetElementType("c", List({ 0 })), 'i');
    EXPECT_EQ(arrays.GetElementType("c", List({ 1 })), 'f');
    EXPECT_EQ(*static_cast<AnsiString*>(arrays.GetElement("c", List({ 2 }))), "three");

    arrays.Define("m", 2, List({ 2, 2 }));
    EXPECT_EQ(arrays.AppendInt("m", 1), 0);
    EXPECT_EQ(arrays.DimSize("m", 1), 2);
    EXPECT_EQ(arrays.AppendInt("none", 1), 0);

    arrays.Remove("m");
    EXPECT_EQ(arrays.tail->name, "c");
    arrays.Define("d", 1, List({ 1 }));
    EXPECT_EQ(arrays.tail->name, "d");
    EXPECT_EQ(arrays.head->next->name, "d");
    arrays.Remove("c");
    arrays.Remove("d");
    EXPECT_EQ(arrays.head, nullptr);
    EXPECT_EQ(arrays.tail, nullptr);
    arrays.Remove("d");
    EXPECT_EQ(arrays.count, 0);
}

TEST(NamedArrays, DefineLike)
{
    Arrays_Class arrays;
    arrays.Define("one", 1, List({ 1 }));
    arrays.Define("two", 2, List({ 2, 3 }));
    Arrays_Class::Node* node = &arrays.DefineLike("one", 2, List({ 4, 4 }));
    EXPECT_EQ(node->dimCount, 2);
    EXPECT_EQ(node->data, nullptr);
    node = &arrays.DefineLike("two", 1, List({ 9 }));
    EXPECT_EQ(node->dimCount, 2);
    EXPECT_EQ(node->dims[1], 3);
    node = &arrays.DefineLike("fresh", 1, List({ 9 }));
    EXPECT_EQ(arrays.tail, node);
    // Element access of an array without a store answers 0 and null.
    EXPECT_EQ(arrays.GetElement("fresh", List({ 0 })), nullptr);
    EXPECT_EQ(arrays.SetElementInt("fresh", List({ 0 }), 1), 0);
}

TEST(ElementStore, TextsMoveWithTheStoreAndCopyDeeply)
{
    DArray_Class store(10);
    store.SetString(9, "last", false);
    store.SetFloat(0, 0.5, false);
    EXPECT_EQ(store.SetString(15, "grown", true), 1);
    EXPECT_EQ(store.capacity, 20);
    EXPECT_EQ(*static_cast<AnsiString*>(store.GetValue(9)), "last");
    EXPECT_EQ(*static_cast<double*>(store.GetValue(0)), 0.5);
    EXPECT_EQ(store.GetType(12), '0');
    EXPECT_EQ(store.GetValue(12), nullptr);

    std::unique_ptr<DArray_Class> copy(store.Clone());
    ASSERT_TRUE(copy);
    store.SetString(9, "changed", false);
    EXPECT_EQ(*static_cast<AnsiString*>(copy->GetValue(9)), "last");
    EXPECT_EQ(copy->count, 3);

    // A text slot turned into a number and back holds the new text only.
    store.SetInt(9, -4, false);
    Value value;
    ASSERT_TRUE(store.Get(9, value));
    EXPECT_EQ(value.tag, 'i');
    EXPECT_EQ(value.i, -4);
    store.SetString(9, "again", false);
    ASSERT_TRUE(store.Get(9, value));
    EXPECT_EQ(value.s, "again");
    EXPECT_FALSE(store.Get(12, value));
    EXPECT_FALSE(store.Get(20, value));
    EXPECT_EQ(store.count, 3);

    EXPECT_EQ(store.Resize(10), 1); // frees the text at 15
    EXPECT_TRUE(store.FillInt(3));
    EXPECT_EQ(store.GetNumber(9), 'i');
    EXPECT_TRUE(store.FillString("t"));
    EXPECT_EQ(*static_cast<AnsiString*>(store.GetValue(0)), "t");
}

TEST(NamedArrays, IdentityChangesWithEveryChangeOfShape)
{
    Arrays_Class arrays;
    Arrays_Class other;
    EXPECT_NE(arrays.identity(), other.identity());
    uint64_t seen = arrays.identity();
    auto renewed = [&] {
        const bool changed = arrays.identity() != seen;
        seen = arrays.identity();
        return changed;
    };
    const struct {
        const char* what;
        std::function<void()> change;
        bool renews;
    } cases[] = {
        { "define", [&] { arrays.Define("a", 1, List({ 3 })); }, true },
        { "redefine",
            [&] {
                arrays.Define("a", 2, List({ 2, 2 }));
            },
            true },
        { "refused definition",
            [&] {
                arrays.Define("a", 2, List({ 65536, 65536 }));
            },
            false },
        { "element write",
            [&] {
                arrays.SetElementInt("a", List({ 1, 1 }), 4);
            },
            false },
        { "define like", [&] { arrays.DefineLike("b", 1, List({ 4 })); }, true },
        { "define another", [&] { arrays.Define("c", 1, List({ 0 })); }, true },
        { "append", [&] { arrays.AppendInt("c", 1); }, true },
        { "refused append", [&] { arrays.AppendInt("a", 1); }, false },
        { "remove", [&] { arrays.Remove("c"); }, true },
        { "remove nothing", [&] { arrays.Remove("c"); }, false },
    };
    for (const auto& step : cases) {
        step.change();
        EXPECT_EQ(renewed(), step.renews) << step.what;
    }
    EXPECT_EQ(arrays.GetElementType("a", List({ 1, 1 })), 'i');
}
