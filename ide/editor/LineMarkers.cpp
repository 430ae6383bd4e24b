#include "ide/editor/LineMarkers.h"

#include "ide/editor/EditorCore.h"

int TLineMarkers::Add(int line, TColor frontColour, TColor backColour, int imageIndex, const AnsiString& hint)
{
    markers.push_back(TLineMarker { hint, line, imageIndex, backColour, frontColour });
    UpdateParentControl(line);
    return Count() - 1;
}

void TLineMarkers::Clear()
{
    markers.clear();
    if (!destroying) editor.RepaintAll();
}

int TLineMarkers::IndexOfMarkerByLine(int line) const
{
    for (int i = 0; i < Count(); ++i)
        if (markers[static_cast<size_t>(i)].line == line) return i;
    return -1;
}

const TLineMarker* TLineMarkers::GetMarker(int i) const
{
    return (i >= 0 && i < Count()) ? &markers[static_cast<size_t>(i)] : nullptr;
}

void TLineMarkers::SetMarker(int i, const TLineMarker& marker)
{
    if (i < 0 || i >= Count()) return;
    int oldLine = markers[static_cast<size_t>(i)].line;
    markers[static_cast<size_t>(i)] = marker;
    UpdateParentControl(oldLine);
    UpdateParentControl(marker.line);
}

void TLineMarkers::Delete(int i)
{
    if (i < 0 || i >= Count()) return;
    int line = markers[static_cast<size_t>(i)].line;
    markers.erase(markers.begin() + i);
    UpdateParentControl(line);
}

void TLineMarkers::DeleteByLine(int line)
{
    Delete(IndexOfMarkerByLine(line));
}

TLineMarker TLineMarkers::GetMarkerByLine(int line)
{
    int i = IndexOfMarkerByLine(line);
    if (i < 0) i = Add(line, 0xFFFFFF, 0x008000, -1, AnsiString());
    return markers[static_cast<size_t>(i)];
}

void TLineMarkers::SetMarkerByLine(int line, const TLineMarker& marker)
{
    int i = IndexOfMarkerByLine(line);
    if (i >= 0) SetMarker(i, marker);
}

void TLineMarkers::UpdateParentControl(int line)
{
    if (destroying) return;
    editor.RepaintTextLine(line);
    editor.RepaintGutterLine(line);
}
