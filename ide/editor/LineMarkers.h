#pragma once

#include "ide/editor/PaintAttr.h"

#include <vector>

class EditorCore;

struct TLineMarker {
    AnsiString hint;
    int line = 0;
    int imageIndex = -1;
    TColor backColour = 0x008000;
    TColor frontColour = 0xFFFFFF;
};

// Lines painted in their own colours, with an optional gutter image and hint.
// Every change repaints the marker's line in the text and the gutter.
class TLineMarkers {
public:
    explicit TLineMarkers(EditorCore& owner)
        : editor(owner)
    { }
    ~TLineMarkers() { destroying = true; }

    int Add(int line, TColor frontColour, TColor backColour, int imageIndex, const AnsiString& hint);
    void Clear();
    int Count() const { return static_cast<int>(markers.size()); }
    int IndexOfMarkerByLine(int line) const;
    const TLineMarker* GetMarker(int i) const;
    void SetMarker(int i, const TLineMarker& marker);
    void Delete(int i);
    void DeleteByLine(int line);
    bool IsMarked(int line) const { return IndexOfMarkerByLine(line) >= 0; }
    // The marker of that line, created white on green when the line has none.
    TLineMarker GetMarkerByLine(int line);
    void SetMarkerByLine(int line, const TLineMarker& marker);
    void UpdateParentControl(int line);

private:
    EditorCore& editor;
    std::vector<TLineMarker> markers;
    bool destroying = false;
};
