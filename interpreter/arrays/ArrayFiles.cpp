#include "interpreter/arrays/ArrayFileFormat.h"
#include "interpreter/arrays/ArraySupport.h"
#include "platform/RegularFiles.h"

#include <cstdio>
#include <memory>

// Array files: a header of the sizes, then one line per set element. Lines end
// in CR LF on disk; reading takes CR LF or LF. Numbers are written and read
// without the locale.

using namespace arraywork;
using arrayfile::Reader;

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The whole file; false when it cannot be opened or read, or is no regular
// file (a pipe would block, a device never end).
bool LoadFile(const AnsiString& fileName, AnsiString& bytes)
{
    File file(platform::OpenRegularStream(fileName, "rb"));
    if (!file) return false;
    bytes.clear();
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    return !std::ferror(file.get());
}

// Writes the bytes gathered so far once they are many, and at the end.
class Output {
public:
    explicit Output(std::FILE* target)
        : file(target)
    { }
    AnsiString text;
    bool Flush(bool force)
    {
        if (!force && text.size() < (1u << 20)) return true;
        const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        text.clear();
        return written;
    }

private:
    std::FILE* file;
};

// Writes what is left and closes the file: a failure of either fails the
// write.
ArrayResult Finish(Output& out, File& file)
{
    if (!out.Flush(true)) return ErrorCode::ArrayWriteFailed;
    if (std::fclose(file.release()) != 0) return ErrorCode::ArrayWriteFailed;
    return std::nullopt;
}

// The header line of both layouts: the dimension count and the sizes.
// Defines the array; error 76 for a header that is malformed or that the
// store cannot hold, before anything is defined.
ArrayResult ReadHeader(Arrays_Class& arrays, std::string_view name, Reader& reader, int64_t& elements)
{
    int32_t dimensions = 0;
    if (!reader.ReadInt(dimensions) || dimensions < 1) return ErrorCode::ArrayReadFailed;
    std::vector<int> sizes;
    for (int32_t k = 0; k < dimensions; ++k) {
        int32_t size = 0;
        if (!reader.ReadInt(size)) return ErrorCode::ArrayReadFailed;
        sizes.push_back(size);
    }
    reader.SkipSpace();
    elements = SizeProduct(sizes);
    if (elements < 0) return ErrorCode::ArrayReadFailed;
    if (arrays.Define(name, dimensions, sizes.data()) == Arrays_Class::Definition::Refused)
        return ErrorCode::ArrayReadFailed;
    if (elements < 1) return ErrorCode::ArrayReadFailed;
    return std::nullopt;
}

} // namespace

ArrayResult Arrays_Class::WriteFile(std::string_view name, const AnsiString& fileName)
{
    const Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    File file(platform::OpenRegularStream(fileName, "wb"));
    if (!file) return ErrorCode::ArrayWriteFailed;
    Output out(file.get());
    arrayfile::AppendInt(out.text, node->dimCount);
    for (int size : node->dims) {
        out.text += ' ';
        arrayfile::AppendInt(out.text, size);
    }
    out.text += "\r\n";
    const int64_t product = SizeProduct(node->dims);
    const DArray_Class* store = node->data.get();
    const int64_t elements = store ? std::min<int64_t>(product < 0 ? store->capacity : product, store->capacity) : 0;
    for (int k = 0; k < elements; ++k) {
        const char type = store->types[k];
        if (type == Tag::Unset) continue;
        arrayfile::AppendInt(out.text, k);
        out.text += ' ';
        out.text += type;
        out.text += ' ';
        if (type == Tag::Float) {
            arrayfile::AppendFixed(out.text, store->cells[k].f);
        } else if (type == Tag::Int) {
            arrayfile::AppendInt(out.text, store->cells[k].i);
        } else {
            const AnsiString& text = *store->cells[k].s;
            const size_t kept = std::min<size_t>(text.size(), arrayfile::MaxTextBytes);
            arrayfile::AppendInt(out.text, static_cast<int64_t>(kept) + 1);
            out.text += ' ';
            out.text += static_cast<char>(arrayfile::TextMark);
            out.text.append(text, 0, kept);
        }
        out.text += "\r\n";
        if (!out.Flush(false)) return ErrorCode::ArrayWriteFailed;
    }
    return Finish(out, file);
}

