// The editor window's file tabs and file commands.
// The interpreter's tables name members "slots", which Qt's headers define as
// a macro: they come first.
#include "interpreter/Durnix_class.h"

#include "ide/DurnixEditForm.h"
#include "ide/Forms.h"

#include "ide/EditCommands.h"
#include "ide/IdeDialogs.h"
#include "ide/editor/SxEditor.h"
#include "interpreter/ProgramFiles.h"
#include "interpreter/ProtectedPrograms.h"
#include "platform/AnsiText.h"
#include "platform/MessageBoxes.h"
#include "runner/ExecutableImage.h"
#include "screen/ScreenForm.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTabBar>

#include <ctime>
#include <unistd.h>

namespace {

constexpr const char* openFilter = "Durnix (*.BAS *.bas);;Text Files (*.TXT *.txt);;All Files (*)";
constexpr const char* saveFilter = "Quorvatine (*.BAS *.bas);;Text Files (*.TXT *.txt);;All Files (*)";
constexpr const char* errorCaption = "Quorvatine...Error...";

namespace MessageAnswer = platform::MessageAnswer;
namespace MessageFlags = platform::MessageFlags;

int Box(const AnsiString& text, const char* caption, int flags)
{
    return platform::messageBoxes().show(text, caption, flags);
}

// File names are file-system bytes; widgets show them decoded, with '&'
// doubled so that no mnemonic is made of it.
QString Shown(const AnsiString& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name)).replace('&', "&&");
}

AnsiString CurrentDirectory()
{
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? AnsiString(buffer) : AnsiString(".");
}

AnsiString Absolute(const AnsiString& name)
{
    if (name.empty() || name[0] == '/') return name;
    return CurrentDirectory() + "/" + name;
}

// A text kept in a record (lines joined by CR LF) as a file holds it.
AnsiString FileTextOf(const AnsiString& text)
{
    return text.empty() ? text : text + "\r\n";
}

bool WriteFileAtomically(const AnsiString& path, const AnsiString& bytes)
{
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

const char* const hiddenProgramNotice[] = {
    "/*****************************************************************************",
    "The Quorvatine file you have loaded is a binary file created by the",
    "program's author. It will run exactly like a normal file except you",
    "cannot view or change the source code.",
    "",
    "Just press the RUN PROGRAM Speed Button or choose the 'Run Program' menu",
    "option under the 'Run' main menu, or press Ctrl+R.",
    "",
    "This feature of Quorvatine allows programmers to distribute their programs",
    "to end-users without revealing the source code. There are many reasons a",
    "programmer may wish to not share the source code. However, we suggest you",
    "share programs using standard files so that others can learn from your code.",
    "",
    "If the program causes an error, it will indicate the nature of the error",
    "and the line number, but you will not be able to see the offending line, ",
    "since this is a binary file. Report the error message and line number to ",
    "the author of the program. Authors should study the Quorvatine HELP pages",
    "to see how to create binary files as well as how to prevent run-time errors",
    "such as missing or misplaced bitmaps or sound files.",
    "",
    "The Quorvatine HELP file describes how to setup the Microsoft Windows OS",
    "so that programs can be run directly from the .BAS files without having to",
    "load and run them from within the IDE.",
    "*****************************************************************************/",
};

} // namespace

int TDurnixEditForm::TabCount() const
{
    return TabControl1->count();
}

AnsiString TDurnixEditForm::TabPath(int i) const
{
    return i == current ? currentPath : records[static_cast<size_t>(i)].path;
}

AnsiString TDurnixEditForm::TabCaption(int i) const
{
    return QFile::encodeName(TabControl1->tabText(i).replace("&&", "&")).toStdString();
}

void TDurnixEditForm::SetCurrentPath(const AnsiString& path)
{
    currentPath = path;
    panels[4]->setText(QFile::decodeName(QByteArray::fromStdString(path)));
}

AnsiString TDurnixEditForm::CurrentFileText() const
{
    return hiddenProgram ? hiddenProgramText : EditCommands::FileText(*Memo1);
}

