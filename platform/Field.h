#pragma once

#include "platform/Value.h"

#include <string>
#include <string_view>

namespace tv {

// The field types of our data files and rowset files. The schema declares them with these
// SQLite types; rowset files carry the ADO type names given beside them.
enum class FieldType {
    Text,     // TEXT: text without length limit (ADO memo, "string" with rs:long)
    VarChar,  // VARCHAR(n): text of at most n characters (adVarChar, "string")
    Char,     // CHAR(n) in rowset files only: text padded with blanks to n characters (adChar)
    SmallInt, // SMALLINT: 16-bit integer, VB "Integer" (adSmallInt, "i2")
    Long,     // INTEGER: 32-bit integer, VB "Long"; also the autonumber (adInteger, "int")
    Single,   // REAL: single precision (adSingle, "r4")
    Double,   // DOUBLE: double precision (adDouble, "float")
    Boolean,  // BOOLEAN: stored 0/1, read as <> 0 (adBoolean, "boolean")
    DateTime, // DATETIME: text "YYYY-MM-DD HH:MM:SS" (adDate, "dateTime")
};

struct FieldInfo
{
    std::string name;
    FieldType type = FieldType::Text;
    int size = 0; // characters, for VarChar and Char; 0 for the other types
    bool nullable = true;
    bool autoIncrement = false; // INTEGER PRIMARY KEY: the database numbers new rows
    // The table column the value comes from ("" for an expression or an unconnected set).
    // Only fields with a base column are written back by Update.
    std::string baseColumn;
};

// The field type for an SQLite declared column type ("VARCHAR(30)", "INTEGER", "DOUBLE", ...),
// by SQLite's affinity rules where the name is none of ours. `size` receives the length in
// parentheses (0 without). Returns false when the declared type says nothing (empty).
bool fieldTypeFromDeclared(std::string_view declared, FieldType& type, int& size);

// `v` converted for storing in `field`, as an assignment to an ADO field converts it:
// numbers are rounded (halves to even) for integer fields and range-checked, Single is rounded
// to single precision, Char is padded with blanks. Throws DbError when the value does not fit
// (text longer than the field, a number out of range, text that is no number for a number).
Value valueForField(const FieldInfo& field, const Value& v);

// Number of characters (UTF-8 code points) of a text.
std::size_t characterCount(std::string_view utf8);

} // namespace tv
