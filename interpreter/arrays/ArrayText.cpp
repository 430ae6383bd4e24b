#include "interpreter/NumberText.h"
#include "interpreter/arrays/ArraySupport.h"
#include "support/TextAlgorithms.h"

#include <cmath>

// A one-dimensional array joined into one text, and a text split into one.

using namespace arraywork;

namespace {

// How a piece of a split text is stored: a text unless it reads as a number;
// an integer when it is written without a point or an exponent and its value
// is a whole number within the 32-bit range.
char ClassifyPiece(std::string_view piece, double& value)
{
    if (piece.empty() || !numbertext::ParseFloat(piece, value)) return Tag::String;
    if (piece.find_first_of(".eE") != std::string_view::npos) return Tag::Float;
    if (value >= -2147483648.0 && value <= 2147483647.0 && value == std::trunc(value)) return Tag::Int;
    return Tag::Float;
}

} // namespace

ArrayResult Arrays_Class::ToText(std::string_view name, AnsiString& text, const AnsiString& separator)
{
    const Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 1) return ErrorCode::ArrayWrongDimension;
    const AnsiString& between = separator.empty() ? AnsiString("\r\n") : separator;
    text.clear();
    const DArray_Class* store = node->data.get();
    int elements = 0;
    while (store && elements < store->capacity && store->types[elements] != Tag::Unset)
        ++elements;
    // The length is counted before anything is built: a text past the bound
    // of every text is refused at once instead of after gigabytes of copying.
    uint64_t length = elements > 0 ? static_cast<uint64_t>(elements - 1) * between.size() : 0;
    for (int k = 0; k < elements && length <= TextAlgorithms::MaxTextLength; ++k)
        length += store->types[k] == Tag::String ? store->cells[k].s->size() : ElementText(*store, k).size();
    if (length > TextAlgorithms::MaxTextLength) return ErrorCode::OutOfMemory;
    text.reserve(static_cast<size_t>(length));
    for (int k = 0; k < elements; ++k) {
        if (k > 0) text += between;
        text += ElementText(*store, k);
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::FromString(std::string_view name, const AnsiString& text, const AnsiString& separator)
{
    const int none = 0;
    if (Define(name, 1, &none) == Definition::Refused) return ErrorCode::OutOfMemory;
    std::string_view rest(text);
    for (;;) {
        const size_t found = separator.empty() ? std::string_view::npos : rest.find(separator);
        const std::string_view piece = rest.substr(0, found);
        double value = 0;
        int appended = 0;
        switch (ClassifyPiece(piece, value)) {
        case Tag::Int:
            appended = AppendInt(name, static_cast<int32_t>(value));
            break;
        case Tag::Float:
            appended = AppendFloat(name, value);
            break;
        default:
            appended = AppendString(name, AnsiString(piece));
            break;
        }
        if (!appended) return ErrorCode::OutOfMemory;
        if (found == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(found + separator.size());
    }
}