void TDurnixEditForm::EditorChanged()
{
    if (loadingText || modified) return;
    modified = true;
    panels[3]->setText("Modified");
    TabControl1->setTabText(current, Shown(TabNames::Caption(currentPath, true)));
}

void TDurnixEditForm::MarkUnmodified()
{
    modified = false;
    Memo1->SetModified(false);
    panels[3]->setText(QString());
    TabControl1->setTabText(current, Shown(TabNames::Caption(currentPath, false)));
}

void TDurnixEditForm::ShowProgramInEditor(const AnsiString& text)
{
    loadingText = true;
    Memo1->SetReadOnly(false);
    if (hiddenProgram) {
        AnsiString notice;
        for (const char* line : hiddenProgramNotice)
            notice += AnsiString(line) + "\r\n";
        Memo1->SetText(notice);
    } else {
        Memo1->SetText(text);
    }
    Memo1->SetReadOnly(hiddenProgram);
    Memo1->UndoList().Clear();
    Memo1->SetModified(false);
    Memo1->SetBlockBegin({ 0, 0 });
    Memo1->FullUpdate();
    loadingText = false;
}

// --- Tab records ---

void TDurnixEditForm::StoreTabState()
{
    OpenFiles_S& record = records[static_cast<size_t>(current)];
    record.path = currentPath;
    record.text = hiddenProgram ? hiddenProgramText : Memo1->Lines().GetText();
    record.caretX = Memo1->CaretX();
    record.caretY = Memo1->CaretY();
    record.selStart = Memo1->SelStart();
    record.selLength = Memo1->SelLength();
    record.modified = modified;
    record.hidden = hiddenProgram;
    record.diskTime = diskTime;
}

void TDurnixEditForm::RestoreTabState(int index)
{
    const OpenFiles_S& record = records[static_cast<size_t>(index)];
    SetCurrentPath(record.path);
    hiddenProgram = record.hidden;
    hiddenProgramText = record.hidden ? record.text : AnsiString();
    ShowProgramInEditor(record.text);
    modified = record.modified;
    panels[3]->setText(modified ? "Modified" : "");
    if (record.selLength > 0) {
        Memo1->SetSelStart(record.selStart);
        Memo1->SetSelLength(record.selLength);
    } else {
        Memo1->SetBlockBegin({ record.caretX, record.caretY });
    }
    diskTime = record.diskTime;
    TabControl1->setTabText(index, Shown(TabNames::Caption(record.path, modified)));
}

void TDurnixEditForm::TabChanged(int index)
{
    if (index < 0 || index == current) return;
    StoreTabState();
    current = index;
    RestoreTabState(index);
    Memo1->setFocus();
}

void TDurnixEditForm::SelectTab(int index)
{
    if (index < 0 || index >= TabCount()) return;
    {
        const QSignalBlocker blocker(TabControl1);
        TabControl1->setCurrentIndex(index);
    }
    if (index != current) {
        StoreTabState();
        current = index;
        RestoreTabState(index);
    }
}

void TDurnixEditForm::AddTab(const AnsiString& path)
{
    OpenFiles_S record;
    record.path = path;
    records.push_back(record);
    const QSignalBlocker blocker(TabControl1);
    TabControl1->addTab(Shown(TabNames::WithoutFolder(path)));
}

int TDurnixEditForm::TabShowing(const AnsiString& path) const
{
    for (int i = 0; i < TabCount(); ++i)
        if (TabPath(i) == path) return i;
    return -1;
}

bool TDurnixEditForm::RoomForAnotherTab()
{
    if (TabCount() < TabNames::MaxTabs) return true;
    Box("Too many open files...close some files and try again...", "Quorvatine Error...", MessageFlags::IconError);
    return false;
}

void TDurnixEditForm::ResetStartTab()
{
    records.assign(1, OpenFiles_S());
    current = 0;
    hiddenProgram = false;
    hiddenProgramText.clear();
    loadingText = true;
    Memo1->SetReadOnly(false);
    Memo1->Clear();
    Memo1->UndoList().Clear();
    loadingText = false;
    diskTime = 0;
    SetCurrentPath(TabNames::StartName);
    MarkUnmodified();
    Memo1->SetBlockBegin({ 0, 0 });
}

