#include "interpreter/OpenFiles.h"
#include "interpreter/Expression_class.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace OpenFiles {

namespace {

// Slots hold descriptors or -1; only the first fileHandleCount slots are in
// use. Free slots are reused and the count shrinks when its last slots free,
// so a program that opens and closes files in a loop keeps a small table and
// every look-up stays short.
int FindSlot(const Expression_Class& ex, int32_t handle)
{
    if (handle < 0 || !ex.fileHandles.items) return -1;
    for (int k = 0; k < ex.fileHandleCount; ++k)
        if (ex.fileHandles.items[k] == handle) return k;
    return -1;
}

} // namespace

namespace {

constexpr size_t BlockSize = 65536;

FileBuffer* BufferOf(Expression_Class& ex, int handle)
{
    if (!ex.fileBuffers) return nullptr;
    const auto found = ex.fileBuffers->byDescriptor.find(handle);
    return found == ex.fileBuffers->byDescriptor.end() ? nullptr : &found->second;
}

void Describe(Expression_Class& ex, int descriptor)
{
    if (!ex.fileBuffers) ex.fileBuffers = std::make_unique<OpenFileBuffers>();
    FileBuffer buffer;
    struct stat status { };
    buffer.buffered = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    const int flags = ::fcntl(descriptor, F_GETFL);
    const int access = flags < 0 ? O_RDWR : (flags & O_ACCMODE);
    buffer.readable = access == O_RDONLY || access == O_RDWR;
    buffer.writable = access == O_WRONLY || access == O_RDWR;
    ex.fileBuffers->byDescriptor[descriptor] = std::move(buffer);
}

// Writes the pending bytes or gives back the unread ones; false when pending
// bytes could not be written (they are dropped and the loss remembered).
bool SyncBuffer(int descriptor, FileBuffer& buffer)
{
    bool written = true;
    if (buffer.mode == FileBuffer::Mode::Writing) {
        written = WriteAll(descriptor, buffer.bytes.data(), buffer.bytes.size()) == buffer.bytes.size();
        if (!written) buffer.lost = true;
    } else if (buffer.mode == FileBuffer::Mode::Reading) {
        const size_t unread = buffer.bytes.size() - buffer.readPosition;
        if (unread > 0) (void)::lseek(descriptor, -static_cast<off_t>(unread), SEEK_CUR);
    }
    buffer.bytes.clear();
    buffer.readPosition = 0;
    buffer.mode = FileBuffer::Mode::Idle;
    return written;
}

} // namespace

bool Sync(Expression_Class& ex, int handle)
{
    FileBuffer* buffer = BufferOf(ex, handle);
    return !buffer || SyncBuffer(handle, *buffer);
}

void WritePending(Expression_Class& ex)
{
    if (!ex.fileBuffers) return;
    for (auto& [descriptor, buffer] : ex.fileBuffers->byDescriptor)
        if (buffer.mode == FileBuffer::Mode::Writing) SyncBuffer(descriptor, buffer);
}

int64_t Position(Expression_Class& ex, int handle)
{
    FileBuffer* buffer = BufferOf(ex, handle);
    if (buffer && buffer->mode == FileBuffer::Mode::Writing && !SyncBuffer(handle, *buffer)) return -1;
    const off_t position = ::lseek(handle, 0, SEEK_CUR);
    if (position < 0) return -1;
    if (buffer && buffer->mode == FileBuffer::Mode::Reading)
        return position - static_cast<off_t>(buffer->bytes.size() - buffer->readPosition);
    return position;
}

size_t Write(Expression_Class& ex, int handle, const char* data, size_t size)
{
    FileBuffer* buffer = BufferOf(ex, handle);
    if (!buffer) return WriteAll(handle, data, size);
    if (!buffer->writable) return 0;
    if (buffer->mode == FileBuffer::Mode::Reading) SyncBuffer(handle, *buffer);
    if (!buffer->buffered || size >= BlockSize) {
        if (!SyncBuffer(handle, *buffer)) return 0;
        return WriteAll(handle, data, size);
    }
    if (buffer->bytes.size() + size > BlockSize && !SyncBuffer(handle, *buffer)) return 0;
    buffer->bytes.append(data, size);
    buffer->mode = FileBuffer::Mode::Writing;
    return size;
}

