#pragma once

// Turns the text a serial port delivers, in chunks of any size, into complete NMEA lines.
//
// Wire format: lines end with CR LF; a line feed alone does not end a line. A chunk that begins
// with "$" starts a new sentence burst and throws away any unfinished line kept from before;
// any other chunk continues the kept text. Complete lines are handed on exactly once, trimmed of
// blanks at both ends and without their CR LF; empty lines are dropped. Only the unfinished tail
// is kept, and never more than kMaxTailBytes of it (the newest bytes), so a port that never
// sends a line end (wrong baud rate) cannot grow the buffer.
//
// Plain C++: shared by the settings window's port test and the flight window's reception.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class LineAssembler
{
public:
    static constexpr std::size_t kMaxTailBytes = 4096;
    // A first piece longer than this has had no line end for too long: the baud rate is wrong.
    static constexpr std::size_t kWarningLength = 200;

    // Takes one received chunk; returns the lines it completed, in order.
    std::vector<std::string> add(std::string_view chunk);

    // The first piece of the text after the last add (before its complete lines were handed
    // on): what the port test shows the pilot as "received".
    const std::string& firstPiece() const { return firstPiece_; }
    // The first piece is longer than kWarningLength characters.
    bool firstPieceTooLong() const { return firstPiece_.size() > kWarningLength; }

    // The unfinished line kept for the next chunk.
    const std::string& tail() const { return tail_; }

    void clear();

private:
    std::string tail_;
    std::string firstPiece_;
};

} // namespace tv
