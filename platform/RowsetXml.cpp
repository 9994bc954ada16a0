#include "platform/RowsetXml.h"

#include "platform/DbError.h"
#include "platform/TextFold.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace tv {
namespace {

constexpr std::string_view kNsSchema = "uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882";
constexpr std::string_view kNsDataType = "uuid:C2F41010-65B3-11d1-A29F-00AA00C14882";
constexpr std::string_view kNsRowset = "urn:schemas-microsoft-com:rowset";
constexpr std::string_view kNsRow = "#RowsetSchema";
// ADO's dt:maxLength of a memo field.
constexpr int kLongTextLength = 536870910;

bool isPlainXmlName(std::string_view name)
{
    if (name.empty() || startsWithNoCase(name, "xml"))
        return false;
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (!letter(name[0]) && name[0] != '_')
        return false;
    return std::all_of(name.begin(), name.end(), [&](char c) {
        return letter(c) || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
    });
}

// The attribute names of the fields in the file: the field name when XML allows it as is,
// else "c<number>" (made unique against the other names).
std::vector<std::string> xmlNames(const std::vector<FieldInfo>& fields)
{
    std::vector<std::string> names;
    for (const FieldInfo& f : fields)
        names.push_back(isPlainXmlName(f.name) ? f.name : std::string());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!names[i].empty())
            continue;
        std::string candidate = "c";
        candidate += std::to_string(i);
        while (std::find(names.begin(), names.end(), candidate) != names.end())
            candidate += "_";
        names[i] = candidate;
    }
    return names;
}

std::string dataTypeAttributes(const FieldInfo& f)
{
    switch (f.type) {
    case FieldType::Text:
        return "dt:type='string' dt:maxLength='" + std::to_string(kLongTextLength) +
               "' rs:long='true'";
    case FieldType::VarChar:
        return "dt:type='string' dt:maxLength='" + std::to_string(f.size) + "'";
    case FieldType::Char:
        return "dt:type='string' dt:maxLength='" + std::to_string(f.size) +
               "' rs:fixedlength='true'";
    case FieldType::SmallInt:
        return "dt:type='i2' dt:maxLength='2' rs:precision='5' rs:fixedlength='true'";
    case FieldType::Long:
        return "dt:type='int' dt:maxLength='4' rs:precision='10' rs:fixedlength='true'";
    case FieldType::Single:
        return "dt:type='r4' dt:maxLength='4' rs:precision='7' rs:fixedlength='true'";
    case FieldType::Double:
        return "dt:type='float' dt:maxLength='8' rs:precision='15' rs:fixedlength='true'";
    case FieldType::Boolean:
        return "dt:type='boolean' dt:maxLength='2' rs:fixedlength='true'";
    case FieldType::DateTime:
        return "dt:type='dateTime' rs:dbtype='timestamp' dt:maxLength='16' rs:scale='0' "
               "rs:precision='19' rs:fixedlength='true'";
    }
    return "dt:type='string'";
}

std::string valueText(const FieldInfo& f, const Value& v)
{
    switch (f.type) {
    case FieldType::Boolean:
        return v.toBool() ? "True" : "False";
    case FieldType::Single:
    case FieldType::Double:
    case FieldType::SmallInt:
    case FieldType::Long:
        if (v.kind() == Value::Kind::Real)
            return formatDoubleExact(v.real());
        return v.toString();
    case FieldType::DateTime: {
        std::string t = v.toString();
        if (t.size() > 10 && t[10] == ' ')
            t[10] = 'T';
        return t;
    }
    default:
        return v.toString();
    }
}

bool isTrue(const std::string* attr)
{
    return attr != nullptr && (equalsNoCase(*attr, "true") || *attr == "1" || *attr == "-1");
}

int parseCount(const std::string* text)
{
    if (text == nullptr)
        return -1;
    int n = 0;
    const auto [p, ec] = std::from_chars(text->data(), text->data() + text->size(), n);
    return ec == std::errc() && p == text->data() + text->size() ? n : -1;
}

// Text for an attribute value between quotes: & < > " ' and the blanks that XML would turn
// into spaces (tab, line feed, carriage return) as references; other bytes unchanged, so
// UTF-8 stays UTF-8.
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

// One attribute of an element in the file, its namespace resolved to the URI.
struct XmlAttribute
{
    std::string nsUri;
    std::string localName;
    std::string value;
};
using XmlAttributes = std::vector<XmlAttribute>;

