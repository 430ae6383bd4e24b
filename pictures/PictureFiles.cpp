#include "pictures/PictureFiles.h"

#include "pictures/BmpCodec.h"
#include "pictures/JpegCodec.h"
#include "platform/RegularFiles.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Large enough for the biggest picture a reader accepts, with room for headers.
constexpr uintmax_t MaxFileBytes = (static_cast<uintmax_t>(Picture::MaxPixels) * 4) + (1u << 20);

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string LowerExtension(const AnsiString& name)
{
    const size_t slash = name.find_last_of("/\\");
    const size_t dot = name.rfind('.');
    if (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash)) return {};
    std::string extension = name.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

// Only regular files are read (a pipe would block, a device never end), and
// none larger than any picture can be.
std::optional<std::vector<uint8_t>> ReadWholeFile(const AnsiString& path)
{
    // Read straight into the picture's buffer: a large picture is held once.
    const int descriptor = platform::OpenRegularFile(path, O_RDONLY);
    if (descriptor < 0) return std::nullopt;
    const platform::DescriptorCloser closer(descriptor);
    struct stat status { };
    if (::fstat(descriptor, &status) != 0 || static_cast<uintmax_t>(status.st_size) > MaxFileBytes) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(status.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(descriptor, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        // A file that shrank since it was measured is no whole picture.
        if (got <= 0) return std::nullopt;
        done += static_cast<size_t>(got);
    }
    return bytes;
}

} // namespace

AnsiString BitmapFileName(const AnsiString& name)
{
    AnsiString path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot != AnsiString::npos && (slash == AnsiString::npos || dot > slash)) path.erase(dot);
    return path + ".bmp";
}

AnsiString FindFileIgnoringCase(const AnsiString& path)
{
    std::error_code error;
    if (path.empty() || fs::exists(path, error)) return path;
    const fs::path wanted(path);
    const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
    const std::string leaf = wanted.filename().string();
    fs::directory_iterator entries(folder, error);
    if (error) return path;
    for (const fs::directory_entry& entry : entries) {
        if (EqualIgnoringCase(entry.path().filename().string(), leaf))
            return wanted.has_parent_path() ? (folder / entry.path().filename()).string()
                                            : entry.path().filename().string();
    }
    return path;
}

std::optional<Picture> ReadBitmapFile(const AnsiString& name)
{
    const auto bytes = ReadWholeFile(FindFileIgnoringCase(BitmapFileName(name)));
    if (!bytes) return std::nullopt;
    return DecodeBmp(bytes->data(), bytes->size());
}

namespace {

bool WriteBytes(std::ofstream& out, const std::vector<uint8_t>& bytes)
{
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

bool WriteBitmapFile(const AnsiString& name, const Picture& picture)
{
    const std::vector<uint8_t> bytes = EncodeBmp(picture);
    if (bytes.empty()) return false;
    // The picture goes to a new file beside the target, which replaces the
    // target only once it is complete: a failed save (a full disk) leaves an
    // existing file as it was. Where no file can be made beside it (a folder
    // that only lets its files be changed), the target is written directly.
    const std::string path = BitmapFileName(name);
    // Named for this process and this save, so that two saves of one file at
    // the same time never share it.
    static std::atomic<unsigned> saves { 0 };
    const std::string part = path + "." + std::to_string(::getpid()) + "-" + std::to_string(saves++) + ".part";
    // A file the user may not change stays refused, and a link is written
    // through rather than replaced. A pipe, socket or device in its place is
    // no picture file: it is neither replaced nor written into.
    if (::access(path.c_str(), W_OK) != 0 && errno != ENOENT) return false;
    if (platform::NamesSpecialFile(path)) return false;
    std::error_code error;
    std::ofstream out;
    if (!fs::is_symlink(path, error)) out.open(part, std::ios::binary | std::ios::trunc);
    if (out.is_open()) {
        if (WriteBytes(out, bytes)) {
            fs::rename(part, path, error);
            if (!error) return true;
        }
        fs::remove(part, error);
        return false;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> direct(platform::OpenRegularStream(path, "wb"), std::fclose);
    if (!direct) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), direct.get()) == bytes.size();
    return std::fclose(direct.release()) == 0 && written;
}

std::optional<Picture> ReadPictureFile(const AnsiString& name)
{
    AnsiString path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    const auto bytes = ReadWholeFile(FindFileIgnoringCase(path));
    if (!bytes) return std::nullopt;
    const std::string extension = LowerExtension(path);
    if (extension == "jpg" || extension == "jpeg") return DecodeJpeg(bytes->data(), bytes->size());
    return DecodeBmp(bytes->data(), bytes->size());
}
