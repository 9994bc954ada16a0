#include "platform/XmlTree.h"

#include <cstdint>
#include <unordered_set>

namespace tv {
namespace {

constexpr std::size_t kMaxDepth = 200;
constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool endsName(char c)
{
    return isBlank(c) || c == '=' || c == '>' || c == '/' || c == '<' || c == '"' || c == '\'' ||
           c == '?' || c == '!';
}

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

struct RawAttribute
{
    std::string qname;
    std::string value;
};

struct OpenElement
{
    XmlElement* element;
    std::string qname;
    std::size_t nsMark; // size of the namespace stack before this element's declarations
};

struct Binding
{
    std::string prefix;
    std::string uri;
};

class Parser
{
public:
    explicit Parser(std::string_view text) : s_(text) {}

    std::unique_ptr<XmlElement> run(std::string& error)
    {
        std::unique_ptr<XmlElement> root;
        if (s_.substr(0, 3) == "\xEF\xBB\xBF")
            i_ = 3;
        if (!skipMisc())
            return fail(error);
        if (!at('<')) {
            err_ = "no root element";
            return fail(error);
        }
        ++i_;
        std::vector<OpenElement> open;
        if (!startTag(root, open))
            return fail(error);
        while (!open.empty()) {
            const std::size_t lt = s_.find('<', i_);
            if (lt == std::string_view::npos) {
                err_ = "element <" + open.back().qname + "> is not closed";
                return fail(error);
            }
            i_ = lt;
            if (starts("</")) {
                i_ += 2;
                const std::string name = readName();
                skipBlanks();
                if (name != open.back().qname || !at('>')) {
                    err_ = "end tag does not match <" + open.back().qname + ">";
                    return fail(error);
                }
                ++i_;
                ns_.resize(open.back().nsMark);
                open.pop_back();
            } else if (starts("<!--") || starts("<?")) {
                if (!skipMarkup())
                    return fail(error);
            } else if (starts("<![CDATA[")) {
                if (!skipTo("]]>"))
                    return fail(error);
            } else if (starts("<!")) {
                err_ = "unexpected declaration";
                return fail(error);
            } else {
                ++i_;
                if (open.size() >= kMaxDepth) {
                    err_ = "elements nested too deeply";
                    return fail(error);
                }
                std::unique_ptr<XmlElement> child;
                XmlElement* parent = open.back().element;
                if (!startTag(child, open))
                    return fail(error);
                parent->children.push_back(std::move(child));
            }
        }
        if (!skipMisc())
            return fail(error);
        if (i_ < s_.size()) {
            err_ = "content after the root element";
            return fail(error);
        }
        return root;
    }

private:
    std::unique_ptr<XmlElement> fail(std::string& error)
    {
        error = err_ + " (at byte " + std::to_string(i_) + ")";
        return nullptr;
    }

    bool at(char c) const { return i_ < s_.size() && s_[i_] == c; }
    bool starts(std::string_view p) const { return s_.substr(i_, p.size()) == p; }

    void skipBlanks()
    {
        while (i_ < s_.size() && isBlank(s_[i_]))
            ++i_;
    }

    bool skipTo(std::string_view end)
    {
        const std::size_t e = s_.find(end, i_);
        if (e == std::string_view::npos) {
            err_ = "unterminated markup";
            return false;
        }
        i_ = e + end.size();
        return true;
    }

    bool skipMarkup() { return starts("<!--") ? skipTo("-->") : skipTo("?>"); }

    // Blanks, comments and processing instructions (the XML declaration among them).
    bool skipMisc()
    {
        for (;;) {
            skipBlanks();
            if (starts("<!--") || starts("<?")) {
                if (!skipMarkup())
                    return false;
            } else if (starts("<!")) {
                err_ = "document type declarations are not accepted";
                return false;
            } else {
                return true;
            }
        }
    }

    std::string readName()
    {
        const std::size_t b = i_;
        while (i_ < s_.size() && !endsName(s_[i_]))
            ++i_;
        return std::string(s_.substr(b, i_ - b));
    }

    bool decodeValue(std::string_view raw, std::string& out)
    {
        out.clear();
        for (std::size_t k = 0; k < raw.size(); ++k) {
            const char c = raw[k];
            if (c == '<') {
                err_ = "'<' in an attribute value";
                return false;
            }
            if (c == '\r' && k + 1 < raw.size() && raw[k + 1] == '\n')
                continue; // CR LF is one line end, one blank
            if (c == '\t' || c == '\r' || c == '\n') {
                out += ' ';
                continue;
            }
            if (c != '&') {
                out += c;
                continue;
            }
            const std::size_t semi = raw.find(';', k);
            if (semi == std::string_view::npos || semi - k > 12) {
                err_ = "bad reference in an attribute value";
                return false;
            }
            const std::string_view ref = raw.substr(k + 1, semi - k - 1);
            k = semi;
            if (ref == "lt")
                out += '<';
            else if (ref == "gt")
                out += '>';
            else if (ref == "amp")
                out += '&';
            else if (ref == "quot")
                out += '"';
            else if (ref == "apos")
                out += '\'';
            else if (!decodeCharRef(ref, out))
                return false;
        }
        return true;
    }

