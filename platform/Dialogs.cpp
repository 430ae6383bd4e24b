#include "platform/Dialogs.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace platform {

namespace {
HeadlessDialogs headlessDialogs;
Dialogs* current = &headlessDialogs;

AnsiString CurrentFolder()
{
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? AnsiString(buffer) : AnsiString();
}

} // namespace

Dialogs& dialogs()
{
    return *current;
}

void setDialogs(Dialogs* chosen)
{
    current = chosen ? chosen : &headlessDialogs;
}

AnsiString HeadlessDialogs::chooseFile(const FileDialogRequest& request)
{
    std::fprintf(stderr, "%s: %s\n", request.title.c_str(), request.initialName.c_str());
    std::fflush(stderr);
    AnsiString line;
    int c;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
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
