#include "platform/RowsetXml.h"

#include "platform/DbError.h"
#include "platform/TextFold.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>
#include <charconv>
#include <new>
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

// XML 1.0 can hold these characters and no others; a file with any other is not well-formed.
bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Text for an attribute value between quotes: & < > " ' and the blanks that XML would turn
// into spaces (tab, line feed, carriage return) as references; everything else unchanged, so
// UTF-8 stays UTF-8. The text has passed xmlCanHold.
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
        case '\t':
        case '\n':
        case '\r':
            out += "&#" + std::to_string(static_cast<int>(c)) + ";";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// An attribute of the file being written; a text the reader would refuse is refused here, so
// nothing is written that cannot be read back.
std::string attributeText(std::string_view text, std::string_view what)
{
    if (!xmlCanHold(text))
        throw DbError(std::string(what) + ": text that a rowset file cannot hold");
    return escapeXmlAttribute(text);
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

// Bounds near what the format needs, so that a hostile file is refused at once and in little
// memory. The widest rowset of the program has 21 fields, a schema tag fewer than ten
// attributes and the deepest element (s:datatype) stands five levels down.
// Qt's reader compares every attribute of a tag with every other one: 100,000 attributes in
// one tag would hold it for many seconds, so the count is made before it sees the text.
constexpr std::size_t kMaxAttributesPerTag = 64;
constexpr std::size_t kMaxNesting = 16;
// Values of all rows together (a route of 140,000 points): a file of empty rows cannot make
// the table grow far beyond the file.
constexpr std::size_t kMaxValues = 1'000'000;

[[noreturn]] void refuse(const std::string& why)
{
    throw DbError("not a rowset file: " + why);
}

// The encoding named by the XML declaration at the start of the file, if any.
std::optional<std::string> declaredEncoding(std::string_view bytes)
{
    if (!bytes.starts_with("<?xml"))
        return std::nullopt;
    const std::string_view head = bytes.substr(0, bytes.find("?>"));
    std::size_t at = head.find("encoding");
    if (at == std::string_view::npos)
        return std::nullopt;
    at += 8;
    const auto skipBlanks = [&head](std::size_t i) {
        while (i < head.size() &&
               (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
            ++i;
        return i;
    };
    at = skipBlanks(at);
    if (at >= head.size() || head[at] != '=')
        return std::nullopt;
    at = skipBlanks(at + 1);
    if (at >= head.size() || (head[at] != '\'' && head[at] != '"'))
        return std::nullopt;
    const std::size_t end = head.find(head[at], at + 1);
    if (end == std::string_view::npos)
        return std::nullopt;
    return std::string(head.substr(at + 1, end - at - 1));
}

// The file as text, decoded as the XML reader would: a byte order mark (or the first "<" in
// UTF-16 or UTF-32) decides, else the encoding of the XML declaration, else UTF-8. Bytes that
// are not valid in that encoding are refused, never guessed at.
QString decodeRowsetText(std::string_view bytes)
{
    const QByteArrayView data(bytes.data(), qsizetype(bytes.size()));
    QStringDecoder decoder;
    std::string name = "UTF-8";
    if (const auto detected = QStringConverter::encodingForData(data, u'<')) {
        decoder = QStringDecoder(*detected);
        name = QStringConverter::nameForEncoding(*detected);
    } else if (const auto declared = declaredEncoding(bytes)) {
        decoder = QStringDecoder(declared->c_str());
        name = *declared;
    } else {
        decoder = QStringDecoder(QStringConverter::Utf8);
    }
    if (!decoder.isValid())
        refuse("the encoding " + name + " is not supported");
    QString text = decoder.decode(data);
    if (decoder.hasError())
        refuse("bytes that are not " + name);
    return text;
}

// Counts, on the decoded text, the attributes of every tag (the "=" outside quoted values) and
// the nesting of elements, before the XML reader sees any of it. Comments, processing
// instructions and CDATA sections are stepped over as the reader steps over them; any other
// "<!" (a document type declaration above all) is refused here. Where the text is malformed
// the count may differ from the reader's, but the reader stops at the first malformation.
void refuseOutsizedMarkup(QStringView s)
{
    const auto at = [&s](qsizetype i, QLatin1StringView what) {
        return s.sliced(i).startsWith(what);
    };
    const auto skipPast = [&s](qsizetype from, QLatin1StringView end) {
        const qsizetype e = s.indexOf(end, from);
        return e < 0 ? s.size() : e + end.size();
    };
    std::size_t depth = 0;
    qsizetype i = 0;
    while ((i = s.indexOf(u'<', i)) >= 0) {
        if (at(i, QLatin1StringView("<!--"))) {
            i = skipPast(i + 4, QLatin1StringView("-->"));
        } else if (at(i, QLatin1StringView("<?"))) {
            i = skipPast(i + 2, QLatin1StringView("?>"));
        } else if (at(i, QLatin1StringView("<![CDATA["))) {
            i = skipPast(i + 9, QLatin1StringView("]]>"));
        } else if (at(i, QLatin1StringView("<!DOCTYPE"))) {
            refuse("document type declarations are not accepted");
        } else if (at(i, QLatin1StringView("<!"))) {
            refuse("a markup declaration outside a document type declaration");
        } else {
            const bool endTag = at(i, QLatin1StringView("</"));
            std::size_t attributes = 0;
            char16_t quote = 0;
            char16_t last = 0; // the last character outside blanks before ">"
            for (++i; i < s.size(); ++i) {
                const char16_t c = s[i].unicode();
                if (quote != 0) {
                    if (c == quote) {
                        quote = 0;
                        last = c;
                    }
                    continue;
                }
                if (c == '>')
                    break;
                if (c == '\'' || c == '"')
                    quote = c;
                else if (c == '=' && ++attributes > kMaxAttributesPerTag)
                    refuse("more than " + std::to_string(kMaxAttributesPerTag) +
                           " attributes in a tag");
                if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                    last = c;
            }
            if (endTag) {
                depth -= depth > 0 ? 1 : 0;
            } else if (last != '/' && ++depth > kMaxNesting) {
                refuse("elements nested more than " + std::to_string(kMaxNesting) + " deep");
            }
        }
    }
}

// What the reader keeps of the schema: the row type with its fields.
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

// The row type's fields in file order (rs:number when every field has one), checked.
std::vector<FileField> fieldsOf(const SchemaRowType& rowType)
{
    std::vector<FileField> fields;
    for (const SchemaField& f : rowType.fields)
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
    return fields;
}

// Reads the decoded, counted text: the schema first, then each row of <rs:data> straight into
// the table.
RowsetTable parseRowset(const QString& text)
{
    // Where an element stands; everything else in the file is checked for well-formedness
    // and otherwise ignored.
    enum class Place { Other, Root, Schema, RowType, Field, Data };
    std::vector<Place> open;
    bool hasSchema = false;
    bool hasData = false;
    // The row type: the first s:ElementType named "row", else the first one.
    std::optional<SchemaRowType> rowType;
    bool rowTypeNamedRow = false;
    std::string rowName;
    std::unordered_map<std::string, std::size_t> byXmlName;
    RowsetTable table;

    QXmlStreamReader reader(text);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD)
            refuse("document type declarations are not accepted");
        if (token == QXmlStreamReader::EndElement) {
            open.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (open.size() >= kMaxNesting)
            refuse("elements nested more than " + std::to_string(kMaxNesting) + " deep");
        const Place parent = open.empty() ? Place::Other : open.back();
        Place place = Place::Other;
        if (open.empty()) {
            place = Place::Root;
        } else if (parent == Place::Root) {
            if (!hasSchema && isElement(reader, kNsSchema, "Schema")) {
                hasSchema = true;
                place = Place::Schema;
            } else if (!hasData && isElement(reader, kNsRowset, "data")) {
                if (!hasSchema)
                    refuse("the data come before the schema");
                if (!rowType)
                    refuse("no row type in the schema");
                const std::vector<FileField> fields = fieldsOf(*rowType);
                const std::string* name = attribute(rowType->attributes, "", "name");
                rowName = name != nullptr ? *name : "row";
                for (const FileField& f : fields) {
                    byXmlName.emplace(f.xmlName, table.fields.size());
                    table.fields.push_back(f.info);
                }
                hasData = true;
                place = Place::Data;
            }
        } else if (parent == Place::Schema && isElement(reader, kNsSchema, "ElementType")) {
            XmlAttributes attributes = attributesOf(reader);
            const std::string* name = attribute(attributes, "", "name");
            const bool namedRow = name != nullptr && *name == "row";
            if (!rowType || (namedRow && !rowTypeNamedRow)) {
                rowType = SchemaRowType{std::move(attributes), {}};
                rowTypeNamedRow = namedRow;
                place = Place::RowType;
            }
        } else if (parent == Place::RowType && isElement(reader, kNsSchema, "AttributeType")) {
            if (rowType->fields.size() >= kMaxAttributesPerTag)
                refuse("more than " + std::to_string(kMaxAttributesPerTag) + " fields");
            rowType->fields.push_back({attributesOf(reader), std::nullopt});
            place = Place::Field;
        } else if (parent == Place::Field && isElement(reader, kNsSchema, "datatype")) {
            SchemaField& field = rowType->fields.back();
            if (!field.dataType)
                field.dataType = attributesOf(reader);
        } else if (parent == Place::Data && isElement(reader, kNsRow, rowName)) {
            // Attributes that name no field are left alone; a missing one is Null.
            const std::size_t first = table.cells.size();
            if (first + table.fields.size() > kMaxValues)
                refuse("more than " + std::to_string(kMaxValues) + " values");
            table.cells.resize(first + table.fields.size());
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                if (!a.namespaceUri().isEmpty())
                    continue;
                const auto it = byXmlName.find(a.name().toString().toStdString());
                if (it != byXmlName.end())
                    table.cells[first + it->second] =
                        readValue(table.fields[it->second], a.value().toString().toStdString());
            }
            ++table.rowCount;
        }
        open.push_back(place);
    }
    if (reader.hasError()) {
        throw DbError("not a rowset file: " + reader.errorString().toStdString() + " (line " +
                      std::to_string(reader.lineNumber()) + ", column " +
                      std::to_string(reader.columnNumber()) + ")");
    }
    if (!hasSchema || !hasData)
        refuse("schema or data missing");
    return table;
}

} // namespace