    bool decodeCharRef(std::string_view ref, std::string& out)
    {
        const bool hex = ref.size() > 1 && ref[0] == '#' && (ref[1] == 'x');
        std::string_view digits = ref.substr(hex ? 2 : 1);
        if (ref.empty() || ref[0] != '#' || digits.empty()) {
            err_ = "unknown entity &" + std::string(ref) + ";";
            return false;
        }
        std::uint32_t cp = 0;
        for (const char d : digits) {
            int v = -1;
            if (d >= '0' && d <= '9')
                v = d - '0';
            else if (hex && d >= 'a' && d <= 'f')
                v = d - 'a' + 10;
            else if (hex && d >= 'A' && d <= 'F')
                v = d - 'A' + 10;
            if (v < 0 || cp > 0x10FFFF) {
                err_ = "bad character reference";
                return false;
            }
            cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
        }
        if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            err_ = "character reference to no character";
            return false;
        }
        appendUtf8(out, cp);
        return true;
    }

    // Splits "p:local"; false for a name with an empty part or more than one colon.
    bool splitName(const std::string& qname, std::string& prefix, std::string& local)
    {
        const auto colon = qname.find(':');
        if (colon == std::string::npos) {
            prefix.clear();
            local = qname;
            return !local.empty();
        }
        prefix = qname.substr(0, colon);
        local = qname.substr(colon + 1);
        return !prefix.empty() && !local.empty() && local.find(':') == std::string::npos;
    }

    bool resolve(const std::string& prefix, std::string& uri)
    {
        if (prefix == "xml") {
            uri = kXmlNamespace;
            return true;
        }
        for (auto it = ns_.rbegin(); it != ns_.rend(); ++it) {
            if (it->prefix == prefix) {
                uri = it->uri;
                return true;
            }
        }
        if (prefix.empty()) {
            uri.clear();
            return true;
        }
        err_ = "undeclared namespace prefix " + prefix;
        return false;
    }

    // Reads a start tag after its "<"; an element with content is pushed on `open`.
    bool startTag(std::unique_ptr<XmlElement>& element, std::vector<OpenElement>& open)
    {
        const std::string qname = readName();
        if (qname.empty()) {
            err_ = "element without a name";
            return false;
        }
        std::vector<RawAttribute> raw;
        std::unordered_set<std::string> rawNames;
        bool empty = false;
        for (;;) {
            const std::size_t before = i_;
            skipBlanks();
            if (starts("/>")) {
                i_ += 2;
                empty = true;
                break;
            }
            if (at('>')) {
                ++i_;
                break;
            }
            if (i_ == before || i_ >= s_.size()) {
                err_ = "malformed start tag <" + qname + ">";
                return false;
            }
            RawAttribute a;
            a.qname = readName();
            skipBlanks();
            if (a.qname.empty() || !at('=')) {
                err_ = "malformed attribute in <" + qname + ">";
                return false;
            }
            ++i_;
            skipBlanks();
            if (!at('"') && !at('\'')) {
                err_ = "attribute value without quotes in <" + qname + ">";
                return false;
            }
            const char quote = s_[i_++];
            const std::size_t end = s_.find(quote, i_);
            if (end == std::string_view::npos) {
                err_ = "unterminated attribute value in <" + qname + ">";
                return false;
            }
            if (!decodeValue(s_.substr(i_, end - i_), a.value))
                return false;
            i_ = end + 1;
            // Sets, not pairwise comparison: a file with thousands of attributes must not
            // take minutes to refuse.
            if (!rawNames.insert(a.qname).second) {
                err_ = "attribute " + a.qname + " given twice";
                return false;
            }
            raw.push_back(std::move(a));
        }

        const std::size_t mark = ns_.size();
        for (const RawAttribute& a : raw) {
            if (a.qname == "xmlns")
                ns_.push_back({"", a.value});
            else if (a.qname.rfind("xmlns:", 0) == 0)
                ns_.push_back({a.qname.substr(6), a.value});
        }
        element = std::make_unique<XmlElement>();
        std::string prefix;
        if (!splitName(qname, prefix, element->localName) || !resolve(prefix, element->nsUri)) {
            if (err_.empty())
                err_ = "bad element name " + qname;
            return false;
        }
        std::unordered_set<std::string> expandedNames;
        for (RawAttribute& a : raw) {
            if (a.qname == "xmlns" || a.qname.rfind("xmlns:", 0) == 0)
                continue;
            XmlAttribute attr;
            if (!splitName(a.qname, prefix, attr.localName)) {
                err_ = "bad attribute name " + a.qname;
                return false;
            }
            // Unprefixed attributes belong to no namespace, whatever the default namespace.
            if (!prefix.empty() && !resolve(prefix, attr.nsUri))
                return false;
            if (!expandedNames.insert(attr.nsUri + '\n' + attr.localName).second) {
                err_ = "attribute " + a.qname + " given twice";
                return false;
            }
            attr.value = std::move(a.value);
            element->attributes.push_back(std::move(attr));
        }
        if (empty)
            ns_.resize(mark);
        else
            open.push_back({element.get(), qname, mark});
        return true;
    }

    std::string_view s_;
    std::size_t i_ = 0;
    std::string err_;
    std::vector<Binding> ns_;
};

} // namespace

const std::string* XmlElement::attribute(std::string_view uri, std::string_view local) const
{
    for (const XmlAttribute& a : attributes) {
        if (a.nsUri == uri && a.localName == local)
            return &a.value;
    }
    return nullptr;
}

std::unique_ptr<XmlElement> parseXml(std::string_view text, std::string& error)
{
    return Parser(text).run(error);
}

std::string escapeXmlAttribute(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                // Control characters as references; a NUL cannot be written in XML at all.
                if (c != '\0')
                    out += "&#" + std::to_string(static_cast<int>(c)) + ";";
            } else {
                out += c;
            }
        }
    }
    return out;
}

} // namespace tv
