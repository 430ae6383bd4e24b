#include "interpreter/NumberText.h"
#include "interpreter/arrays/Arrays_class.h"
#include "interpreter/arrays/DArray_class.h"
#include "platform/Dialogs.h"
#include "support/FloatText.h"

#include <algorithm>

// The array display of msgbox: the elements as lines of the message form.

ArrayResult Arrays_Class::ShowInMessageForm(
    std::string_view name, int& result, const AnsiString& title, const platform::MessageFormRequest* placement)
{
    const Node* array = Find(name);
    if (!array) return ErrorCode::ArrayNotDefined;
    if (array->dimCount != 1) return ErrorCode::ArrayWrongDimension;

    platform::MessageFormRequest request = placement ? *placement : platform::MessageFormRequest {};
    request.text.clear();
    request.caption = "Quorvatine Message...";
    const bool titled = !title.empty();
    if (titled && title != " ") request.caption = title;

    // Elements from position 0 up to the first unset slot.
    int examined = 0;
    size_t longest = 0;
    Value element;
    for (int position = 0; array->data && array->data->Get(position, element); ++position) {
        ++examined;
        AnsiString line = element.tag == Tag::Int ? IntToStr(element.i)
            : element.tag == Tag::Float           ? FloatToStr(element.f)
                                                  : element.s;
        if (!titled && position == 0) {
            request.caption = line;
            continue;
        }
        longest = std::max(longest, line.size());
        request.text += line + "\r\n";
    }
    request.mode = 1;
    request.lines = examined + 1;
    request.columns = static_cast<int>(std::min<size_t>(longest + 2, 1000000));
    result = platform::dialogs().ShowMessageForm(request);
    return std::nullopt;
}
