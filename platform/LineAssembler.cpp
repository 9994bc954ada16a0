#include "platform/LineAssembler.h"

#include "platform/TextTrim.h"

namespace tv {

std::vector<std::string> LineAssembler::add(std::string_view chunk)
{
    if (!chunk.empty() && chunk.front() == '$')
        tail_.assign(chunk);
    else
        tail_.append(chunk);

    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = tail_.find("\r\n", start);
        if (end == std::string::npos)
            break;
        const std::string_view piece(tail_.data() + start, end - start);
        if (start == 0)
            firstPiece_.assign(piece);
        const std::string_view line = trimSpaces(piece);
        if (!line.empty())
            lines.emplace_back(line);
        start = end + 2;
    }
    if (start == 0)
        firstPiece_ = tail_;
    tail_.erase(0, start);
    if (tail_.size() > kMaxTailBytes)
        tail_.erase(0, tail_.size() - kMaxTailBytes);
    return lines;
}

void LineAssembler::clear()
{
    tail_.clear();
    firstPiece_.clear();
}

} // namespace tv
