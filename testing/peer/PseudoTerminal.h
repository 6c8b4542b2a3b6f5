// A Linux pseudo-terminal published to a Wine prefix as a serial port (dosdevices/comN).
#pragma once

#include <string>
#include <termios.h>

namespace pvpty {

class PseudoTerminal {
public:
    // Creates the terminal in raw mode and links it as COM<comNumber> (1-based) into the prefix;
    // with an empty prefix there is no link and native programs open slavePath() directly.
    // Throws std::runtime_error when the terminal or the link cannot be made.
    PseudoTerminal(const std::string& winePrefix, int comNumber);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }
    const std::string& linkPath() const { return linkPath_; }

    // Line speed in baud as the Windows side last set it (the slave's termios), 0 if unknown.
    unsigned speed() const;
    // Sets the slave's speed, as another program using the port would.
    bool setSpeed(unsigned baud);

private:
    int master_ = -1;
    int slaveKeeper_ = -1;   // keeps the slave side alive between the Windows side's opens
    std::string slavePath_;
    std::string linkPath_;
};

unsigned baudFromSpeed(speed_t s);
speed_t speedFromBaud(unsigned baud);   // B0 when the rate has no termios constant

}  // namespace pvpty