// --- New, Open ---

void TDurnixEditForm::NewClick()
{
    if (!RoomForAnotherTab()) return;
    std::vector<AnsiString> names;
    for (int i = 0; i < TabCount(); ++i)
        names.push_back(TabPath(i));
    const AnsiString name = TabNames::NewTabName(names, TabCount());
    StoreTabState();
    AddTab(name);
    current = TabCount() - 1;
    {
        const QSignalBlocker blocker(TabControl1);
        TabControl1->setCurrentIndex(current);
    }
    hiddenProgram = false;
    hiddenProgramText.clear();
    loadingText = true;
    Memo1->SetReadOnly(false);
    Memo1->Clear();
    Memo1->UndoList().Clear();
    loadingText = false;
    diskTime = 0;
    SetCurrentPath(name);
    MarkUnmodified();
    Memo1->setFocus();
}

bool TDurnixEditForm::OpenFile(const AnsiString& given, bool fromRecent)
{
    AnsiString name = given;
    if (name.empty()) {
        // Refused before the dialog: a file chosen there could not be opened.
        if (!RoomForAnotherTab()) return false;
        name = dialogs.OpenFileName("Quorvatine--File Open", openFilter, CurrentDirectory());
        if (name.empty()) return false;
    }
    name = Absolute(name);
    const int showing = TabShowing(name);
    if (showing >= 0) {
        SelectTab(showing);
        Memo1->setFocus();
        return true;
    }
    const bool untouchedStart = current == 0 && !modified && currentPath == TabNames::StartName;
    if (!untouchedStart) {
        if (!RoomForAnotherTab()) return false;
        StoreTabState();
        AddTab(name);
        current = TabCount() - 1;
        const QSignalBlocker blocker(TabControl1);
        TabControl1->setCurrentIndex(current);
    }
    const bool read = LoadEditorFile(name, fromRecent);
    Memo1->setFocus();
    return read;
}

bool TDurnixEditForm::LoadEditorFile(const AnsiString& name, bool fromRecent)
{
    const bool read = ReadProgramFile(name, fromRecent);
    diskTime = ExecutableImage::FileAgeAsDateTime(name);
    SetCurrentPath(name);
    MarkUnmodified();
    Memo1->SetBlockBegin({ 0, 0 });
    return read;
}

bool TDurnixEditForm::ReadProgramFile(const AnsiString& name, bool fromRecent)
{
    AnsiString text;
    bool binary = false;
    if (ProgramFiles::ReadProgram(name, text, binary) != ProgramFiles::ReadResult::Ok) {
        Box("Could not open the file " + name, errorCaption, MessageFlags::IconError);
        hiddenProgramText = "End";
        hiddenProgram = false;
        Memo1->SetReadOnly(false);
        if (!commandLine.empty()) {
            CloseAllTabsAndQuit();
        } else {
            ShowProgramInEditor("End");
        }
        return false;
    }
    hiddenProgram = binary;
    hiddenProgramText = binary ? text : AnsiString();
    ShowProgramInEditor(text);
    if (!fromRecent) AddRecentFile(name);
    return true;
}

// --- Save ---

bool TDurnixEditForm::WriteFile(const AnsiString& path, const AnsiString& text)
{
    if (WriteFileAtomically(path, text)) return true;
    Box("Could not create the file " + path, errorCaption, MessageFlags::IconError);
    return false;
}

