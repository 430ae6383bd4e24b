#include "builtins/FunctionFamilies.h"
#include "interpreter/RunScreen.h"

#include <vector>

// The getters of the run-time controls (codes 19001 to 99006): integer and
// text properties by the control's name, the last-event texts, and the last
// key and mouse values. The property number is the code minus the first code
// of its kind in the family.

namespace {

struct TextGetter {
    int code;
    int op;
    bool takesNumber;
};

// Per family, in the order of ControlFamily.
struct FamilyGetters {
    int firstInt;
    int lastInt;
    int lastEvent;
    std::vector<TextGetter> texts;
};

const std::vector<FamilyGetters>& Families()
{
    static const std::vector<FamilyGetters> families = {
        { 19001, 19007, 19010, { { 19008, 0, false }, { 19009, 1, false } } },
        { 29004, 29014, 29015, { { 29001, 0, false }, { 29002, 1, false }, { 29003, 2, false } } },
        { 39005, 39014, 39015, { { 39001, 0, false }, { 39002, 1, false }, { 39003, 2, true }, { 39004, 3, false } } },
        { 49006, 49016, 49017,
            { { 49001, 0, false }, { 49002, 1, false }, { 49003, 2, false }, { 49004, 3, true },
                { 49005, 4, false } } },
        { 59002, 59008, 59009, { { 59001, 0, false } } },
        { 69001, 69013, 69014, {} },
        { 79001, 79012, 79013, {} },
        { 89001, 89017, 89022, { { 89018, 0, false }, { 89019, 1, false }, { 89020, 2, true }, { 89021, 3, false } } },
        { 99001, 99003, 99004, {} },
    };
    return families;
}

constexpr int LastKeyCode = Code(FunctionCode::Lastkey);
constexpr int LastMouseCode = Code(FunctionCode::Lastmouse);

void Getter(FunctionCall& call)
{
    const int code = call.code;
    RunScreen& screen = call.Screen();
    if (code == LastKeyCode) return call.ReturnInt(screen.TakeLastKey());
    if (code == LastMouseCode) return call.ReturnInt(screen.TakeLastMouse());
    const int index = code / 10000 - 1;
    const FamilyGetters& f = Families()[static_cast<size_t>(index)];
    const auto family = static_cast<ControlFamily>(index);
    if (code == f.lastEvent) return call.ReturnText(screen.TakeLastEvent(family));
    if (code >= f.firstInt && code <= f.lastInt)
        return call.ReturnInt(screen.GetControlProperty(family, call.FirstText(), code - f.firstInt));
    for (const TextGetter& t : f.texts)
        if (t.code == code) {
            const int n = t.takesNumber ? call.NextInt() : 0;
            return call.ReturnText(screen.GetControlText(family, call.FirstText(), t.op, n));
        }
    call.ReturnInt(0);
}

bool IsControlGetter(int code)
{
    return code >= 19000 && code < 100000 && (code / 1000) % 10 == 9;
}

// The rows, one per getter word of the vocabulary.
const std::vector<FunctionEntry>& Rows()
{
    static const std::vector<FunctionEntry> rows = [] {
        std::vector<FunctionEntry> list;
        const FunctionCode all[] = {
#define FUNCTION(name, word, code, minArgs, maxArgs, defaultArg, signature, group) FunctionCode::name,
#define FUNCTION_ALIAS(name, word, minArgs, maxArgs, defaultArg, signature, group)
#include "interpreter/vocabulary/functions.inc"
#undef FUNCTION_ALIAS
#undef FUNCTION
        };
        for (FunctionCode code : all) {
            const int c = Code(code);
            if (!IsControlGetter(c)) continue;
            const bool noArgument = c == LastKeyCode || c == LastMouseCode
                || Families()[static_cast<size_t>(c / 10000 - 1)].lastEvent == c;
            list.push_back({ code, noArgument ? FirstArgument::None : FirstArgument::Text, Getter });
        }
        return list;
    }();
    return rows;
}

} // namespace

std::span<const FunctionEntry> ControlFunctionEntries()
{
    return Rows();
}
