#include "canvas/raster/PathLanguage.h"

#include <climits>
#include <cstddef>

namespace raster {

namespace {

struct Move {
    char letter;
    int dx;
    int dy;
};

// Screen coordinates: y grows downward.
constexpr Move moves[] = {
    { 'u', 0, -1 }, { 'd', 0, 1 }, { 'l', -1, 0 }, { 'r', 1, 0 }, //
    { 'q', -1, -1 }, { 'w', 1, -1 }, { 'a', -1, 1 }, { 's', 1, 1 }, //
};

const Move* MoveOf(char c)
{
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    for (const Move& move : moves)
        if (move.letter == lower) return &move;
    return nullptr;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::vector<PathAction> ReadPath(const std::string& text, Coordinate x, Coordinate y, Coordinate step)
{
    std::vector<PathAction> actions;
    size_t k = 0;
    while (k < text.size()) {
        if (IsDigit(text[k])) {
            long long number = 0;
            while (k < text.size() && IsDigit(text[k])) {
                number = number * 10 + (text[k] - '0');
                if (number > INT_MAX) number = INT_MAX;
                ++k;
            }
            actions.push_back({ PathAction::Kind::SetColor, static_cast<int>(number) });
            if (k == text.size()) break;
        } else if (text[k] == '-') {
            actions.push_back({ PathAction::Kind::StartColor });
        }
        const char c = text[k];
        const Move* move = MoveOf(c);
        if (move) {
            x += move->dx * step;
            y += move->dy * step;
        }
        const bool draws = move && c >= 'a' && c <= 'z';
        actions.push_back({ draws ? PathAction::Kind::LineTo : PathAction::Kind::MoveTo, 0, x, y });
        ++k;
    }
    return actions;
}

} // namespace raster
