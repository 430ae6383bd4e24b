#pragma once

#include "base/Values.h"

#include <cstdint>

// Colours are Windows colour values: red in the low byte, blue in the third.
using TColor = uint32_t;

// Font style bits; the same bits the settings file stores.
using TFontStyles = uint8_t;
namespace FontStyle {
constexpr TFontStyles Bold = 1;
constexpr TFontStyles Italic = 2;
constexpr TFontStyles Underline = 4;
constexpr TFontStyles StrikeOut = 8;
} // namespace FontStyle

// A font as the painter and the editor describe it; the widget turns it into a
// real font.
struct TFontInfo {
    AnsiString Name = "Courier New";
    int Size = 10;
    TColor Color = 0;
    TFontStyles Style = 0;
    bool operator==(const TFontInfo&) const = default;
};

class TsxCustomPainter;

// The colours and style of one run of painted text. An attribute that belongs
// to a painter makes the painter announce a change whenever it is set.
class TsxPaintAttr {
public:
    explicit TsxPaintAttr(TsxCustomPainter* ownerPainter = nullptr)
        : owner(ownerPainter)
    { }
    // Copies the values only: the owner stays, and no change is announced.
    TsxPaintAttr(const TsxPaintAttr& other)
        : ColorFront(other.ColorFront)
        , ColorBack(other.ColorBack)
        , Style(other.Style)
    { }
    TsxPaintAttr& operator=(const TsxPaintAttr& other)
    {
        ColorFront = other.ColorFront;
        ColorBack = other.ColorBack;
        Style = other.Style;
        return *this;
    }

    void SetColorFront(TColor c);
    void SetColorBack(TColor c);
    void SetStyle(TFontStyles s);
    // Copies back, front and style and announces the change through the owner.
    void Assign(const TsxPaintAttr& source);

    TsxCustomPainter* Owner() const { return owner; }
    void SetOwner(TsxCustomPainter* painter) { owner = painter; }

    TColor ColorFront = 0x000000;
    TColor ColorBack = 0xFFFFFF;
    TFontStyles Style = 0;

private:
    void Changed();
    TsxCustomPainter* owner = nullptr;
};
