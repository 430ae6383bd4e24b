#include "interpreter/OpenFiles.h"
#include "interpreter/Expression_class.h"

#include <bit>
#include <cerrno>
#include <cstring>
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

bool Record(Expression_Class& ex, int descriptor)
{
    DArray<int>& table = ex.fileHandles;
    for (int k = 0; k < ex.fileHandleCount; ++k) {
        if (table.items[k] < 0) {
            table.items[k] = descriptor;
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
    ex.fileHandles.items[slot] = -1;
    while (ex.fileHandleCount > 0 && ex.fileHandles.items[ex.fileHandleCount - 1] < 0)
        --ex.fileHandleCount;
    // On Linux the descriptor is gone even when close reports an error (also
    // EINTR), so it is never closed twice; the error means written data may be
    // lost, which the caller reports.
    return ::close(handle) == 0;
}

void CloseAll(Expression_Class& ex)
{
    for (int k = 0; k < ex.fileHandles.capacity && ex.fileHandles.items; ++k) {
        if (ex.fileHandles.items[k] >= 0) ::close(ex.fileHandles.items[k]);
        ex.fileHandles.items[k] = -1;
    }
    ex.fileHandleCount = 0;
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
