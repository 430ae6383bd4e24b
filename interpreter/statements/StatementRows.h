#pragma once

#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"

#include <array>
#include <cstring>
#include <iterator>

// Statements described by one row each: argument counts, one letter per
// parameter slot (i integer, f double, s text, z any value as text, v a
// variable name, a an array name, 1/2 an array of that many dimensions), the
// slots' numeric defaults, and the operation that runs once the arguments are
// read. A family is a table of such rows served by one handler.
struct StatementRow {
    StatementCode code;
    int required;
    int maximum;
    const char* letters;
    double defaults[10];
    void (*operation)(Durnix_Class&);
};

// Prepares the slots by the row's letters and defaults and reads the
// arguments (names where the letters ask for them).
inline void ReadRowArguments(Durnix_Class& d, const StatementRow& row)
{
    d.SetParamDefaults(Durnix_Class::ParamSlots, 0, 'i');
    const int slotCount = static_cast<int>(std::strlen(row.letters));
    bool names = false;
    for (int k = 0; k < slotCount; ++k) {
        const char letter = row.letters[k];
        d.paramType[k] = letter;
        d.paramFloat[k] = row.defaults[k];
        d.paramInt[k] = static_cast<int32_t>(row.defaults[k]);
        names = names || letter == 'v' || letter == 'a' || letter == '1' || letter == '2';
    }
    int given = 0;
    if (names)
        d.ParseParamsWithNames(row.required, row.maximum, given);
    else
        d.ParseParams(row.required, row.maximum, given);
}

// The handler and entries of a family of rows.
template <const StatementRow* Rows, size_t Count> struct RowFamily {
    static void Run(Durnix_Class& d)
    {
        for (size_t k = 0; k < Count; ++k)
            if (Code(Rows[k].code) == d.expression.tokenCode) {
                ReadRowArguments(d, Rows[k]);
                Rows[k].operation(d);
                return;
            }
        d.RaiseError(ErrorCode::SyntaxError);
    }
    static constexpr std::array<StatementEntry, Count> Entries()
    {
        std::array<StatementEntry, Count> list {};
        for (size_t k = 0; k < Count; ++k)
            list[k] = StatementEntry { Rows[k].code, Run };
        return list;
    }
};