ArrayResult Arrays_Class::ReadFile(std::string_view name, const AnsiString& fileName)
{
    AnsiString bytes;
    if (!LoadFile(fileName, bytes)) return ErrorCode::ArrayReadFailed;
    Reader reader(bytes);
    int64_t elements = 0;
    if (const ArrayResult error = ReadHeader(*this, name, reader, elements)) return error;
    DArray_Class& store = *Find(name)->data;
    for (int64_t read = 0; read < elements; ++read) {
        reader.SkipSpace();
        if (reader.AtEnd()) return std::nullopt;
        int32_t position = 0;
        char letter = 0;
        if (!reader.ReadInt(position)) return ErrorCode::ArrayReadFailed;
        reader.SkipSpace();
        if (!reader.ReadByte(letter)) return ErrorCode::ArrayReadFailed;
        if (position < 0 || position >= elements) return ErrorCode::ArrayReadFailed;
        if (letter == Tag::Float) {
            double value = 0;
            if (!reader.ReadDouble(value) || !store.SetFloat(position, value, true)) return ErrorCode::ArrayReadFailed;
        } else if (letter == Tag::Int) {
            int32_t value = 0;
            if (!reader.ReadInt(value) || !store.SetInt(position, value, true)) return ErrorCode::ArrayReadFailed;
        } else if (letter == Tag::String) {
            int32_t length = 0;
            if (!reader.ReadInt(length) || length < 1 || length > arrayfile::MaxTextBytes + 1)
                return ErrorCode::ArrayReadFailed;
            reader.SkipSpace();
            std::string_view text;
            if (!reader.ReadBytes(static_cast<size_t>(length), text) || !reader.EndLine())
                return ErrorCode::ArrayReadFailed;
            if (static_cast<unsigned char>(text[0]) == arrayfile::TextMark) text.remove_prefix(1);
            if (!store.SetString(position, AnsiString(text), true)) return ErrorCode::ArrayReadFailed;
        } else {
            return ErrorCode::ArrayReadFailed;
        }
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::ReadFileOld(std::string_view name, const AnsiString& fileName)
{
    AnsiString bytes;
    if (!LoadFile(fileName, bytes)) return ErrorCode::ArrayReadFailed;
    Reader reader(bytes);
    int64_t elements = 0;
    if (const ArrayResult error = ReadHeader(*this, name, reader, elements)) return error;
    DArray_Class& store = *Find(name)->data;
    static const AnsiString noValue = "NoValue                       ";
    for (int position = 0; position < elements; ++position) {
        reader.SkipSpace();
        char letter = 0;
        if (!reader.ReadByte(letter)) return ErrorCode::ArrayReadFailed;
        bool stored = false;
        if (letter == Tag::Float) {
            double value = 0;
            stored = reader.ReadDouble(value) && store.SetFloat(position, value, true);
        } else if (letter == Tag::Int) {
            int32_t value = 0;
            stored = reader.ReadInt(value) && store.SetInt(position, value, true);
        } else if (letter == Tag::String) {
            int32_t length = 0;
            std::string_view text;
            if (!reader.ReadInt(length) || length < 0) return ErrorCode::ArrayReadFailed;
            reader.SkipSpace();
            stored = reader.ReadBytes(static_cast<size_t>(length), text)
                && store.SetString(position, AnsiString(text), true);
        } else {
            // An element that was never set: its line carries no value.
            reader.SkipLine(99);
            stored = store.SetString(position, noValue, true);
        }
        if (!stored) return ErrorCode::ArrayReadFailed;
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::WriteTextLines(std::string_view name, const AnsiString& fileName)
{
    const Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 1) return ErrorCode::ArrayWrongDimension;
    File file(platform::OpenRegularStream(fileName, "wb"));
    if (!file) return ErrorCode::ArrayWriteFailed;
    Output out(file.get());
    const DArray_Class* store = node->data.get();
    for (int k = 0; store && k < store->capacity && store->types[k] != Tag::Unset; ++k) {
        out.text += ElementText(*store, k);
        out.text += "\r\n";
        if (!out.Flush(false)) return ErrorCode::ArrayWriteFailed;
    }
    return Finish(out, file);
}

ArrayResult Arrays_Class::ReadTextLines(std::string_view name, const AnsiString& fileName)
{
    AnsiString bytes;
    if (!LoadFile(fileName, bytes)) return ErrorCode::ArrayReadFailed;
    std::vector<std::string_view> lines;
    std::string_view rest(bytes);
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    if (lines.size() > static_cast<size_t>(DArray_Class::MaxCapacity)) return ErrorCode::OutOfMemory;
    const int lineCount = static_cast<int>(lines.size());
    if (Define(name, 1, &lineCount) == Definition::Refused) return ErrorCode::OutOfMemory;
    DArray_Class& store = *Find(name)->data;
    for (int k = 0; k < lineCount; ++k)
        if (!store.SetString(k, AnsiString(lines[static_cast<size_t>(k)]), false)) return ErrorCode::OutOfMemory;
    return std::nullopt;
}
