#include "platform/RtfReader.h"

#include "platform/AnsiText.h"

#include <algorithm>
#include <map>
#include <vector>

namespace rtf {

namespace {

// Where the characters of a group go.
enum class Destination { Text, Skip, FontTable, ColourTable };

// The state a group inherits from its parent and drops at its "}".
struct GroupState {
    CharFormat format;
    int fontIndex = -1;
    int foregroundIndex = 0;
    int backgroundIndex = 0;
    int unicodeSkip = 1; // \ucN: characters that stand for each \uN
    Destination destination = Destination::Text;
};

// Destinations whose content is never shown.
constexpr const char* skippedDestinations[] = {
    "pict",
    "info",
    "stylesheet",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "object",
    "listtable",
    "listoverridetable",
    "rsidtbl",
    "generator",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "xmlnstbl",
    "fldinst",
    "filetbl",
    "revtbl",
    "footnote",
    "annotation",
    "nonshppict",
    "shp",
    "private",
    "author",
    "operator",
    "title",
    "subject",
    "keywords",
    "comment",
    "doccomm",
    "creatim",
    "revtim",
    "printim",
    "buptim",
};

// Bounds on what the tables keep, against inputs made to exhaust memory.
constexpr size_t MaxFonts = 4096;
constexpr size_t MaxFontName = 256;
constexpr size_t MaxColours = 4096;

bool IsSkippedDestination(std::string_view word)
{
    for (const char* name : skippedDestinations)
        if (word == name) return true;
    return false;
}

int32_t Clamp(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

class Parser {
public:
    Parser(std::string_view input, Sink& output)
        : data(input)
        , sink(output)
    { }

    void Run()
    {
        states.push_back(GroupState {});
        while (position < data.size()) {
            const char c = data[position++];
            switch (c) {
            case '{':
                OpenGroup();
                break;
            case '}':
                CloseGroup();
                break;
            case '\\':
                ControlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                Character(static_cast<unsigned char>(c));
                break;
            }
        }
        Flush();
    }

private:
    GroupState& State() { return states.back(); }

    void OpenGroup()
    {
        formatChanged = true;
        pendingSkip = 0;
        if (static_cast<int>(states.size()) > MaxDepth) {
            ++flatGroups;
            return;
        }
        states.push_back(State());
    }

    void CloseGroup()
    {
        formatChanged = true;
        pendingSkip = 0;
        if (flatGroups > 0) {
            --flatGroups;
            return;
        }
        if (states.size() <= 1) return; // a stray "}"
        // A font name or colour left without its ";" still counts.
        if (State().destination == Destination::FontTable) EndFontEntry();
        states.pop_back();
    }

    // --- Characters ---

    void Character(unsigned char byte)
    {
        if (pendingSkip > 0) {
            --pendingSkip;
            return;
        }
        Emit(platform::byteToCharacter(byte), byte);
    }

    // One character for the current destination; `byte` is its source byte
    // for the tables, which read names and separators.
    void Emit(char32_t character, unsigned char byte)
    {
        switch (State().destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (byte == ';')
                EndFontEntry();
            else if (character >= 0x20 && fontName.size() < MaxFontName)
                fontName += static_cast<char>(byte);
            return;
        case Destination::ColourTable:
            if (byte == ';') {
                if (colours.size() < MaxColours) colours.push_back(colourSet ? colour : NoColour);
                colour = 0;
                colourSet = false;
            }
            return;
        case Destination::Text:
            break;
        }
        if (character < 0x20 && character != '\t') return;
        if (formatChanged) {
            formatChanged = false;
            CharFormat format = CurrentFormat();
            if (!(format == pendingFormat)) {
                Flush();
                pendingFormat = std::move(format);
            }
        }
        pending += character;
    }

    void Flush()
    {
        if (pending.empty()) return;
        sink.Text(pending, pendingFormat);
        pending.clear();
    }

    CharFormat CurrentFormat()
    {
        CharFormat format = State().format;
        format.fontName = FontName(State().fontIndex);
        format.foreground = ColourAt(State().foregroundIndex);
        format.background = ColourAt(State().backgroundIndex);
        return format;
    }

    std::string FontName(int index) const
    {
        const auto font = fonts.find(index);
        return font == fonts.end() ? std::string() : font->second;
    }

    int32_t ColourAt(int index) const
    {
        if (index <= 0 || index >= static_cast<int>(colours.size())) return NoColour;
        return colours[static_cast<size_t>(index)];
    }

    void EndFontEntry()
    {
        while (!fontName.empty() && fontName.back() == ' ')
            fontName.pop_back();
        if (!fontName.empty() && fonts.size() < MaxFonts) fonts[tableFont] = fontName;
        fontName.clear();
    }

    // --- Control words and symbols ---

    void ControlSequence()
    {
        if (position >= data.size()) return;
        const char first = data[position];
        if (!IsLetter(first)) {
            ++position;
            ControlSymbol(first);
            return;
        }
        const size_t start = position;
        while (position < data.size() && IsLetter(data[position]) && position - start < MaxWordLength)
            ++position;
        const std::string_view word = data.substr(start, position - start);
        bool hasNumber = false;
        bool negative = false;
        int64_t number = 0;
        if (position < data.size() && data[position] == '-' && position + 1 < data.size()
            && IsDigit(data[position + 1])) {
            negative = true;
            ++position;
        }
        while (position < data.size() && IsDigit(data[position])) {
            hasNumber = true;
            if (number < INT64_C(1) << 40) number = number * 10 + (data[position] - '0');
            ++position;
        }
        if (position < data.size() && data[position] == ' ') ++position;
        ControlWord(word, hasNumber, Clamp(negative ? -number : number));
    }

    void ControlSymbol(char symbol)
    {
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            Character(static_cast<unsigned char>(symbol));
            return;
        case '~':
            if (pendingSkip > 0) {
                --pendingSkip;
                return;
            }
            Emit(0xA0, 0xA0);
            return;
        case '_':
            Character('-');
            return;
        case '\'': {
            const int high = position < data.size() ? HexValue(data[position]) : -1;
            const int low = position + 1 < data.size() ? HexValue(data[position + 1]) : -1;
            if (high < 0 || low < 0) return;
            position += 2;
            Character(static_cast<unsigned char>(high * 16 + low));
            return;
        }
        case '*':
            State().destination = Destination::Skip;
            return;
        case '\r':
        case '\n':
            ParagraphEnd();
            return;
        case '\t':
            Character('\t');
            return;
        default:
            return; // \- \: \| and others show nothing
        }
    }

    void ParagraphEnd()
    {
        if (State().destination != Destination::Text) return;
        Flush();
        sink.ParagraphEnd();
    }

    void ControlWord(std::string_view word, bool hasNumber, int32_t n)
    {
        formatChanged = true;
        GroupState& state = State();
        const bool on = !hasNumber || n != 0;
        if (word == "par") {
            ParagraphEnd();
        } else if (word == "line") {
            if (state.destination == Destination::Text) {
                Flush();
                sink.LineBreak();
            }
        } else if (word == "tab") {
            Emit('\t', '\t');
        } else if (word == "b") {
            state.format.bold = on;
        } else if (word == "i") {
            state.format.italic = on;
        } else if (word == "ul") {
            state.format.underline = on;
        } else if (word == "ulnone") {
            state.format.underline = false;
        } else if (word == "strike") {
            state.format.strikeOut = on;
        } else if (word == "plain") {
            state.format = CharFormat {};
            state.fontIndex = defaultFont;
            state.foregroundIndex = 0;
            state.backgroundIndex = 0;
        } else if (word == "pard") {
            // Paragraph properties are not kept, so there is nothing to reset.
        } else if (word == "f") {
            if (state.destination == Destination::FontTable)
                tableFont = n;
            else
                state.fontIndex = n;
        } else if (word == "deff") {
            defaultFont = n;
            state.fontIndex = n;
        } else if (word == "fs") {
            state.format.halfPoints = hasNumber && n > 0 ? std::min(n, 3276) : 24;
        } else if (word == "cf") {
            state.foregroundIndex = n;
        } else if (word == "cb" || word == "highlight") {
            state.backgroundIndex = n;
        } else if (word == "fonttbl") {
            state.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            state.destination = Destination::ColourTable;
            colours.clear();
        } else if (word == "red" || word == "green" || word == "blue") {
            if (state.destination != Destination::ColourTable) return;
            const int shift = word == "red" ? 16 : word == "green" ? 8 : 0;
            colour = (colour & ~(0xFF << shift)) | (std::clamp(n, 0, 255) << shift);
            colourSet = true;
        } else if (word == "u") {
            UnicodeCharacter(n);
        } else if (word == "uc") {
            state.unicodeSkip = std::clamp(n, 0, 16);
        } else if (word == "bin") {
            // Binary data is skipped whole; a count past the end skips the rest.
            const size_t left = data.size() - position;
            position += n > 0 ? std::min(static_cast<size_t>(n), left) : 0;
        } else if (word == "emdash") {
            Emit(0x2014, 0x97);
        } else if (word == "endash") {
            Emit(0x2013, 0x96);
        } else if (word == "bullet") {
            Emit(0x2022, 0x95);
        } else if (word == "lquote") {
            Emit(0x2018, 0x91);
        } else if (word == "rquote") {
            Emit(0x2019, 0x92);
        } else if (word == "ldblquote") {
            Emit(0x201C, 0x93);
        } else if (word == "rdblquote") {
            Emit(0x201D, 0x94);
        } else if (IsSkippedDestination(word)) {
            state.destination = Destination::Skip;
        }
    }

    void UnicodeCharacter(int32_t n)
    {
        // \uN is a signed 16-bit value; a surrogate pair is two of them.
        char32_t unit = static_cast<char32_t>(n < 0 ? n + 65536 : n) & 0xFFFF;
        if (n < -32768 || n > 65535) unit = 0xFFFD;
        char32_t character = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate = unit;
            pendingSkip = State().unicodeSkip;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            character = highSurrogate ? 0x10000 + ((highSurrogate - 0xD800) << 10) + (unit - 0xDC00) : 0xFFFD;
        }
        highSurrogate = 0;
        pendingSkip = 0;
        Emit(character, 0);
        pendingSkip = State().unicodeSkip;
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static int HexValue(char c)
    {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    std::string_view data;
    Sink& sink;
    size_t position = 0;
    std::vector<GroupState> states;
    int flatGroups = 0;
    int pendingSkip = 0;
    char32_t highSurrogate = 0;
    std::u32string pending;
    CharFormat pendingFormat;
    bool formatChanged = true;
    std::map<int, std::string> fonts;
    int tableFont = 0;
    int defaultFont = 0;
    std::string fontName;
    std::vector<int32_t> colours;
    int32_t colour = 0;
    bool colourSet = false;
};

void ParsePlain(std::string_view data, Sink& sink)
{
    std::u32string line;
    const CharFormat format;
    for (size_t k = 0; k < data.size(); ++k) {
        const char c = data[k];
        if (c == '\r' || c == '\n') {
            if (!line.empty()) sink.Text(line, format);
            line.clear();
            sink.ParagraphEnd();
            if (c == '\r' && k + 1 < data.size() && data[k + 1] == '\n') ++k;
            continue;
        }
        line += platform::byteToCharacter(static_cast<unsigned char>(c));
    }
    if (!line.empty()) sink.Text(line, format);
}

} // namespace

void Parse(std::string_view data, Sink& sink)
{
    if (data.substr(0, 5) != "{\\rtf") {
        ParsePlain(data, sink);
        return;
    }
    Parser(data, sink).Run();
}

} // namespace rtf
