#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementRows.h"
#include "platform/RegularFiles.h"
#include "support/FileNames.h"

// The wave, media and window-metrics statements: the wave player, the media
// slots of the run-time screen (the first argument of every media statement
// is the slot number), the video window and the screen window's frame. The
// screen swallows media failures; only the argument reader raises errors.

namespace {

// A program's file name as this file system knows it ("\\" separators, each
// component found without letter case); empty when it names nothing here,
// which the screen takes as a file that cannot be played or written. A name
// that leads to a pipe, socket or device is empty too: the player would wait
// on a pipe for ever, and a recording would be written into it.
AnsiString LocalName(const AnsiString& name)
{
    const std::optional<AnsiString> path = FileNames::Resolve(name);
    if (!path || platform::NamesSpecialFile(*path)) return {};
    return *path;
}

// Writes an integer into the variable named in slot k, when the program
// named one there.
void StoreInt(Durnix_Class& d, int k, int32_t value)
{
    if (d.paramText[k].empty()) return;
    if (d.currentVariables->Set(d.paramText[k], Tag::Int, &value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
}

void PlayWav(Durnix_Class& d)
{
    const AnsiString& file = d.paramText[0];
    const bool background = d.paramInt[1] != 0;
    if (file.empty()) return d.screen.Media().PlayWave({}, background, false);
    // A name that names nothing here stops the sound as a failed one would.
    d.screen.Media().PlayWave(
        LocalName(FileNames::ChangeExtension(file, ".wav")), background, background && d.paramInt[2] != 0);
}

void MediaPlay(Durnix_Class& d)
{
    AnsiString file = d.paramText[1];
    if (FileNames::ExtensionOf(file).empty()) file += ".wav";
    d.screen.Media().MediaPlay(d.paramInt[0], LocalName(file), d.paramInt[2] != 0);
}

void MediaPause(Durnix_Class& d)
{
    d.screen.Media().MediaControl(d.paramInt[0], d.paramInt[1] != 0 ? MediaOp::Pause : MediaOp::Resume);
}

void MediaStop(Durnix_Class& d)
{
    d.screen.Media().MediaControl(d.paramInt[0], MediaOp::Close);
}

void MediaRecord(Durnix_Class& d)
{
    d.screen.Media().MediaRecord(d.paramInt[0], LocalName(FileNames::ChangeExtension(d.paramText[1], ".wav")));
}

void MediaSave(Durnix_Class& d)
{
    d.screen.Media().MediaControl(d.paramInt[0], MediaOp::Save);
}

void MediaShow(Durnix_Class& d)
{
    d.screen.Media().MediaControl(d.paramInt[0], d.paramInt[1] != 0 ? MediaOp::Show : MediaOp::Hide);
}

void MediaReposition(Durnix_Class& d)
{
    d.screen.Media().SetVideoWindowMetrics(d.paramInt[0], d.paramInt[1], d.paramInt[2], d.paramInt[3]);
}

void MediaGetPosition(Durnix_Class& d)
{
    int values[4] = {};
    d.screen.Media().VideoWindowMetrics(values[0], values[1], values[2], values[3]);
    for (int k = 0; k < 4; ++k)
        StoreInt(d, k, values[k]);
}

void MediaVideoSize(Durnix_Class& d)
{
    int width = d.screen.Media().MediaControl(d.paramInt[0], MediaOp::VideoWidth);
    int height = d.screen.Media().MediaControl(d.paramInt[0], MediaOp::VideoHeight);
    if (width <= 0 || height <= 0) width = height = 0;
    StoreInt(d, 1, width);
    StoreInt(d, 2, height);
}

void ScrSetMetrics(Durnix_Class& d)
{
    const bool bar = d.paramInt[4] != 0;
    // Without the control bar there is no input box: input happens in place.
    d.inlineInputMode = bar ? 0 : 1;
    d.screen.Media().SetScreenMetrics(
        d.paramInt[0], d.paramInt[1], d.paramInt[2], d.paramInt[3], bar, d.paramInt[5] != 0);
}

void ScrGetMetrics(Durnix_Class& d)
{
    int values[4] = {};
    bool bar = false;
    bool sizeable = false;
    d.screen.Media().ScreenMetrics(values[0], values[1], values[2], values[3], bar, sizeable);
    for (int k = 0; k < 4; ++k)
        StoreInt(d, k, values[k]);
    StoreInt(d, 4, bar ? 1 : 0);
    StoreInt(d, 5, sizeable ? 1 : 0);
}

// i an integer, s a text, v an output variable.
constexpr StatementRow rows[] = {
    { StatementCode::Playwav, 0, 3, "sii", { 0, 1, 0 }, PlayWav },
    { StatementCode::Mediaplay, 2, 3, "isi", {}, MediaPlay },
    { StatementCode::Mediapause, 1, 2, "ii", { 0, 1 }, MediaPause },
    { StatementCode::Mediastop, 1, 1, "i", {}, MediaStop },
    { StatementCode::Mediarecord, 2, 2, "is", {}, MediaRecord },
    { StatementCode::Mediasave, 1, 1, "i", {}, MediaSave },
    { StatementCode::Mediashow, 1, 2, "ii", { 0, 1 }, MediaShow },
    { StatementCode::Mediareposition, 0, 4, "iiii", { -1, -1, -1, -1 }, MediaReposition },
    { StatementCode::Mediagetposition, 0, 4, "vvvv", {}, MediaGetPosition },
    { StatementCode::Mediavideosize, 1, 3, "ivv", {}, MediaVideoSize },
    { StatementCode::Scrsetmetrics, 0, 6, "iiiiii", { 0, 0, 0, 0, -1, 0 }, ScrSetMetrics },
    { StatementCode::Scrgetmetrics, 0, 6, "vvvvvv", {}, ScrGetMetrics },
};

using Family = RowFamily<rows, std::size(rows)>;
constexpr auto entries = Family::Entries();

} // namespace

const StatementFamily mediaStatements = { entries.data(), static_cast<int>(entries.size()) };
