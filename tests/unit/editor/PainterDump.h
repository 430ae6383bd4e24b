#pragma once

#include "ide/editor/CustomPainter.h"
#include "ide/editor/QzText.h"

#include <utility>
#include <vector>

// Names attributes by their values and dumps the runs of one painted line as
// "text|Name" pieces, adjacent runs of one name merged.
struct RunNamer {
    std::vector<std::pair<AnsiString, TsxPaintAttr>> known;

    void Add(const AnsiString& name, const TsxPaintAttr& attr) { known.emplace_back(name, attr); }
    AnsiString NameOf(const TsxPaintAttr& a) const
    {
        for (const auto& [name, k] : known)
            if (k.ColorFront == a.ColorFront && k.ColorBack == a.ColorBack && k.Style == a.Style) return name;
        return "?";
    }
};

inline std::vector<AnsiString> DumpLine(TsxCustomPainter& painter, int n, const RunNamer& namer)
{
    std::vector<AnsiString> runs;
    AnsiString lastName;
    painter.SetLineIndex(n);
    const AnsiString line = painter.CurrentLineText();
    int column = 1;
    while (column <= static_cast<int>(line.size())) {
        TsxPaintAttr attr;
        int last = painter.Paintline(column, attr);
        if (last < column) last = column;
        const AnsiString name = namer.NameOf(attr);
        const AnsiString piece = line.substr(static_cast<size_t>(column - 1), static_cast<size_t>(last - column + 1));
        if (!runs.empty() && name == lastName)
            runs.back().insert(runs.back().size() - name.size() - 1, piece);
        else
            runs.push_back(piece + "|" + name);
        lastName = name;
        column = last + 1;
    }
    return runs;
}
