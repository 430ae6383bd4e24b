#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// A pseudo-terminal whose slave stands for a serial port (through
// QUORVATINE_COM<n>) and whose master the test holds: what the program sends
// arrives here, what the test writes arrives at the program.
class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    const std::string& SlavePath() const { return slavePath; }
    // Maps COM number n to the slave for this process (QUORVATINE_COM<n>).
    void MapAsCom(int n) const;
    // The bytes that arrived within ms milliseconds, up to `count`.
    std::string Read(size_t count, int ms);
    void Write(const std::string& bytes);
    // Closes the master: the program's side sees a hang-up.
    void HangUp();
    int MasterFd() const { return master; }

    // A robot on the master: each two-byte request is answered with the next
    // reply of the script (an empty reply answers nothing, a short one only
    // part); requests beyond the script get no answer. Runs on its own thread
    // until the peer is destroyed.
    void ServeRobot(std::vector<std::string> replies);
    // Every request the robot got, as "command,argument".
    std::vector<std::string> Requests();

private:
    int master = -1;
    std::string slavePath;
    std::thread robot;
    std::atomic<bool> stopping { false };
    std::vector<std::string> requests;
    std::atomic<int> requestCount { 0 };
    void ServeLoop(std::vector<std::string> replies);
};

// A line of the slave's terminal settings as the kernel holds them, read
// through the master: "speed 9600 cs8 parenb 0 ..." (see the source).
struct LineSettings {
    unsigned speed = 0;
    int charSize = 0;
    bool parityEnabled = false;
    bool oddParity = false;
    bool markSpace = false;
    bool twoStopBits = false;
    bool hardwareFlow = false;
    bool softwareFlow = false;
    bool raw = false;
};
LineSettings ReadLineSettings(int masterFd);
