#include "tools/CatchCheck.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace tv::tools {
namespace {

bool isWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// The source with comments and the insides of literals blanked; line ends stay.
std::string codeOnly(std::string_view s)
{
    std::string out(s);
    auto blank = [&out](size_t from, size_t to) {
        for (size_t k = from; k < std::min(to, out.size()); ++k)
            if (out[k] != '\n')
                out[k] = ' ';
    };
    for (size_t i = 0; i < s.size();) {
        size_t end = i + 1;
        if (s.substr(i, 2) == "//") {
            end = std::min(s.find('\n', i), s.size());
            blank(i, end);
        } else if (s.substr(i, 2) == "/*") {
            end = std::min(s.find("*/", i + 2), s.size() - 2) + 2;
            blank(i, end);
        } else if (s[i] == '"' && i > 0 && s[i - 1] == 'R' && (i < 2 || !isWordChar(s[i - 2]))) {
            const size_t open = std::min(s.find('(', i), s.size());
            const std::string close = ")" + std::string(s.substr(i + 1, open - i - 1)) + "\"";
            end = std::min(s.find(close, open), s.size()) + close.size();
            blank(i + 1, end - 1);
        } else if (s[i] == '"' || (s[i] == '\'' && s.find('\'', i + 1) <= i + 3)) {
            // A character literal is at most '\x' long; any other ' separates digits.
            end = i + 1;
            while (end < s.size() && s[end] != s[i])
                end += s[end] == '\\' ? 2 : 1;
            blank(i + 1, end);
            ++end;
        }
        i = end;
    }
    return out;
}

} // namespace

std::vector<int> emptyCatchLines(std::string_view source)
{
    const std::string code = codeOnly(source);
    std::vector<int> lines;
    for (size_t at = code.find("catch"); at != std::string::npos; at = code.find("catch", at + 5)) {
        if ((at > 0 && isWordChar(code[at - 1])) || isWordChar(code[at + 5]))
            continue;
        const size_t close = code.find(')', at);
        const size_t open = code.find_first_not_of(" \t\r\n", std::min(close, code.size()) + 1);
        if (open == std::string::npos || code[open] != '{')
            continue;
        const size_t body = code.find_first_not_of(" \t\r\n;", open + 1);
        if (body != std::string::npos && code[body] == '}')
            lines.push_back(static_cast<int>(std::count(code.begin(), code.begin() + at, '\n')) +
                            1);
    }
    return lines;
}

std::vector<std::string> emptyCatchFindings(const std::filesystem::path& root,
                                            const std::set<std::string>& notYetCleaned)
{
    namespace fs = std::filesystem;
    std::vector<std::string> findings;
    std::set<std::string> cleaned = notYetCleaned;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const fs::path& path = it->path();
        const std::string name = fs::relative(path, root).generic_string();
        if (it->is_directory()) {
            if (name == "tests" || name == "bench" || path.filename().string().front() == '.' ||
                fs::exists(path / "CMakeCache.txt"))
                it.disable_recursion_pending();
            continue;
        }
        if (path.extension() != ".cpp" && path.extension() != ".h")
            continue;
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const std::vector<int> lines = emptyCatchLines(text.str());
        if (notYetCleaned.count(name) != 0) {
            if (!lines.empty())
                cleaned.erase(name);
            continue;
        }
        for (int line : lines)
            findings.push_back(name + ":" + std::to_string(line) + ": a catch with an empty body");
    }
    for (const std::string& name : cleaned)
        findings.push_back(name + ": no empty catch left; take it off the list not yet cleaned");
    std::sort(findings.begin(), findings.end());
    return findings;
}

} // namespace tv::tools
