#include "platform/RowsetXml.h"

#include "platform/DbError.h"
#include "platform/TextFold.h"
#include "platform/XmlTree.h"

#include <algorithm>
#include <charconv>
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

const XmlElement* child(const XmlElement& parent, std::string_view ns, std::string_view local)
{
    for (const auto& c : parent.children) {
        if (c->nsUri == ns && c->localName == local)
            return c.get();
    }
    return nullptr;
}

int parseCount(const std::string* text)
{
    if (text == nullptr)
        return -1;
    int n = 0;
    const auto [p, ec] = std::from_chars(text->data(), text->data() + text->size(), n);
    return ec == std::errc() && p == text->data() + text->size() ? n : -1;
}

struct FileField
{
    FieldInfo info;
    std::string xmlName;
    int number = 0;
};

FileField readField(const XmlElement& attributeType)
{
    FileField f;
    const std::string* name = attributeType.attribute("", "name");
    if (name == nullptr || name->empty())
        throw DbError("field without a name in the schema");
    f.xmlName = *name;
    const std::string* realName = attributeType.attribute(kNsRowset, "name");
    f.info.name = realName != nullptr && !realName->empty() ? *realName : *name;
    f.number = parseCount(attributeType.attribute(kNsRowset, "number"));
    f.info.autoIncrement = isTrue(attributeType.attribute(kNsRowset, "autoincrement"));

    // The type sits in <s:datatype>, or on the AttributeType itself.
    const XmlElement* dataType = child(attributeType, kNsSchema, "datatype");
    const XmlElement& typeHolder = dataType != nullptr ? *dataType : attributeType;
    const std::string* type = typeHolder.attribute(kNsDataType, "type");
    const std::string t = type != nullptr ? *type : "string";
    const int maxLength = parseCount(typeHolder.attribute(kNsDataType, "maxLength"));
    f.info.nullable = isTrue(attributeType.attribute(kNsRowset, "nullable")) ||
                      isTrue(typeHolder.attribute(kNsRowset, "maybenull"));

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
               !isTrue(typeHolder.attribute(kNsRowset, "long"))) {
        f.info.type = isTrue(typeHolder.attribute(kNsRowset, "fixedlength")) ? FieldType::Char
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
    std::string error;
    const auto root = parseXml(xml, error);
    if (!root)
        throw DbError("not a rowset file: " + error);
    const XmlElement* schema = child(*root, kNsSchema, "Schema");
    const XmlElement* data = child(*root, kNsRowset, "data");
    if (schema == nullptr || data == nullptr)
        throw DbError("not a rowset file: schema or data missing");
    const XmlElement* elementType = nullptr;
    for (const auto& c : schema->children) {
        if (c->nsUri != kNsSchema || c->localName != "ElementType")
            continue;
        const std::string* name = c->attribute("", "name");
        if (elementType == nullptr || (name != nullptr && *name == "row"))
            elementType = c.get();
    }
    if (elementType == nullptr)
        throw DbError("not a rowset file: no row type in the schema");
    const std::string* rowNameAttr = elementType->attribute("", "name");
    const std::string rowName = rowNameAttr != nullptr ? *rowNameAttr : "row";

    std::vector<FileField> fields;
    for (const auto& c : elementType->children) {
        if (c->nsUri == kNsSchema && c->localName == "AttributeType")
            fields.push_back(readField(*c));
    }
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
    for (const auto& row : data->children) {
        if (row->nsUri != kNsRow || row->localName != rowName)
            continue;
        // Attributes that name no field are left alone; a missing one is Null.
        const std::size_t first = table.cells.size();
        table.cells.resize(first + fields.size());
        for (const XmlAttribute& a : row->attributes) {
            const auto it = a.nsUri.empty() ? byXmlName.find(a.localName) : byXmlName.end();
            if (it != byXmlName.end())
                table.cells[first + it->second] = readValue(table.fields[it->second], a.value);
        }
        ++table.rowCount;
    }
    return table;
}

} // namespace tv