size_t Read(Expression_Class& ex, int handle, char* data, size_t size)
{
    FileBuffer* buffer = BufferOf(ex, handle);
    if (!buffer) return ReadFully(handle, data, size);
    if (!buffer->readable) return 0;
    if (buffer->mode == FileBuffer::Mode::Writing && !SyncBuffer(handle, *buffer)) return 0;
    if (!buffer->buffered) return ReadFully(handle, data, size);
    size_t done = 0;
    while (done < size) {
        if (buffer->mode == FileBuffer::Mode::Reading && buffer->readPosition < buffer->bytes.size()) {
            const size_t take = std::min(size - done, buffer->bytes.size() - buffer->readPosition);
            std::memcpy(data + done, buffer->bytes.data() + buffer->readPosition, take);
            buffer->readPosition += take;
            done += take;
            continue;
        }
        SyncBuffer(handle, *buffer);
        if (size - done >= BlockSize) return done + ReadFully(handle, data + done, size - done);
        buffer->bytes.resize(BlockSize);
        const size_t got = ReadFully(handle, buffer->bytes.data(), BlockSize);
        buffer->bytes.resize(got);
        buffer->readPosition = 0;
        buffer->mode = FileBuffer::Mode::Reading;
        if (got == 0) break;
    }
    return done;
}

bool Record(Expression_Class& ex, int descriptor)
{
    DArray<int>& table = ex.fileHandles;
    for (int k = 0; k < ex.fileHandleCount; ++k) {
        if (table.items[k] < 0) {
            table.items[k] = descriptor;
            Describe(ex, descriptor);
            return true;
        }
    }
    const int before = table.capacity;
    if (!table.EnsureIndex(ex.fileHandleCount)) {
        ::close(descriptor);
        return false;
    }
    for (int k = before; k < table.capacity; ++k)
        table.items[k] = -1;
    table.items[ex.fileHandleCount++] = descriptor;
    Describe(ex, descriptor);
    return true;
}

bool IsOpen(const Expression_Class& ex, int32_t handle)
{
    return FindSlot(ex, handle) >= 0;
}

bool Close(Expression_Class& ex, int32_t handle)
{
    const int slot = FindSlot(ex, handle);
    if (slot < 0) return false;
    bool kept = true;
    if (FileBuffer* buffer = BufferOf(ex, handle)) {
        kept = SyncBuffer(handle, *buffer) && !buffer->lost;
        ex.fileBuffers->byDescriptor.erase(handle);
    }
    ex.fileHandles.items[slot] = -1;
    while (ex.fileHandleCount > 0 && ex.fileHandles.items[ex.fileHandleCount - 1] < 0)
        --ex.fileHandleCount;
    // On Linux the descriptor is gone even when close reports an error (also
    // EINTR), so it is never closed twice; the error means written data may be
    // lost, which the caller reports.
    return ::close(handle) == 0 && kept;
}

void CloseAll(Expression_Class& ex)
{
    for (int k = 0; k < ex.fileHandles.capacity && ex.fileHandles.items; ++k) {
        const int descriptor = ex.fileHandles.items[k];
        if (descriptor < 0) continue;
        if (FileBuffer* buffer = BufferOf(ex, descriptor)) SyncBuffer(descriptor, *buffer);
        ::close(descriptor);
        ex.fileHandles.items[k] = -1;
    }
    ex.fileHandleCount = 0;
    if (ex.fileBuffers) ex.fileBuffers->byDescriptor.clear();
}

size_t WriteAll(int descriptor, const char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t wrote = ::write(descriptor, data + done, size - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (wrote == 0) break;
        done += static_cast<size_t>(wrote);
    }
    return done;
}

size_t ReadFully(int descriptor, char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(descriptor, data + done, size - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

namespace {

template <typename Unsigned> void AppendLittleEndian(AnsiString& bytes, Unsigned value)
{
    for (size_t k = 0; k < sizeof(Unsigned); ++k)
        bytes.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}

template <typename Unsigned> Unsigned ReadLittleEndian(const char* bytes)
{
    Unsigned value = 0;
    for (size_t k = 0; k < sizeof(Unsigned); ++k)
        value |= static_cast<Unsigned>(static_cast<unsigned char>(bytes[k])) << (8 * k);
    return value;
}

} // namespace

void AppendInt32(AnsiString& bytes, int32_t value)
{
    AppendLittleEndian(bytes, static_cast<uint32_t>(value));
}

void AppendFloat64(AnsiString& bytes, double value)
{
    AppendLittleEndian(bytes, std::bit_cast<uint64_t>(value));
}

void AppendFloat32(AnsiString& bytes, float value)
{
    AppendLittleEndian(bytes, std::bit_cast<uint32_t>(value));
}

int32_t ReadInt32(const char* bytes)
{
    return static_cast<int32_t>(ReadLittleEndian<uint32_t>(bytes));
}

double ReadFloat64(const char* bytes)
{
    return std::bit_cast<double>(ReadLittleEndian<uint64_t>(bytes));
}

float ReadFloat32(const char* bytes)
{
    return std::bit_cast<float>(ReadLittleEndian<uint32_t>(bytes));
}

} // namespace OpenFiles