const std::string* attribute(const XmlAttributes& attributes, std::string_view ns,
                             std::string_view local)
{
    for (const XmlAttribute& a : attributes) {
        if (a.nsUri == ns && a.localName == local)
            return &a.value;
    }
    return nullptr;
}

XmlAttributes attributesOf(const QXmlStreamReader& reader)
{
    XmlAttributes out;
    for (const QXmlStreamAttribute& a : reader.attributes())
        out.push_back({a.namespaceUri().toString().toStdString(), a.name().toString().toStdString(),
                       a.value().toString().toStdString()});
    return out;
}

bool isElement(const QXmlStreamReader& reader, std::string_view ns, std::string_view local)
{
    return reader.namespaceUri() == QLatin1StringView(ns.data(), qsizetype(ns.size())) &&
           reader.name() == QLatin1StringView(local.data(), qsizetype(local.size()));
}

// QXmlStreamReader compares every attribute of a tag with every other one, so a tag with
// 100,000 attributes would take it minutes to refuse. No rowset has more than a few hundred
// fields: a tag with more attributes than this is refused before the parser sees the file.
constexpr std::size_t kMaxAttributesPerTag = 4096;

// Counts the "=" outside quoted values in every tag; comments, processing instructions and
// CDATA sections are stepped over, a declaration ("<!DOCTYPE") is left to the parser.
void refuseCrowdedTags(std::string_view s)
{
    const auto skipPast = [&s](std::size_t from, std::string_view end) {
        const std::size_t e = s.find(end, from);
        return e == std::string_view::npos ? s.size() : e + end.size();
    };
    std::size_t i = 0;
    while ((i = s.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = s.substr(i);
        if (rest.starts_with("<!--")) {
            i = skipPast(i + 4, "-->");
        } else if (rest.starts_with("<?")) {
            i = skipPast(i + 2, "?>");
        } else if (rest.starts_with("<![CDATA[")) {
            i = skipPast(i + 9, "]]>");
        } else if (rest.starts_with("<!")) {
            return;
        } else {
            std::size_t count = 0;
            char quote = 0;
            for (++i; i < s.size(); ++i) {
                const char c = s[i];
                if (quote != 0) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '\'' || c == '"') {
                    quote = c;
                } else if (c == '>') {
                    break;
                } else if (c == '=' && ++count > kMaxAttributesPerTag) {
                    throw DbError("not a rowset file: more than " +
                                  std::to_string(kMaxAttributesPerTag) + " attributes in a tag");
                }
            }
        }
    }
}

// What the reader keeps of the file: the schema's row types with their fields, and every
// element inside <rs:data> (which of them are rows is known only once the schema is read).
struct SchemaField
{
    XmlAttributes attributes;
    std::optional<XmlAttributes> dataType;
};

struct SchemaRowType
{
    XmlAttributes attributes;
    std::vector<SchemaField> fields;
};

struct DataElement
{
    std::string nsUri;
    std::string localName;
    std::vector<std::pair<std::string, std::string>> values; // attributes without a namespace
};

struct ParsedRowset
{
    bool hasSchema = false;
    bool hasData = false;
    std::vector<SchemaRowType> rowTypes;
    std::vector<DataElement> dataElements;
};

ParsedRowset parseRowset(std::string_view xml)
{
    refuseCrowdedTags(xml);
    // Where an element stands; everything else in the file is checked for well-formedness
    // and otherwise ignored.
    enum class Place { Other, Root, Schema, RowType, Field, Data };
    ParsedRowset parsed;
    std::vector<Place> open;
    QXmlStreamReader reader(QByteArray::fromRawData(xml.data(), qsizetype(xml.size())));
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD)
            throw DbError("not a rowset file: document type declarations are not accepted");
        if (token == QXmlStreamReader::EndElement) {
            open.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const Place parent = open.empty() ? Place::Other : open.back();
        Place place = Place::Other;
        if (open.empty()) {
            place = Place::Root;
        } else if (parent == Place::Root) {
            if (!parsed.hasSchema && isElement(reader, kNsSchema, "Schema")) {
                parsed.hasSchema = true;
                place = Place::Schema;
            } else if (!parsed.hasData && isElement(reader, kNsRowset, "data")) {
                parsed.hasData = true;
                place = Place::Data;
            }
        } else if (parent == Place::Schema && isElement(reader, kNsSchema, "ElementType")) {
            parsed.rowTypes.push_back({attributesOf(reader), {}});
            place = Place::RowType;
        } else if (parent == Place::RowType && isElement(reader, kNsSchema, "AttributeType")) {
            parsed.rowTypes.back().fields.push_back({attributesOf(reader), std::nullopt});
            place = Place::Field;
        } else if (parent == Place::Field && isElement(reader, kNsSchema, "datatype")) {
            SchemaField& field = parsed.rowTypes.back().fields.back();
            if (!field.dataType)
                field.dataType = attributesOf(reader);
        } else if (parent == Place::Data) {
            DataElement element;
            element.nsUri = reader.namespaceUri().toString().toStdString();
            element.localName = reader.name().toString().toStdString();
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                if (a.namespaceUri().isEmpty())
                    element.values.emplace_back(a.name().toString().toStdString(),
                                                a.value().toString().toStdString());
            }
            parsed.dataElements.push_back(std::move(element));
        }
        open.push_back(place);
    }
    if (reader.hasError()) {
        throw DbError("not a rowset file: " + reader.errorString().toStdString() + " (line " +
                      std::to_string(reader.lineNumber()) + ", column " +
                      std::to_string(reader.columnNumber()) + ")");
    }
    return parsed;
}

