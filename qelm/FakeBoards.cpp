#include "qelm/HidTransport.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <thread>

// A set of boards that live in memory, for tests and for trying programs on a
// machine without the hardware. Each board echoes every block it is sent,
// except the two port reads, which answer with the value last written to
// that port.

namespace qelm {
namespace {

constexpr uint16_t FamilyVendorId = 0x0DE7;

struct Model {
    const char* name;
    uint16_t productId;
};

constexpr Model models[] = {
    { "WexaA", 0x0191 },
    { "WexaB", 0x01A5 },
    { "WexaC", 0x01AF },
    { "WexaD", 0x01C3 },
};

enum class Behaviour { Normal, Silent, WrongEcho };

struct Board {
    HidInterface identity;
    Behaviour behaviour = Behaviour::Normal;
    bool wrongEchoUsed = false;
    unsigned char portA = 0;
    unsigned char portB = 0;
    bool pending = false;
    unsigned char block[8] = {};
};

class FakeHandle final : public HidHandle {
public:
    explicit FakeHandle(Board& b)
        : board(b)
    { }

    bool Write(const unsigned char report[9]) override
    {
        std::memcpy(board.block, report + 1, 8);
        std::array<unsigned char, 8> sent;
        std::memcpy(sent.data(), report + 1, 8);
        FakeSentBlocks().push_back(sent);
        if (board.block[0] == 1) board.portA = board.block[1];
        if (board.block[0] == 2) board.portB = board.block[1];
        board.pending = true;
        return true;
    }

    ReadResult Read(unsigned char data[8], int milliseconds) override
    {
        if (!board.pending || board.behaviour == Behaviour::Silent) {
            if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            return ReadResult::TimedOut;
        }
        board.pending = false;
        std::memcpy(data, board.block, 8);
        if (data[0] == 5) data[1] = board.portA;
        if (data[0] == 6) data[1] = board.portB;
        if (board.behaviour == Behaviour::WrongEcho && !board.wrongEchoUsed) {
            board.wrongEchoUsed = true;
            data[0] = static_cast<unsigned char>(data[0] + 1);
        }
        return ReadResult::Done;
    }

private:
    Board& board;
};

class FakeTransport final : public HidTransport {
public:
    explicit FakeTransport(const std::string& list)
    {
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = list.find(',', start);
            if (end == std::string::npos) end = list.size();
            AddBoard(list.substr(start, end - start));
            start = end + 1;
        }
    }

    bool Enumerate(std::vector<HidInterface>& found) override
    {
        for (const Board& board : boards)
            found.push_back(board.identity);
        return true;
    }

    std::unique_ptr<HidHandle> Open(const HidInterface& device) override
    {
        for (Board& board : boards)
            if (board.identity.path == device.path) return std::make_unique<FakeHandle>(board);
        return nullptr;
    }

private:
    void AddBoard(std::string entry)
    {
        Behaviour behaviour = Behaviour::Normal;
        const size_t colon = entry.find(':');
        if (colon != std::string::npos) {
            const std::string flag = entry.substr(colon + 1);
            if (flag == "silent") behaviour = Behaviour::Silent;
            if (flag == "wrongecho") behaviour = Behaviour::WrongEcho;
            entry.resize(colon);
        }
        for (const Model& model : models) {
            if (entry != model.name) continue;
            Board& board = boards.emplace_back();
            board.behaviour = behaviour;
            const std::string serial = std::to_string(boards.size());
            board.identity.path = "fake:" + std::to_string(boards.size());
            board.identity.vendorId = FamilyVendorId;
            board.identity.productId = model.productId;
            board.identity.release = 1;
            board.identity.manufacturer = "Quorvatine";
            board.identity.product = model.name;
            board.identity.serial = std::string(4 - std::min<size_t>(4, serial.size()), '0') + serial;
            return;
        }
    }

    // A deque would do as well; boards are never added after construction, so
    // the references the handles keep stay valid.
    std::vector<Board> boards;
};

} // namespace

std::vector<std::array<unsigned char, 8>>& FakeSentBlocks()
{
    static std::vector<std::array<unsigned char, 8>> blocks;
    return blocks;
}

std::unique_ptr<HidTransport> MakeFakeTransport(const std::string& models)
{
    FakeSentBlocks().clear();
    auto transport = std::make_unique<FakeTransport>(models);
    return transport;
}

} // namespace qelm
