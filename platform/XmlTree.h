#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// A small, strict XML reader for our rowset files: elements and attributes with their
// namespaces resolved to URIs (prefixes do not matter), entity and character references
// decoded, attribute values normalised as XML requires. Text content, comments, processing
// instructions and CDATA are skipped. Document type declarations are refused (no entity
// expansion from the file). Malformed input gives nullptr and a message, never a crash.
struct XmlAttribute
{
    std::string nsUri;
    std::string localName;
    std::string value;
};

struct XmlElement
{
    std::string nsUri;
    std::string localName;
    std::vector<XmlAttribute> attributes;
    std::vector<std::unique_ptr<XmlElement>> children;

    // The value of the attribute, or nullptr when it is missing.
    const std::string* attribute(std::string_view nsUri, std::string_view localName) const;
};

std::unique_ptr<XmlElement> parseXml(std::string_view text, std::string& error);

// Text for an attribute value between quotes: & < > " ' and the blanks that XML would turn
// into spaces (tab, line feed, carriage return) as references; other bytes unchanged, so
// UTF-8 stays UTF-8.
std::string escapeXmlAttribute(std::string_view text);

} // namespace tv