struct FileField
{
    FieldInfo info;
    std::string xmlName;
    int number = 0;
};

FileField readField(const SchemaField& field)
{
    const XmlAttributes& attributeType = field.attributes;
    FileField f;
    const std::string* name = attribute(attributeType, "", "name");
    if (name == nullptr || name->empty())
        throw DbError("field without a name in the schema");
    f.xmlName = *name;
    const std::string* realName = attribute(attributeType, kNsRowset, "name");
    f.info.name = realName != nullptr && !realName->empty() ? *realName : *name;
    f.number = parseCount(attribute(attributeType, kNsRowset, "number"));
    f.info.autoIncrement = isTrue(attribute(attributeType, kNsRowset, "autoincrement"));

    // The type sits in <s:datatype>, or on the AttributeType itself.
    const XmlAttributes& typeHolder = field.dataType ? *field.dataType : attributeType;
    const std::string* type = attribute(typeHolder, kNsDataType, "type");
    const std::string t = type != nullptr ? *type : "string";
    const int maxLength = parseCount(attribute(typeHolder, kNsDataType, "maxLength"));
    f.info.nullable = isTrue(attribute(attributeType, kNsRowset, "nullable")) ||
                      isTrue(attribute(typeHolder, kNsRowset, "maybenull"));

    if (t == "i1" || t == "i2" || t == "ui1") {
        f.info.type = FieldType::SmallInt;
    } else if (t == "int" || t == "i4" || t == "ui2" || t == "ui4" || t == "i8" || t == "ui8") {
        f.info.type = FieldType::Long;
    } else if (t == "r4") {
        f.info.type = FieldType::Single;
    } else if (t == "float" || t == "r8" || t == "number" || t == "fixed.14.4") {
        f.info.type = FieldType::Double;
    } else if (t == "boolean") {
        f.info.type = FieldType::Boolean;
    } else if (t == "dateTime" || t == "dateTime.tz" || t == "date" || t == "time") {
        f.info.type = FieldType::DateTime;
    } else if (maxLength > 0 && maxLength < kLongTextLength &&
               !isTrue(attribute(typeHolder, kNsRowset, "long"))) {
        f.info.type = isTrue(attribute(typeHolder, kNsRowset, "fixedlength")) ? FieldType::Char
                                                                              : FieldType::VarChar;
        f.info.size = maxLength;
    } else {
        f.info.type = FieldType::Text; // memo, or a type we do not know: keep the text
    }
    return f;
}

// A value read from the file; a number that does not read as one keeps its text, so nothing
// in the file is lost.
Value readValue(const FieldInfo& f, const std::string& text)
{
    switch (f.type) {
    case FieldType::SmallInt:
    case FieldType::Long: {
        std::int64_t i = 0;
        const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), i);
        if (ec == std::errc() && p == text.data() + text.size())
            return Value(i);
        const auto d = parseNumber(text);
        return d ? Value(*d) : Value(text);
    }
    case FieldType::Single:
    case FieldType::Double: {
        const auto d = parseNumber(text);
        return d ? Value(*d) : Value(text);
    }
    case FieldType::Boolean:
        if (isTrue(&text))
            return Value(1);
        if (equalsNoCase(text, "false") || text == "0")
            return Value(0);
        return Value(text);
    case FieldType::DateTime: {
        std::string t = text;
        if (t.size() > 10 && t[10] == 'T')
            t[10] = ' ';
        return Value(std::move(t));
    }
    default:
        return Value(text);
    }
}

} // namespace

