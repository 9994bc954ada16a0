#pragma once

#include "platform/Field.h"
#include "platform/Value.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// The rows of a persisted recordset: fields, then fields.size() values per row, row by row.
struct RowsetTable
{
    std::vector<FieldInfo> fields;
    std::vector<Value> cells;
    std::size_t rowCount = 0;
};

// The ADO XML rowset format (persist format 1) that position.crm, route files (.tvr) and
// flight plan files use:
//
//   <xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'
//        xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'
//        xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>
//   <s:Schema id='RowsetSchema'>
//     <s:ElementType name='row' content='eltOnly'>
//       <s:AttributeType name='Karte' rs:number='1' rs:writeunknown='true'>
//         <s:datatype dt:type='string' dt:maxLength='30' rs:fixedlength='true'/>
//       </s:AttributeType> ... one per field, rs:number counting from 1
//       <s:extends type='rs:rowbase'/>
//     </s:ElementType>
//   </s:Schema>
//   <rs:data>
//     <z:row Karte='demo.bmp' SX='12.5' CenterMap='True'/> ... one per row
//   </rs:data>
//   </xml>
//
// Types (dt:type): string (VarChar with dt:maxLength, Char with rs:fixedlength, Text with
// rs:long), i2 (SmallInt), int (Long), r4 (Single), float (Double), boolean (values "True" and
// "False"), dateTime ("2024-05-01T10:30:00"; held as "2024-05-01 10:30:00").
// A Null value is an omitted attribute. Doubles are written with "." and as many digits as
// reading them back exactly needs.
// Field names: a name that is a plain XML name of ASCII letters, digits, "_", "-" and "." is
// written as it is; any other (blanks, umlauts, ...) is written as name='c<field number from
// 0>' with the real name in rs:name='...', as ADO does, and read back from rs:name.
// The reader (Qt's QXmlStreamReader beneath) matches the namespaces by URI, so files with other
// prefixes load too; it takes any encoding that the file declares, refuses document type
// declarations (no entities from the file) and turns every malformed file into a DbError.
// Files come from outside, so the reader holds them to bounds near what the format needs, all
// counted on the decoded text: kMaxRowsetFileBytes, a few dozen attributes per tag and fields
// per row, a nesting a few levels deeper than the format's, a million values in all. The schema
// comes before the data, as every writer of the format puts it.

// Far larger than any rowset the program writes (a route of a few hundred points is some
// 30 KB); a larger file is refused unread.
inline constexpr std::size_t kMaxRowsetFileBytes = 8 * 1024 * 1024;

// Whether `text` is UTF-8 of characters that XML 1.0 can hold (no control characters but tab,
// line feed and carriage return; no U+FFFE, U+FFFF or surrogates).
bool xmlCanHold(std::string_view text);

// Throws DbError when a field name or text value fails xmlCanHold: the reader would refuse the
// file.
std::string writeRowsetXml(const RowsetTable& table);

// Throws DbError with the reason when `xml` is no readable rowset (also when reading it would
// need more memory than there is).
RowsetTable readRowsetXml(std::string_view xml);

} // namespace tv