bool TDurnixEditForm::SaveClick()
{
    if (hiddenProgram) return false;
    AnsiString name = dialogs.SaveFileName("Quorvatine--Save File", saveFilter, currentPath);
    if (name.empty()) return false;
    name = Absolute(name);
    if (TabNames::WithoutFolder(name).find('.') == AnsiString::npos) name += ".BAS";
    const int other = TabShowing(name);
    if (other >= 0 && other != current) {
        if (records[static_cast<size_t>(other)].modified) {
            Box(name + "\r\nis open in another tab with unsaved changes; close that tab first.", errorCaption,
                MessageFlags::IconError);
            return false;
        }
        // The other tab shows what is about to be overwritten: it goes.
        records.erase(records.begin() + other);
        const QSignalBlocker blocker(TabControl1);
        TabControl1->removeTab(other);
        if (other < current) --current;
        TabControl1->setCurrentIndex(current);
    }
    if (!WriteFile(name, EditCommands::FileText(*Memo1))) return false;
    AddRecentFile(name);
    SetCurrentPath(name);
    MarkUnmodified();
    diskTime = ExecutableImage::FileAgeAsDateTime(name);
    return true;
}

void TDurnixEditForm::SaveAllClick()
{
    if (Box("Are you sure you want to save All files?\r\nAll changed files will be saved without a prompt\r\nDo you "
            "want to proceed?",
            "Quorvatine...", MessageFlags::YesNo | MessageFlags::IconQuestion)
        != MessageAnswer::Yes)
        return;
    StoreTabState();
    for (int i = 0; i < TabCount(); ++i) {
        OpenFiles_S& record = records[static_cast<size_t>(i)];
        // Untitled tabs wait for Save, which asks for a name; a hidden
        // program's plain text is never written.
        if (!record.modified || record.hidden || TabNames::IsUntitled(record.path)) continue;
        if (!WriteFile(record.path, FileTextOf(record.text))) continue;
        record.modified = false;
        record.diskTime = ExecutableImage::FileAgeAsDateTime(record.path);
        AddRecentFile(record.path);
        TabControl1->setTabText(i, Shown(TabNames::Caption(record.path, false)));
    }
    const OpenFiles_S& now = records[static_cast<size_t>(current)];
    if (!now.modified && modified) {
        modified = false;
        Memo1->SetModified(false);
        panels[3]->setText(QString());
    }
    diskTime = now.diskTime;
    Memo1->setFocus();
}

// --- Close ---

bool TDurnixEditForm::CloseCurrentTab()
{
    if (modified && !hiddenProgram) {
        const int answer = Box(currentPath + "\r\nhas been modified... Do you want to save it?", "Quorvatine...",
            MessageFlags::YesNoCancel | MessageFlags::IconQuestion);
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::Yes && !SaveClick()) return false;
    }
    if (TabCount() == 1) {
        ResetStartTab();
        return true;
    }
    records.erase(records.begin() + current);
    {
        const QSignalBlocker blocker(TabControl1);
        TabControl1->removeTab(current);
        if (current > 0) --current;
        TabControl1->setCurrentIndex(current);
    }
    RestoreTabState(current);
    return true;
}

void TDurnixEditForm::CloseClick()
{
    if (CloseCurrentTab()) SelectTab(current);
    Memo1->setFocus();
}

void TDurnixEditForm::CloseAllClick()
{
    for (int n = TabCount(); n > 0; --n)
        if (!CloseCurrentTab()) break;
    SelectTab(current);
    Memo1->setFocus();
}

void TDurnixEditForm::CloseAllOthersClick()
{
    int keep = current;
    for (int k = TabCount() - 1; k >= 0 && TabCount() > 1; --k) {
        if (k == keep) continue;
        SelectTab(k);
        if (!CloseCurrentTab()) break;
        if (k < keep) --keep;
    }
    SelectTab(keep);
    Memo1->setFocus();
}

// --- Protected forms ---

void TDurnixEditForm::SaveBinaryClick()
{
    if (hiddenProgram) return;
    const AnsiString folder = TabNames::Folder(currentPath);
    if (!folder.empty()) (void)::chdir(folder.c_str());
    AnsiString name = dialogs.SaveFileName("Quorvatine--Save File", saveFilter, TabNames::BinaryFileName(currentPath));
    if (name.empty()) return;
    name = Absolute(name);
    const AnsiString bytes
        = ProtectedPrograms::BinaryFileBytes(EditCommands::FileText(*Memo1), static_cast<unsigned>(std::time(nullptr)));
    if (!WriteFileAtomically(name, bytes))
        Box("Could not create the file " + name, errorCaption, MessageFlags::IconError);
}