std::string writeRowsetXml(const RowsetTable& table)
{
    const std::vector<std::string> names = xmlNames(table.fields);
    std::string out;
    out += "<xml xmlns:s='";
    out += kNsSchema;
    out += "'\n\txmlns:dt='";
    out += kNsDataType;
    out += "'\n\txmlns:rs='";
    out += kNsRowset;
    out += "'\n\txmlns:z='";
    out += kNsRow;
    out += "'>\n<s:Schema id='RowsetSchema'>\n";
    out += "\t<s:ElementType name='row' content='eltOnly' rs:updatable='true'>\n";
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const FieldInfo& f = table.fields[i];
        out += "\t\t<s:AttributeType name='" + escapeXmlAttribute(names[i]) + "'";
        if (names[i] != f.name)
            out += " rs:name='" + escapeXmlAttribute(f.name) + "'";
        out += " rs:number='" + std::to_string(i + 1) + "'";
        if (f.nullable)
            out += " rs:nullable='true'";
        out += " rs:maydefer='true' rs:writeunknown='true'";
        if (f.autoIncrement)
            out += " rs:autoincrement='true'";
        out += ">\n\t\t\t<s:datatype " + dataTypeAttributes(f);
        if (!f.nullable)
            out += " rs:maybenull='false'";
        out += "/>\n\t\t</s:AttributeType>\n";
    }
    out += "\t\t<s:extends type='rs:rowbase'/>\n\t</s:ElementType>\n</s:Schema>\n<rs:data>\n";
    for (std::size_t r = 0; r < table.rowCount; ++r) {
        out += "\t<z:row";
        for (std::size_t i = 0; i < table.fields.size(); ++i) {
            const Value& v = table.cells[r * table.fields.size() + i];
            if (v.isNull())
                continue;
            out += " " + names[i] + "='" + escapeXmlAttribute(valueText(table.fields[i], v)) + "'";
        }
        out += "/>\n";
    }
    out += "</rs:data>\n</xml>\n";
    return out;
}

RowsetTable readRowsetXml(std::string_view xml)
{
    const ParsedRowset parsed = parseRowset(xml);
    if (!parsed.hasSchema || !parsed.hasData)
        throw DbError("not a rowset file: schema or data missing");
    const SchemaRowType* rowType = nullptr;
    for (const SchemaRowType& t : parsed.rowTypes) {
        const std::string* name = attribute(t.attributes, "", "name");
        if (rowType == nullptr || (name != nullptr && *name == "row"))
            rowType = &t;
    }
    if (rowType == nullptr)
        throw DbError("not a rowset file: no row type in the schema");
    const std::string* rowNameAttr = attribute(rowType->attributes, "", "name");
    const std::string rowName = rowNameAttr != nullptr ? *rowNameAttr : "row";

    std::vector<FileField> fields;
    for (const SchemaField& f : rowType->fields)
        fields.push_back(readField(f));
    if (fields.empty())
        throw DbError("rowset without fields");
    const bool numbered =
        std::all_of(fields.begin(), fields.end(), [](const FileField& f) { return f.number > 0; });
    if (numbered) {
        std::stable_sort(fields.begin(), fields.end(), [](const FileField& a, const FileField& b) {
            return a.number < b.number;
        });
    }
    std::unordered_set<std::string> names;
    std::unordered_set<std::string> attributeNames;
    for (const FileField& f : fields) {
        if (!names.insert(foldCase(f.info.name)).second || !attributeNames.insert(f.xmlName).second)
            throw DbError("field " + f.info.name + " twice in the schema");
    }

    RowsetTable table;
    std::unordered_map<std::string, std::size_t> byXmlName;
    for (const FileField& f : fields) {
        byXmlName.emplace(f.xmlName, table.fields.size());
        table.fields.push_back(f.info);
    }
    for (const DataElement& row : parsed.dataElements) {
        if (row.nsUri != kNsRow || row.localName != rowName)
            continue;
        // Attributes that name no field are left alone; a missing one is Null.
        const std::size_t first = table.cells.size();
        table.cells.resize(first + fields.size());
        for (const auto& [name, value] : row.values) {
            const auto it = byXmlName.find(name);
            if (it != byXmlName.end())
                table.cells[first + it->second] = readValue(table.fields[it->second], value);
        }
        ++table.rowCount;
    }
    return table;
}

} // namespace tv
