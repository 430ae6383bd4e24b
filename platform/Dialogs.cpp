#include "platform/Dialogs.h"

#include <cstdio>

#include <unistd.h>

#include <algorithm>

#include "platform/RegularFiles.h"
#include "platform/RichText.h"

#include <cstdlib>
#include <fstream>
#include <memory>

namespace platform {

namespace {
HeadlessDialogs headlessDialogs;
Dialogs* current = &headlessDialogs;

// A file larger than this is not shown whole; no message form needs more.
constexpr std::streamsize MaxShownFile = 16 * 1024 * 1024;

AnsiString ReadShownFile(const AnsiString& name)
{
    // Only a regular file is shown: a pipe would block the dialog for ever.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenRegularStream(name, "rb"), std::fclose);
    if (!file) return {};
    AnsiString bytes(static_cast<size_t>(MaxShownFile), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    return bytes;
}

// A whole line that reads as a number (blanks around it allowed).
bool ReadsAsNumber(const AnsiString& line, double& value)
{
    const char* start = line.c_str();
    char* end = nullptr;
    value = std::strtod(start, &end);
    if (end == start) return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0';
}

template <typename T> T TakeFront(std::deque<T>& queue, T fallback)
{
    if (queue.empty()) return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}
} // namespace

Dialogs& dialogs()
{
    return *current;
}

void setDialogs(Dialogs* dialogs)
{
    current = dialogs ? dialogs : &headlessDialogs;
}

AnsiString MessageFormText(const MessageFormRequest& request)
{
    if (request.mode == 1) return request.text;
    return RichTextToPlain(ReadShownFile(request.rtfFile));
}

AnsiString WithNewlines(const AnsiString& text)
{
    AnsiString out;
    out.reserve(text.size());
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r') {
            out += '\n';
            if (k + 1 < text.size() && text[k + 1] == '\n') ++k;
        } else {
            out += text[k];
        }
    }
    return out;
}

void HeadlessDialogs::Write(const AnsiString& caption, const AnsiString& text)
{
    // What the program printed comes first, as it was made first.
    std::fflush(stdout);
    std::fprintf(err, "%s: %s\n", caption.c_str(), WithNewlines(text).c_str());
    std::fflush(err);
}

bool HeadlessDialogs::ReadLine(AnsiString& line)
{
    line.clear();
    if (!in) return false;
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(in)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

int HeadlessDialogs::ShowMessageForm(const MessageFormRequest& request)
{
    Write(request.caption, MessageFormText(request));
    return 1;
}

AnsiString HeadlessDialogs::AskInput(int, int, const AnsiString& prompt, const AnsiString& initial, int)
{
    Write("Input", prompt);
    AnsiString line;
    return ReadLine(line) ? line : initial;
}

AnsiString HeadlessDialogs::InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& fallback)
{
    Write(caption, prompt);
    AnsiString line;
    return ReadLine(line) ? line : fallback;
}

int HeadlessDialogs::PromptColor(int preset)
{
    Write("Quorvatine--Color", std::to_string(preset));
    AnsiString line;
    double value = 0;
    if (!ReadLine(line) || !ReadsAsNumber(line, value) || !(value >= -2147483648.0 && value <= 2147483647.0))
        return preset;
    return static_cast<int>(value);
}

int ScriptedDialogs::ShowMessageForm(const MessageFormRequest& request)
{
    messageForms.push_back(request);
    shown.push_back("message " + request.caption + "|" + MessageFormText(request));
    return TakeFront(messageAnswers, 1);
}

AnsiString ScriptedDialogs::AskInput(int x, int y, const AnsiString& prompt, const AnsiString& initial, int width)
{
    shown.push_back("input " + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + "|" + prompt
        + "|" + initial);
    return TakeFront(inputAnswers, initial);
}

AnsiString ScriptedDialogs::InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& fallback)
{
    shown.push_back("inputbox " + caption + "|" + prompt + "|" + fallback);
    return TakeFront(inputAnswers, fallback);
}

int ScriptedDialogs::PromptColor(int preset)
{
    shown.push_back("colour " + std::to_string(preset));
    return TakeFront(colourAnswers, preset);
}

namespace {

AnsiString CurrentFolder()
{
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? AnsiString(buffer) : AnsiString();
}

} // namespace

AnsiString HeadlessDialogs::chooseFile(const FileDialogRequest& request)
{
    // What the program printed comes first, as it was made first.
    std::fflush(stdout);
    std::fprintf(err, "%s: %s\n", request.title.c_str(), request.initialName.c_str());
    std::fflush(err);
    AnsiString line;
    int c;
    while ((c = std::fgetc(in)) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) return {};
    std::replace(line.begin(), line.end(), '\\', '/');
    if (line[0] == '/') return line;
    AnsiString folder = request.folder.empty() ? CurrentFolder() : request.folder;
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder + line;
}

AnsiString ScriptedDialogs::chooseFile(const FileDialogRequest& request)
{
    requests.push_back(request);
    if (answers.empty()) return {};
    AnsiString answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<AnsiString> QtNameFilters(const AnsiString& filter)
{
    std::vector<AnsiString> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        const size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == AnsiString::npos ? AnsiString::npos : bar - start));
        if (bar == AnsiString::npos) break;
        start = bar + 1;
    }
    std::vector<AnsiString> filters;
    for (size_t k = 0; k + 1 < parts.size(); k += 2) {
        const AnsiString& name = parts[k];
        const AnsiString& patterns = parts[k + 1];
        AnsiString spaced;
        for (char c : patterns)
            spaced += c == ';' ? ' ' : c;
        filters.push_back(name + " (" + spaced + ")");
    }
    return filters;
}

} // namespace platform
