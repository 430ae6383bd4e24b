#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"

#include <array>
#include <cstring>

// The statements of the nine control families (codes 18xxx to 98xxx): create,
// remove, focus, clear, set texts, properties, dimensions and fonts, and the
// memo selections. The controls live in the run-time screen; these handlers
// only read the arguments and pass them on. A name no control has is ignored
// there, so the only errors are the argument reader's.

namespace {

// The family of a code: 18xxx buttons ... 98xxx timers.
ControlFamily FamilyOf(int code)
{
    return static_cast<ControlFamily>(code / 10000 - 1);
}

// Per family, in the order of ControlFamily: the first code of the remove,
// focus and clear statements, of the integer setters with their count, and the
// dimension and font statements (0 when the family has none).
struct FamilyCodes {
    int action;
    int actionCount;
    int setter;
    int setterCount;
    int dim;
    int font;
};
constexpr FamilyCodes familyCodes[] = {
    { 18002, 2, 18004, 2, 18009, 18010 },
    { 28002, 2, 28004, 7, 28012, 28013 },
    { 38002, 3, 38005, 6, 38012, 38013 },
    { 48002, 3, 48005, 6, 48012, 48013 },
    { 58002, 2, 58004, 4, 58009, 0 },
    { 68002, 2, 68004, 9, 68013, 0 },
    { 78002, 2, 78004, 7, 78011, 0 },
    { 88002, 3, 88005, 8, 88015, 88016 },
    { 98002, 1, 98003, 3, 0, 0 },
};

// Integer setters whose default is not 1.
struct SetterDefault {
    int code;
    int value;
};
constexpr SetterDefault setterDefaults[] = {
    { 68004, 0 },
    { 68009, 0 },
    { 68010, 100 },
    { 68011, 0 },
    { 68012, 0 },
    { 78004, 0 },
    { 78008, 0 },
    { 78009, 100 },
    { 98004, 1000 },
    { 98005, 0 },
};

// Text setters: the action operation, and whether the text is required.
struct TextSetter {
    int code;
    int op;
    bool textRequired;
};
constexpr TextSetter textSetters[] = {
    { 18006, 10, true },
    { 18007, 11, false },
    { 28011, 10, false },
    { 28014, 11, true },
    { 38011, 10, false },
    { 38014, 11, false },
    { 48011, 10, false },
    { 48015, 11, false },
    { 58008, 10, false },
    { 88013, 10, false },
    { 88014, 11, false },
};

// Creation and the memo selections: argument counts, the letter of each
// argument (s text, i integer, z any value as text) and the defaults.
struct Creation {
    int code;
    int required;
    int maximum;
    const char* letters;
    int defaults[11];
};
constexpr Creation creations[] = {
    { 18001, 3, 6, "siiiis", { 0, 0, 0, 0, 0 } },
    { 28001, 3, 7, "siiiizs", { 0, 0, 0, -1, -1 } },
    { 38001, 3, 6, "siiiss", { 0, 0, 0, -1 } },
    { 48001, 3, 9, "siiiiisss", { 0, 0, 0, -1, -1, -1 } },
    { 58001, 3, 7, "siisiis", { 0, 0, 0, 0, 0, 100 } },
    { 68001, 3, 10, "siiiiiiiis", { 0, 0, 0, -1, 0, 100, 0, -1, -1 } },
    { 78001, 3, 11, "siiiiiiiiis", { 0, 0, 0, -1, -1, 0, 100, -1, 0, 0 } },
    { 88001, 3, 7, "siiiiss", { 0, 0, 0, -1, -1 } },
    { 98001, 1, 2, "si", { 0, -1 } },
    { 88017, 1, 4, "siii", { 0, 1, 1, 0 } },
    { 88018, 1, 3, "sii", { 0, 1, 0 } },
};

void Prepare(Durnix_Class& d, const char* letters, const int* defaults)
{
    d.SetParamDefaults(Durnix_Class::ParamSlots, 0, 'i');
    for (int k = 0; letters[k]; ++k) {
        d.paramType[k] = letters[k];
        d.paramInt[k] = defaults ? defaults[k] : -1;
    }
}

void Read(Durnix_Class& d, int required, int maximum)
{
    int given = 0;
    d.ParseParams(required, maximum, given);
}

bool Create(Durnix_Class& d, int code)
{
    for (const Creation& c : creations) {
        if (c.code != code) continue;
        Prepare(d, c.letters, c.defaults);
        Read(d, c.required, c.maximum);
        RunScreen& screen = d.screen;
        if (code == 88017)
            screen.SetMemoSelection(d.paramText[0], d.paramInt[1], d.paramInt[2], d.paramInt[3]);
        else if (code == 88018)
            screen.SetMemoSelected(d.paramText[0], d.paramInt[1], d.paramInt[2]);
        else
            screen.AddControl(FamilyOf(code), d.paramText[0], d.paramInt + 1, d.paramText + 1);
        return true;
    }
    return false;
}

bool SetText(Durnix_Class& d, int code)
{
    for (const TextSetter& t : textSetters) {
        if (t.code != code) continue;
        Prepare(d, t.textRequired ? "ss" : "sz", nullptr);
        Read(d, t.textRequired ? 2 : 1, 2);
        d.screen.ControlAction(FamilyOf(code), d.paramText[0], t.op, d.paramText[1]);
        return true;
    }
    return false;
}

void GetButton(Durnix_Class& d)
{
    d.SetParamDefaults(Durnix_Class::ParamSlots, 0, 'i');
    d.paramType[0] = 'v';
    int given = 0;
    d.ParseParamsWithNames(1, 1, given);
    d.currentVariables->SetString(d.paramText[0], d.screen.TakeLastEvent(ControlFamily::Button));
}

void ControlStatement(Durnix_Class& d)
{
    const int code = d.expression.tokenCode;
    if (code == Code(StatementCode::Getbutton)) return GetButton(d);
    if (Create(d, code) || SetText(d, code)) return;
    const ControlFamily family = FamilyOf(code);
    const FamilyCodes& f = familyCodes[static_cast<int>(family)];
    RunScreen& screen = d.screen;
    if (code >= f.action && code < f.action + f.actionCount) {
        Prepare(d, "s", nullptr);
        Read(d, 1, 1);
        screen.ControlAction(family, d.paramText[0], code - f.action, AnsiString());
    } else if (code >= f.setter && code < f.setter + f.setterCount) {
        int value = 1;
        for (const SetterDefault& s : setterDefaults)
            if (s.code == code) value = s.value;
        const int defaults[] = { 0, value };
        Prepare(d, "si", defaults);
        Read(d, 1, 2);
        screen.SetControlProperty(family, d.paramText[0], code - f.setter, d.paramInt[1]);
    } else if (code == f.dim) {
        Prepare(d, "siiii", nullptr);
        Read(d, 1, 5);
        const int* n = d.paramInt;
        screen.SetControlDim(family, d.paramText[0], n[1], n[2], n[3], n[4]);
    } else if (code == f.font) {
        Prepare(d, "ssiii", nullptr);
        Read(d, 1, 5);
        const int* n = d.paramInt;
        screen.SetControlFont(family, d.paramText[0], d.paramText[1], n[2], n[3], n[4]);
    } else {
        d.RaiseError(ErrorCode::SyntaxError);
    }
}

// Every statement word of the families, from the vocabulary.
constexpr StatementCode allCodes[] = {
#define STATEMENT(name, word, code) StatementCode::name,
#define STATEMENT_ALIAS(name, word)
#include "interpreter/vocabulary/statements.inc"
#undef STATEMENT_ALIAS
#undef STATEMENT
};

constexpr bool IsControlCode(StatementCode code)
{
    const int c = Code(code);
    return c >= 18000 && c < 99000 && (c / 1000) % 10 == 8;
}

constexpr size_t ControlCodeCount()
{
    size_t n = 0;
    for (StatementCode code : allCodes)
        n += IsControlCode(code);
    return n;
}

constexpr auto entries = [] {
    std::array<StatementEntry, ControlCodeCount()> list {};
    size_t k = 0;
    for (StatementCode code : allCodes)
        if (IsControlCode(code)) list[k++] = StatementEntry { code, ControlStatement };
    return list;
}();

} // namespace

const StatementFamily controlStatements = { entries.data(), static_cast<int>(entries.size()) };
