#include "platform/MessageBoxes.h"

#include "platform/Dialogs.h"

#include <cstdio>

namespace platform {

int defaultAnswer(int flags)
{
    static const int answers[6][3] = {
        { MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok },
        { MessageAnswer::Ok, MessageAnswer::Cancel, MessageAnswer::Cancel },
        { MessageAnswer::Abort, MessageAnswer::Retry, MessageAnswer::Ignore },
        { MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel },
        { MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::No },
        { MessageAnswer::Retry, MessageAnswer::Cancel, MessageAnswer::Cancel },
    };
    int set = flags & 0x0F;
    if (set > 5) set = 0;
    int button = (flags & 0x300) >> 8;
    if (button > 2) button = 0;
    return answers[set][button];
}

namespace {
HeadlessMessageBoxes headlessBoxes;
MessageBoxes* current = &headlessBoxes;
} // namespace

MessageBoxes& messageBoxes()
{
    return *current;
}

void setMessageBoxes(MessageBoxes* boxes)
{
    current = boxes ? boxes : &headlessBoxes;
}

int HeadlessMessageBoxes::show(const AnsiString& text, const AnsiString& caption, int flags)
{
    // What the program printed comes first, as it was made first.
    std::fflush(stdout);
    // Multi-line texts are composed with CR LF; a terminal wants plain line ends.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), WithNewlines(text).c_str());
    std::fflush(stderr);
    return defaultAnswer(flags);
}

int RecordingMessageBoxes::show(const AnsiString& text, const AnsiString& caption, int flags)
{
    shown.push_back({ text, caption, flags });
    if (!answers.empty()) {
        int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    return defaultAnswer(flags);
}

} // namespace platform
