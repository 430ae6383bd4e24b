#include "builtins/FileCopy.h"
#include "builtins/FunctionFamilies.h"
#include "interpreter/OpenFiles.h"
#include "support/FileNames.h"
#include "support/LibraryFailure.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

// Files, folders and disks by name: existence, deleting, renaming, copying,
// dates, the parts of a path text, searching, listing, the current folder and
// the disks' sizes. Failures are results (0, -1, an empty text); none stops the
// run.

namespace {

using FileNames::Resolve;

enum class Kind { File, Folder };

bool IsKind(const std::optional<AnsiString>& path, Kind kind, struct stat* found = nullptr)
{
    struct stat status { };
    if (!path || ::stat(path->c_str(), &status) != 0) return false;
    if (found) *found = status;
    return kind == Kind::File ? S_ISREG(status.st_mode) : S_ISDIR(status.st_mode);
}

void ReturnFlag(FunctionCall& call, bool flag)
{
    call.ReturnInt(flag ? 1 : 0);
}

void FileExists(FunctionCall& call)
{
    ReturnFlag(call, IsKind(Resolve(call.FirstText()), Kind::File));
}

void DirExists(FunctionCall& call)
{
    ReturnFlag(call, IsKind(Resolve(call.FirstText()), Kind::Folder));
}

void FileDelete(FunctionCall& call)
{
    const std::optional<AnsiString> path = Resolve(call.FirstText());
    struct stat status { };
    const bool deletable = path && ::lstat(path->c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
    ReturnFlag(call, deletable && ::unlink(path->c_str()) == 0);
}

bool SameEntry(const AnsiString& a, const AnsiString& b)
{
    struct stat x {
    }, y {};
    return ::lstat(a.c_str(), &x) == 0 && ::lstat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

// Renames without ever replacing an existing entry (a plain rename would do so
// silently); a rename that changes only the letter case of the same entry
// works.
void FileRename(FunctionCall& call)
{
    const std::optional<AnsiString> from = Resolve(call.FirstText());
    const AnsiString newName = call.NextText();
    std::optional<AnsiString> to = Resolve(newName);
    struct stat status { };
    if (!from || !to || ::lstat(from->c_str(), &status) != 0) {
        call.ReturnInt(0);
        return;
    }
    if (::lstat(to->c_str(), &status) == 0) {
        if (!SameEntry(*from, *to)) {
            call.ReturnInt(0);
            return;
        }
        // The same entry under another letter case: it takes the new name as
        // written, in the folder where it was found.
        AnsiString written = newName;
        while (!written.empty() && (written.back() == '/' || written.back() == '\\'))
            written.pop_back();
        to = FileNames::PathOf(*to) + FileNames::NameOf(written);
        if (*to == *from) {
            call.ReturnInt(1);
            return;
        }
    }
    ReturnFlag(call, ::renameat2(AT_FDCWD, from->c_str(), AT_FDCWD, to->c_str(), RENAME_NOREPLACE) == 0);
}

void FileCopyFunction(FunctionCall& call)
{
    OpenFiles::WritePending(call.ex);
    const std::optional<AnsiString> source = Resolve(call.FirstText());
    const std::optional<AnsiString> target = Resolve(call.NextText());
    const bool overwrite = call.HasMore() && call.NextInt() != 0;
    if (!source) {
        call.ReturnFloat(-1);
        return;
    }
    if (!target) {
        call.ReturnFloat(-2);
        return;
    }
    call.ReturnFloat(FileCopy::Copy(*source, *target, overwrite));
}

void FileDate(FunctionCall& call)
{
    OpenFiles::WritePending(call.ex);
    struct stat status { };
    if (!IsKind(Resolve(call.FirstText()), Kind::File, &status)) {
        call.ReturnFloat(-1);
        return;
    }
    call.ReturnFloat(FileNames::ToDateTime(status.st_mtim));
}

void FileDir(FunctionCall& call)
{
    call.ReturnText(FileNames::FolderOf(call.FirstText()));
}

void FileDrive(FunctionCall& call)
{
    call.ReturnText(FileNames::DriveOf(call.FirstText()));
}

void FileExt(FunctionCall& call)
{
    call.ReturnText(FileNames::ExtensionOf(call.FirstText()));
}

void FileName(FunctionCall& call)
{
    call.ReturnText(FileNames::NameOf(call.FirstText()));
}

void FilePath(FunctionCall& call)
{
    call.ReturnText(FileNames::PathOf(call.FirstText()));
}

void FileChangeExt(FunctionCall& call)
{
    const AnsiString& name = call.FirstText();
    call.ReturnText(FileNames::ChangeExtension(name, call.NextText()));
}

// The current folder first, then each folder of the ";"-separated list.
void FileSearch(FunctionCall& call)
{
    const AnsiString name = call.FirstText();
    const AnsiString folders = call.NextText();
    auto tryIn = [&](const AnsiString& folder) -> std::optional<AnsiString> {
        AnsiString candidate = folder.empty() ? name : folder + "/" + name;
        std::optional<AnsiString> path = Resolve(candidate);
        if (!IsKind(path, Kind::File)) return std::nullopt;
        return FileNames::Absolute(*path);
    };
    if (auto found = tryIn({})) {
        call.ReturnText(*found);
        return;
    }
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(';', start);
        if (end == AnsiString::npos) end = folders.size();
        AnsiString folder = folders.substr(start, end - start);
        while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
            folder.pop_back();
        if (end > start) {
            if (auto found = tryIn(folder.empty() ? AnsiString("/") : folder)) {
                call.ReturnText(*found);
                return;
            }
        }
        start = end + 1;
    }
    call.ReturnText({});
}

AnsiString MaskOf(FunctionCall& call)
{
    if (call.first.tag == 0 || call.FirstText().empty()) return "*.*";
    return call.FirstText();
}

AnsiString Joined(const std::vector<AnsiString>& names)
{
    AnsiString text;
    for (size_t k = 0; k < names.size(); ++k) {
        if (k > 0) text += '|';
        text += names[k];
    }
    return text;
}

void FilesCount(FunctionCall& call)
{
    call.ReturnInt(static_cast<double>(FileNames::ListCurrentFolder(FileNames::EntryKind::Files, MaskOf(call)).size()));
}

void FilesList(FunctionCall& call)
{
    call.ReturnText(Joined(FileNames::ListCurrentFolder(FileNames::EntryKind::Files, MaskOf(call))));
}

void DirCount(FunctionCall& call)
{
    call.ReturnInt(static_cast<double>(FileNames::ListCurrentFolder(FileNames::EntryKind::Folders).size()));
}

void DirList(FunctionCall& call)
{
    call.ReturnText(Joined(FileNames::ListCurrentFolder(FileNames::EntryKind::Folders)));
}

// Makes the folder and every missing parent; 1 when the folder exists
// afterwards.
void DirCreate(FunctionCall& call)
{
    const AnsiString& name = call.FirstText();
    if (name.empty()) throw LibraryFailure { "Cannot create directory" };
    std::optional<AnsiString> path = Resolve(name);
    if (!path) {
        call.ReturnInt(0);
        return;
    }
    AnsiString& folder = *path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    for (size_t k = 1; k <= folder.size(); ++k) {
        if (k < folder.size() && folder[k] != '/') continue;
        const AnsiString prefix = folder.substr(0, k);
        if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) break;
    }
    ReturnFlag(call, IsKind(folder, Kind::Folder));
}

void DirSet(FunctionCall& call)
{
    const std::optional<AnsiString> path = Resolve(call.FirstText());
    ReturnFlag(call, path && ::chdir(path->c_str()) == 0);
}

void DirRemove(FunctionCall& call)
{
    const std::optional<AnsiString> path = Resolve(call.FirstText());
    ReturnFlag(call, path && ::rmdir(path->c_str()) == 0);
}

void DirCurrent(FunctionCall& call)
{
    call.ReturnText(FileNames::CurrentFolder());
}

// Drive 0 is the file system of the current folder and 3 ("C:") the one that
// holds "/"; no other drive exists.
bool DiskOf(FunctionCall& call, struct statvfs& disk)
{
    const int32_t drive = call.FirstInt();
    const char* where = drive == 0 ? "." : drive == 3 ? "/" : nullptr;
    return where && ::statvfs(where, &disk) == 0;
}

void DiskFree(FunctionCall& call)
{
    struct statvfs disk { };
    call.ReturnFloat(DiskOf(call, disk) ? static_cast<double>(disk.f_bavail) * static_cast<double>(disk.f_frsize) : -1);
}

void DiskSize(FunctionCall& call)
{
    struct statvfs disk { };
    call.ReturnFloat(DiskOf(call, disk) ? static_cast<double>(disk.f_blocks) * static_cast<double>(disk.f_frsize) : -1);
}

const FunctionEntry entries[] = {
    { FunctionCode::Fileexists, FirstArgument::Text, FileExists },
    { FunctionCode::Filedelete, FirstArgument::Text, FileDelete },
    { FunctionCode::Filerename, FirstArgument::Text, FileRename },
    { FunctionCode::Filecopy, FirstArgument::Text, FileCopyFunction },
    { FunctionCode::Filedate, FirstArgument::Text, FileDate },
    { FunctionCode::Filedir, FirstArgument::Text, FileDir },
    { FunctionCode::Filedrive, FirstArgument::Text, FileDrive },
    { FunctionCode::Fileext, FirstArgument::Text, FileExt },
    { FunctionCode::Filename, FirstArgument::Text, FileName },
    { FunctionCode::Filepath, FirstArgument::Text, FilePath },
    { FunctionCode::Filechangeext, FirstArgument::Text, FileChangeExt },
    { FunctionCode::Filesearch, FirstArgument::Text, FileSearch },
    { FunctionCode::Filescount, FirstArgument::OptionalText, FilesCount },
    { FunctionCode::Fileslist, FirstArgument::OptionalText, FilesList },
    { FunctionCode::Dircreate, FirstArgument::Text, DirCreate },
    { FunctionCode::Direxists, FirstArgument::Text, DirExists },
    { FunctionCode::Dirset, FirstArgument::Text, DirSet },
    { FunctionCode::Dirremove, FirstArgument::Text, DirRemove },
    { FunctionCode::Dircurrent, FirstArgument::None, DirCurrent },
    { FunctionCode::Dircount, FirstArgument::None, DirCount },
    { FunctionCode::Dirlist, FirstArgument::None, DirList },
    { FunctionCode::Diskfree, FirstArgument::Number, DiskFree },
    { FunctionCode::Disksize, FirstArgument::Number, DiskSize },
};

} // namespace

std::span<const FunctionEntry> FolderFunctionEntries()
{
    return entries;
}