void TDurnixEditForm::CreateEXEClick()
{
    if (hiddenProgram || !ScreenForm) return;
    // The includes are found beside the program, as a run finds them.
    const AnsiString folder = TabNames::Folder(currentPath);
    if (!folder.empty()) (void)::chdir(folder.c_str());
    auto run = std::make_unique<Durnix_Class>(*ScreenForm);
    if (!run->PrepareCompile(EditCommands::FileText(*Memo1))) {
        Box("Could not compile due to not finding one of the include files", errorCaption, MessageFlags::IconError);
        return;
    }
    const AnsiString name = dialogs.SaveFileName(
        "Quorvatine--Save File", "Executable Files (*.exe *.EXE)", TabNames::ExecutableName(currentPath));
    if (name.empty()) return;
    const AnsiString target = TabNames::ExecutableName(Absolute(name));
    if (ExecutableImage::CreateExecutable(
            paths.executable, target, run->programText, static_cast<unsigned>(std::time(nullptr))))
        Box("The EXE has been successfully created", "Quorvatine...Compiler...", MessageFlags::IconInformation);
    else
        Box("Could not create the file " + target, errorCaption, MessageFlags::IconError);
}

// --- Directory and merging ---

void TDurnixEditForm::SetDirectoryClick()
{
    const AnsiString chosen = dialogs.Directory(CurrentDirectory());
    if (!chosen.empty()) (void)::chdir(chosen.c_str());
}

namespace {
// The lines of a file to merge, as they are on disk: a binary program file's
// plain text is never revealed this way.
bool ReadMergeText(const AnsiString& name, AnsiString& text)
{
    AnsiString bytes;
    if (ProgramFiles::ReadBytes(name, bytes) != ProgramFiles::ReadResult::Ok) {
        Box("Could not open the file " + name, errorCaption, MessageFlags::IconError);
        return false;
    }
    text = ProgramFiles::NormaliseLineEnds(bytes);
    return true;
}
} // namespace

void TDurnixEditForm::MergeToEndClick()
{
    if (hiddenProgram) return;
    const AnsiString directory = CurrentDirectory();
    const AnsiString name = dialogs.OpenFileName("Select A File To Merge To The Current File", openFilter, directory);
    AnsiString text;
    if (!name.empty() && ReadMergeText(name, text)) EditCommands::MergeToEnd(*Memo1, text);
    (void)::chdir(directory.c_str());
    Memo1->setFocus();
}

void TDurnixEditForm::MergeAtCursorClick()
{
    if (hiddenProgram) return;
    const AnsiString directory = CurrentDirectory();
    const AnsiString name = dialogs.OpenFileName("Select A File To Merge To The Current File", openFilter, directory);
    AnsiString text;
    if (!name.empty() && ReadMergeText(name, text)) EditCommands::MergeAtCursor(*Memo1, text);
    (void)::chdir(directory.c_str());
    Memo1->setFocus();
}

// --- Recent files ---

void TDurnixEditForm::AddRecentFile(const AnsiString& name)
{
    if (recentLimit <= 0) return;
    recentFiles.insert(recentFiles.begin(), name);
    if (static_cast<int>(recentFiles.size()) > recentLimit) recentFiles.resize(static_cast<size_t>(recentLimit));
    RebuildRecentMenu();
}

void TDurnixEditForm::RebuildRecentMenu()
{
    for (QAction* action : recentActions) {
        fileMenu->removeAction(action);
        action->deleteLater();
    }
    recentActions.clear();
    if (recentFiles.empty()) return;
    recentActions.push_back(fileMenu->addSeparator());
    for (const AnsiString& name : recentFiles) {
        QAction* action = fileMenu->addAction(Shown(name));
        // The path comes from the list, never back from the caption.
        connect(action, &QAction::triggered, this, [this, name] { OpenFile(name, true); });
        recentActions.push_back(action);
    }
}
