#include "tests/support/PtyPeer.h"

#include <chrono>
#include <cstdlib>
#include <mutex>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {
std::mutex requestsLock;
}

PtyPeer::PtyPeer()
{
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) return;
    slavePath = name;
    // The program opens the slave by its path; keeping no descriptor of our
    // own lets a hang-up of the master reach it.
    close(slave);
}

PtyPeer::~PtyPeer()
{
    stopping = true;
    if (robot.joinable()) robot.join();
    HangUp();
}

void PtyPeer::MapAsCom(int n) const
{
    setenv(("QUORVATINE_COM" + std::to_string(n)).c_str(), slavePath.c_str(), 1);
}

std::string PtyPeer::Read(size_t count, int ms)
{
    std::string bytes;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (bytes.size() < count && master >= 0) {
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) break;
        pollfd p { master, POLLIN, 0 };
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        if (!(p.revents & POLLIN)) {
            // No slave open yet (POLLHUP): wait for the program to open it.
            usleep(2000);
            continue;
        }
        char buffer[4096];
        const ssize_t got = read(master, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (got > 0)
            bytes.append(buffer, static_cast<size_t>(got));
        else
            usleep(2000);
    }
    return bytes;
}

void PtyPeer::Write(const std::string& bytes)
{
    size_t done = 0;
    while (master >= 0 && done < bytes.size()) {
        const ssize_t n = write(master, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
}

void PtyPeer::HangUp()
{
    if (master >= 0) close(master);
    master = -1;
}

void PtyPeer::ServeRobot(std::vector<std::string> replies)
{
    robot = std::thread([this, replies] { ServeLoop(replies); });
}

void PtyPeer::ServeLoop(std::vector<std::string> replies)
{
    size_t next = 0;
    std::string pending;
    while (!stopping) {
        pending += Read(2 - pending.size(), 50);
        if (pending.size() < 2) continue;
        {
            std::lock_guard<std::mutex> guard(requestsLock);
            requests.push_back(std::to_string(static_cast<unsigned char>(pending[0])) + ","
                + std::to_string(static_cast<unsigned char>(pending[1])));
        }
        pending.clear();
        if (next < replies.size()) Write(replies[next++]);
    }
}

std::vector<std::string> PtyPeer::Requests()
{
    std::lock_guard<std::mutex> guard(requestsLock);
    return requests;
}