bool xmlCanHold(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        const unsigned char lead = byte(i);
        std::size_t length = 1;
        char32_t c = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
        } else if (lead >= 0x80) {
            return false; // a continuation byte, an overlong lead or no UTF-8 at all
        }
        if (length > text.size() - i)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        if ((length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || !isXmlChar(c))
            return false; // overlong, a surrogate, beyond U+10FFFF or no XML character
        i += length;
    }
    return true;
}

std::string writeRowsetXml(const RowsetTable& table)
{
    if (table.fields.size() > kMaxAttributesPerTag)
        throw RowsetTooLarge("more than " + std::to_string(kMaxAttributesPerTag) +
                             " fields, which a rowset file cannot hold");
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
            out += " rs:name='" + attributeText(f.name, "field name " + f.name) + "'";
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
    constexpr std::string_view kEnd = "</rs:data>\n</xml>\n";
    for (std::size_t r = 0; r < table.rowCount; ++r) {
        // The reader's bounds: a file it would refuse is never written.
        const std::string row = "row " + std::to_string(r + 1);
        if ((r + 1) * table.fields.size() > kMaxValues)
            throw RowsetTooLarge(row + ": more than " + std::to_string(kMaxValues) +
                                 " values, which a rowset file cannot hold");
        out += "\t<z:row";
        for (std::size_t i = 0; i < table.fields.size(); ++i) {
            const Value& v = table.cells[r * table.fields.size() + i];
            if (v.isNull())
                continue;
            out += " " + names[i] + "='" +
                   attributeText(valueText(table.fields[i], v),
                                 row + ", field " + table.fields[i].name) +
                   "'";
        }
        out += "/>\n";
        if (out.size() + kEnd.size() > kMaxRowsetFileBytes)
            throw RowsetTooLarge(row + ": more than " +
                                 std::to_string(kMaxRowsetFileBytes / (1024 * 1024)) +
                                 " MB, which a rowset file cannot hold");
    }
    out += kEnd;
    return out;
}

RowsetTable readRowsetXml(std::string_view xml)
{
    if (xml.size() > kMaxRowsetFileBytes)
        refuse("larger than " + std::to_string(kMaxRowsetFileBytes / (1024 * 1024)) + " MB");
    try {
        const QString text = decodeRowsetText(xml);
        refuseOutsizedMarkup(text);
        return parseRowset(text);
    } catch (const std::bad_alloc&) {
        throw DbError("not enough memory to read the rowset file");
    }
}

} // namespace tv
