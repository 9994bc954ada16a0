#include "DbFixture.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "platform/RowsetXml.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <limits>
#include <random>
#include <sys/resource.h>

using tv::CompareOp;
using tv::DbError;
using tv::FieldType;
using tv::Recordset;
using tv::Value;
using tvtest::TempDir;

namespace {

// The view memory of the flight window: the fields of position.crm.
Recordset emptyViewMemory()
{
    Recordset rs;
    rs.AppendField("Karte", FieldType::Char, 30);
    for (const char* f : {"SX", "SY", "SW", "SH", "SlideMap"})
        rs.AppendField(f, FieldType::Double, 0, true);
    rs.AppendField("CenterMap", FieldType::Boolean, 0, true);
    rs.Open();
    return rs;
}

void addView(Recordset& rs, const std::string& chart, double sx, const Value& slide, bool center)
{
    rs.AddNew();
    rs.SetField("Karte", chart);
    rs.SetField("SX", sx);
    rs.SetField("SY", 0.1 + 0.2);
    rs.SetField("SW", 1.0 / 3.0);
    rs.SetField("SH", 1e-300);
    rs.SetField("SlideMap", slide);
    rs.SetField("CenterMap", center);
    rs.Update();
}

// Makes every write of more than `bytes` bytes fail for the life of the guard.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

TEST(RowsetFileRoundTrip, ViewMemoryComesBackExactly)
{
    TempDir dir;
    Recordset rs = emptyViewMemory();
    addView(rs, "demo.bmp", 120.75, -100, true);
    addView(rs, "Zürich & <Süd> 'neu' \"2\".jpg", 48.30125, Value(), false);
    rs.AddNew();
    rs.SetField("Karte", "leer.bmp"); // every other field Null
    rs.Update();
    rs.Save(dir / "position.crm");

    Recordset back;
    back.OpenFile(dir / "position.crm");
    ASSERT_EQ(back.RecordCount(), 3);
    ASSERT_EQ(back.FieldCount(), 7);
    EXPECT_EQ(back.FieldAt(0).type, FieldType::Char);
    EXPECT_EQ(back.FieldAt(0).size, 30);
    EXPECT_FALSE(back.FieldAt(0).nullable);
    EXPECT_EQ(back.FieldAt(1).type, FieldType::Double);
    EXPECT_TRUE(back.FieldAt(1).nullable);
    EXPECT_EQ(back.FieldAt(6).type, FieldType::Boolean);

    EXPECT_EQ(back.Field("Karte").toString(), "demo.bmp" + std::string(22, ' '));
    EXPECT_EQ(back.Field("SX").toDouble(), 120.75);
    EXPECT_EQ(back.Field("SY").toDouble(), 0.1 + 0.2);
    EXPECT_EQ(back.Field("SW").toDouble(), 1.0 / 3.0);
    EXPECT_EQ(back.Field("SH").toDouble(), 1e-300);
    EXPECT_EQ(back.Field("SlideMap").toInt(), -100);
    EXPECT_TRUE(back.Field("CenterMap").toBool());

    back.MoveNext();
    EXPECT_EQ(back.Field("Karte").toString(), "Zürich & <Süd> 'neu' \"2\".jpg  ");
    EXPECT_EQ(back.Field("SX").toDouble(), 48.30125);
    EXPECT_TRUE(back.Field("SlideMap").isNull());
    EXPECT_FALSE(back.Field("CenterMap").toBool());
    EXPECT_FALSE(back.Field("CenterMap").isNull());

    back.MoveNext();
    for (int f = 1; f < 7; ++f)
        EXPECT_TRUE(back.Field(f).isNull()) << back.FieldAt(f).name;

    back.MoveFirst();
    back.Find("Karte", CompareOp::Equal, "zürich & <süd> 'neu' \"2\".jpg");
    EXPECT_EQ(back.AbsolutePosition(), 2);
}

TEST(RowsetFileRoundTrip, FileHasTheRowsetLayout)
{
    TempDir dir;
    Recordset rs = emptyViewMemory();
    addView(rs, "O'Brien & Söhne.bmp", 1.5, Value(), true);
    rs.Save(dir / "position.crm");
    const std::string xml = tvtest::readFile(dir / "position.crm");
    for (const char* part :
         {"xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'",
          "xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'",
          "xmlns:rs='urn:schemas-microsoft-com:rowset'", "xmlns:z='#RowsetSchema'",
          "<s:Schema id='RowsetSchema'>", "<s:ElementType name='row' content='eltOnly'",
          "<s:AttributeType name='Karte' rs:number='1'",
          "dt:type='string' dt:maxLength='30' rs:fixedlength='true'",
          "<s:AttributeType name='SX' rs:number='2' rs:nullable='true'", "dt:type='float'",
          "dt:type='boolean'", "<s:extends type='rs:rowbase'/>", "<rs:data>",
          "<z:row Karte='O&apos;Brien &amp; Söhne.bmp", "CenterMap='True'/>"}) {
        EXPECT_NE(xml.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(xml.find("SlideMap='"), std::string::npos); // Null: no attribute
}

TEST(RowsetFileRoundTrip, EveryFieldTypeAndOddFieldNamesSurvive)
{
    tv::RowsetTable t;
    const auto field = [&t](const char* name, FieldType type, int size = 0) {
        tv::FieldInfo f;
        f.name = name;
        f.type = type;
        f.size = size;
        t.fields.push_back(f);
    };
    field("Id", FieldType::VarChar, 10);
    field("Nr", FieldType::Long);
    field("Windstärke", FieldType::Double);
    field("Zeit Display", FieldType::VarChar, 10);
    field("c1", FieldType::SmallInt);
    field("c3", FieldType::Single); // taken, so "Zeit Display" (field 3) needs another name
    field("Datum", FieldType::DateTime);
    field("Notiz", FieldType::Text);
    field("xmlFlag", FieldType::Boolean);
    t.cells = {"a'b",  2147483647, -0.000123456789012345, "01:05\n2",
               -32768, 0.5,        "2024-05-01 10:30:00", "Zeile 1\r\nZeile 2\tTab & \"mehr\"",
               0};
    t.rowCount = 1;

    const tv::RowsetTable back = tv::readRowsetXml(tv::writeRowsetXml(t));
    ASSERT_EQ(back.fields.size(), t.fields.size());
    ASSERT_EQ(back.rowCount, 1u);
    for (std::size_t i = 0; i < t.fields.size(); ++i) {
        EXPECT_EQ(back.fields[i].name, t.fields[i].name);
        EXPECT_EQ(back.fields[i].type, t.fields[i].type) << t.fields[i].name;
        EXPECT_EQ(back.fields[i].size, t.fields[i].size) << t.fields[i].name;
        EXPECT_EQ(back.cells[i], t.cells[i]) << t.fields[i].name;
    }
}

TEST(RowsetFileRoundTrip, RoutePointsOfTheDataFileKeepTheirOrder)
{
    TempDir dir;
    tvtest::makeDatabase(dir / "data.tvd", R"(
        CREATE TABLE GpsPoints (id INTEGER PRIMARY KEY AUTOINCREMENT, RouteID INTEGER,
            Nummer DOUBLE, PointID INTEGER, Name VARCHAR(255) COLLATE TVNOCASE, Lat DOUBLE,
            Long DOUBLE);
        INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) VALUES
            (7, 2, 11, 'Überlingen', 47.46, 9.1), (7, 1, 12, 'EDNY', 47.4018, 9.3042),
            (8, 1, 13, 'other route', 0, 0), (7, 3, 14, NULL, -33.5512, -70.4705);)");
    tv::Connection db;
    db.Open((dir / "data.tvd").string());
    Recordset points;
    points.Open("SELECT * From GpsPoints WHERE RouteID = ? ORDER BY Nummer ASC", db, {7});
    std::filesystem::create_directory(dir / "Route");
    points.Save(dir / "Route" / "Bodensee.tvr");

    Recordset file;
    file.OpenFile(dir / "Route" / "Bodensee.tvr");
    ASSERT_EQ(file.RecordCount(), 3);
    EXPECT_EQ(file.FieldAt(0).name, "id");
    EXPECT_EQ(file.FieldAt(0).type, FieldType::Long);
    EXPECT_TRUE(file.FieldAt(0).autoIncrement);
    EXPECT_EQ(file.FieldAt(4).type, FieldType::VarChar);
    EXPECT_EQ(file.FieldAt(4).size, 255);
    EXPECT_EQ(file.Field("Name").toString(), "EDNY");
    EXPECT_EQ(file.Field("Lat").toDouble(), 47.4018);
    file.MoveNext();
    EXPECT_EQ(file.Field("name").toString(), "Überlingen");
    file.MoveNext();
    EXPECT_TRUE(file.Field("Name").isNull());
    EXPECT_EQ(file.Field("Long").toDouble(), -70.4705);
}

TEST(RowsetFileReading, OtherPrefixesAndReferencesAreUnderstood)
{
    const std::string xml = R"(<?xml version="1.0" encoding="utf-8"?>
<!-- written by another program -->
<root xmlns:a="uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882"
      xmlns:b="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"
      xmlns="urn:schemas-microsoft-com:rowset">
  <a:Schema id="RowsetSchema">
    <a:ElementType name="row" content="eltOnly">
      <a:AttributeType name="c0" name="x" xmlns:q="urn:schemas-microsoft-com:rowset"
          q:name="Name des Punkts" q:number="2">
        <a:datatype b:type="string" b:maxLength="20"/>
      </a:AttributeType>
      <a:AttributeType name="Hoehe" xmlns:q="urn:schemas-microsoft-com:rowset" q:number="1"
          b:type="i2" xmlns:b="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"/>
    </a:ElementType>
  </a:Schema>
  <data>
    <row xmlns="#RowsetSchema" c0="M&#252;nchen &amp; &#xC4;&#x308;&lt;" Hoehe="-12"/>
    <r:row xmlns:r="#RowsetSchema" c0='It&apos;s "quoted"'/>
    <other c0="not a row"/>
  </data>
</root>)";
    // The AttributeType above names "name" twice; fix that and read the file.
    std::string fixed = xml;
    fixed.erase(fixed.find(R"( name="x")"), 9);
    const tv::RowsetTable t = tv::readRowsetXml(fixed);
    ASSERT_EQ(t.fields.size(), 2u);
    EXPECT_EQ(t.fields[0].name, "Hoehe"); // rs:number decides the order
    EXPECT_EQ(t.fields[0].type, FieldType::SmallInt);
    EXPECT_EQ(t.fields[1].name, "Name des Punkts");
    EXPECT_EQ(t.fields[1].type, FieldType::VarChar);
    ASSERT_EQ(t.rowCount, 2u);
    EXPECT_EQ(t.cells[0], Value(-12));
    EXPECT_EQ(t.cells[1], Value("München & Ä\xCC\x88<"));
    EXPECT_TRUE(t.cells[2].isNull());
    EXPECT_EQ(t.cells[3], Value("It's \"quoted\""));

    EXPECT_THROW(tv::readRowsetXml(xml), DbError); // the attribute given twice
}

TEST(RowsetFileReading, MalformedFilesFailCleanly)
{
    const std::string good = tv::writeRowsetXml([] {
        tv::RowsetTable t;
        tv::FieldInfo f;
        f.name = "Name";
        f.type = FieldType::VarChar;
        f.size = 10;
        t.fields.push_back(f);
        t.cells = {"a"};
        t.rowCount = 1;
        return t;
    }());
    ASSERT_NO_THROW(tv::readRowsetXml(good));

    std::vector<std::string> bad = {
        "",
        "   ",
        "not xml at all",
        std::string("\0\1\2\xFF\xFE", 5),
        good.substr(0, good.size() / 2),
        good.substr(0, good.find("</rs:data>")),
        good + "<extra/>",
        "<xml><s:Schema/></xml>", // undeclared prefix
        "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'><s:Schema/></xml>",
        "<!DOCTYPE xml [<!ENTITY e 'x'>]><xml/>",
        "<a><b></a></b>",
        "<a x='1' x='2'/>",
        "<a x=1/>",
        "<a x='<'/>",
        "<a x='&unknown;'/>",
        "<a x='&#0;'/>",
        "<a x='&#xD800;'/>",
        "<a x='&#99999999999;'/>",
        "<a x='&amp'/>",
        "<a:b/>",
        "<:a/>",
        "<a",
        "<a/><!-- unterminated",
    };
    // The same file with the schema namespace of another URI: prefixes alone mean nothing.
    std::string otherUri = good;
    otherUri.replace(otherUri.find("uuid:BDC6E3F0"), 13, "uuid:00000000");
    bad.push_back(otherUri);
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    bad.push_back(deep);

    std::string many = "<a";
    for (int i = 0; i < 100000; ++i)
        many += " x" + std::to_string(i) + "='1'";
    bad.push_back(many + " x0='2'/>"); // the same attribute again, after 100,000 others

    for (const std::string& text : bad)
        EXPECT_THROW(tv::readRowsetXml(text), DbError) << text.substr(0, 80);
}

TEST(RowsetFileReading, DamagedFilesLoadOrFailButNeverCrash)
{
    Recordset rs = emptyViewMemory();
    addView(rs, "Zürich & <Süd>.jpg", 48.30125, -3, true);
    addView(rs, "demo.bmp", 1, Value(), false);
    TempDir dir;
    rs.Save(dir / "position.crm");
    const std::string good = tvtest::readFile(dir / "position.crm");

    std::mt19937 rng(1234);
    const std::string alphabet = "<>/='\"&;#x:zrs \n\xC3\xBC";
    int failed = 0;
    const std::size_t markupEnd = good.rfind('>') + 1; // a newline may follow
    for (std::size_t cut = 0; cut < markupEnd; ++cut) {
        try {
            tv::readRowsetXml(good.substr(0, cut));
        } catch (const DbError&) {
            ++failed;
        }
    }
    EXPECT_EQ(failed, static_cast<int>(markupEnd)); // every truncation is noticed
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = good;
        for (int k = 0; k < 3; ++k) {
            const std::size_t at = rng() % damaged.size();
            damaged[at] = alphabet[rng() % alphabet.size()];
        }
        try {
            const tv::RowsetTable t = tv::readRowsetXml(damaged);
            EXPECT_EQ(t.cells.size(), t.rowCount * t.fields.size());
        } catch (const DbError&) {
        }
    }
}

TEST(RowsetFileReading, UnreadableFileLeavesTheRecordsetClosed)
{
    TempDir dir;
    Recordset rs = emptyViewMemory();
    EXPECT_THROW(rs.OpenFile(dir / "position.crm"), DbError);
    EXPECT_EQ(rs.State(), Recordset::kStateClosed);
    tvtest::writeFile(dir / "position.crm", "<xml>");
    EXPECT_THROW(rs.OpenFile(dir / "position.crm"), DbError);
    EXPECT_EQ(rs.State(), Recordset::kStateClosed);
}

TEST(RowsetFileSaving, FailedSaveKeepsTheOldFile)
{
    TempDir dir;
    const auto file = dir / "position.crm";
    Recordset rs = emptyViewMemory();
    addView(rs, "demo.bmp", 1, 2, true);
    rs.Save(file);
    const std::string before = tvtest::readFile(file);

    for (int i = 0; i < 20; ++i)
        addView(rs, "chart" + std::to_string(i) + ".bmp", i, i, false);
    {
        FileSizeLimit limit(before.size() / 2);
        EXPECT_THROW(rs.Save(file), DbError);
    }
    EXPECT_EQ(tvtest::readFile(file), before);
    EXPECT_THROW(rs.Save(dir / "no such folder" / "position.crm"), DbError);

    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1); // no temporary file left behind
}

TEST(RowsetFileSaving, OnlyTheVisibleRowsAreSavedInTheirOrder)
{
    TempDir dir;
    Recordset rs = emptyViewMemory();
    addView(rs, "b.bmp", 1, 0, true);
    addView(rs, "c.bmp", 2, 0, false);
    addView(rs, "a.bmp", 3, 0, true);
    rs.Filter("CenterMap", CompareOp::Equal, true);
    rs.Sort("Karte");
    rs.Save(dir / "position.crm");
    Recordset back;
    back.OpenFile(dir / "position.crm");
    ASSERT_EQ(back.RecordCount(), 2);
    EXPECT_EQ(back.Field("SX").toInt(), 3);
}

TEST(RowsetFileReading, DeclaredEncodingsAreHonoured)
{
    // A route file as another program may write it: Latin-1 or UTF-16, a comment with quotes
    // and "=" in it before the rows.
    const std::string body = R"(<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'
    xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'
    xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>
<s:Schema id='RowsetSchema'><s:ElementType name='row' content='eltOnly'>
<s:AttributeType name='Name' rs:number='1'><s:datatype dt:type='string' dt:maxLength='20'/>
</s:AttributeType></s:ElementType></s:Schema>
<!-- Bob's "export" = route 'Süd' -->
<rs:data><z:row Name='NAME'/></rs:data></xml>)";
    const auto replaced = [&body](const std::string& name) {
        std::string text = body;
        text.replace(text.find("NAME"), 4, name);
        return text;
    };

    const tv::RowsetTable latin1 =
        tv::readRowsetXml("<?xml version='1.0' encoding='ISO-8859-1'?>\n" + replaced("M\xFC"
                                                                                     "nchen \xC4"));
    ASSERT_EQ(latin1.rowCount, 1u);
    EXPECT_EQ(latin1.cells[0], Value("München Ä"));

    const std::string utf8 = replaced("Überlingen");
    std::string utf16 = "\xFF\xFE"; // byte order mark, little endian
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        char16_t unit = c;
        if (c >= 0xC0) { // the two-byte sequences of "Ü" and "ü"
            unit = static_cast<char16_t>(((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F));
            ++i;
        }
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    const tv::RowsetTable wide = tv::readRowsetXml(utf16);
    ASSERT_EQ(wide.rowCount, 1u);
    EXPECT_EQ(wide.cells[0], Value("Überlingen"));

    // Bytes that are no UTF-8 in a file that declares none are an error, not a guess.
    EXPECT_THROW(tv::readRowsetXml(replaced("M\xFCnchen")), DbError);
}

namespace {

// A rowset with one text field "Name" whose rows are `rows`, as UTF-16 code units.
std::u16string rowsetText(const std::u16string& rows, const std::u16string& schemaFields = {})
{
    return u"<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'"
           u" xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'"
           u" xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>"
           u"<s:Schema id='RowsetSchema'><s:ElementType name='row' content='eltOnly'>"
           u"<s:AttributeType name='Name'><s:datatype dt:type='string' dt:maxLength='50'/>"
           u"</s:AttributeType>" +
           schemaFields + u"</s:ElementType></s:Schema><rs:data>" + rows + u"</rs:data></xml>";
}

std::u16string widened(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// The text as bytes: ASCII only for 8-bit encodings, UTF-16 with or without a byte order mark.
enum class Bytes { Ascii, Utf16LeWithMark, Utf16BeWithoutMark };
std::string encoded(const std::u16string& text, Bytes bytes)
{
    std::string out;
    if (bytes == Bytes::Utf16LeWithMark)
        out = "\xFF\xFE";
    for (const char16_t c : text) {
        const char low = static_cast<char>(c & 0xFF);
        const char high = static_cast<char>(c >> 8);
        if (bytes == Bytes::Ascii)
            out += low;
        else if (bytes == Bytes::Utf16LeWithMark)
            out += std::string{low, high};
        else
            out += std::string{high, low};
    }
    return out;
}

// `count` attributes " a0='1' a1='1' ..." of one tag.
std::u16string manyAttributes(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += " a" + std::to_string(i) + "='1'";
    return widened(out);
}

} // namespace

TEST(RowsetFileBounds, HostileFilesAreRefusedByTheBoundTheyBreak)
{
    // U+2227 is the bytes 27 22 in UTF-16LE: a quote and a double quote to a byte counter.
    const std::u16string crowdedRow =
        u"<z:row Name='\u2227 und \u2227\u2227'" + manyAttributes(100000) + u"/>";
    std::u16string deep;
    for (int i = 0; i < 1000000; ++i)
        deep += u"<a>";
    std::u16string emptyRows;
    for (int i = 0; i < 1000001; ++i)
        emptyRows += u"<z:row/>";
    std::u16string fields;
    for (int i = 0; i < 64; ++i)
        fields += widened("<s:AttributeType name='F" + std::to_string(i) + "'/>");

    struct Case
    {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"UTF-16LE, 100,000 attributes after U+2227",
         encoded(rowsetText(crowdedRow), Bytes::Utf16LeWithMark), "attributes in a tag"},
        {"UTF-16BE without a mark, the same",
         encoded(rowsetText(crowdedRow), Bytes::Utf16BeWithoutMark), "attributes in a tag"},
        {"UTF-8, 100,000 attributes",
         encoded(rowsetText(u"<z:row" + manyAttributes(100000) + u"/>"), Bytes::Ascii),
         "attributes in a tag"},
        {"Latin-1 declared, 100,000 attributes",
         "<?xml version='1.0' encoding='ISO-8859-1'?>" +
             encoded(rowsetText(u"<z:row" + manyAttributes(100000) + u"/>"), Bytes::Ascii),
         "attributes in a tag"},
        {"1,000,000 elements deep", encoded(u"<xml>" + deep, Bytes::Ascii), "nested"},
        {"1,000,000 elements deep in UTF-16", encoded(u"<xml>" + deep, Bytes::Utf16LeWithMark),
         "nested"},
        {"larger than a rowset may be",
         encoded(rowsetText(u""), Bytes::Ascii) + std::string(tv::kMaxRowsetFileBytes, ' '),
         "larger than"},
        {"a field more than a row may carry", encoded(rowsetText(u"", fields), Bytes::Ascii),
         "fields"},
        {"a million empty rows", encoded(rowsetText(emptyRows), Bytes::Ascii), "values"},
        {"rows before the schema",
         "<xml xmlns:rs='urn:schemas-microsoft-com:rowset'><rs:data/></xml>", "before the schema"},
        {"a declaration outside a document type",
         encoded(u"<xml><!ENTITY a 'b'>" + rowsetText(u""), Bytes::Ascii), "declaration"},
        {"an encoding nobody knows", "<?xml version='1.0' encoding='x-unknown-7'?><xml/>",
         "not supported"},
    };
    for (const Case& c : cases) {
        try {
            tv::readRowsetXml(c.bytes);
            ADD_FAILURE() << c.what << ": read";
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos)
                << c.what << ": " << e.what();
        }
    }

    // Just within every bound, the same file reads.
    fields.resize(fields.size() - std::u16string(u"<s:AttributeType name='F63'/>").size());
    std::u16string fullRow = u"<z:row Name='\u2227'";
    for (int i = 0; i < 63; ++i)
        fullRow += widened(" F" + std::to_string(i) + "='" + std::to_string(i) + "'");
    fullRow += u"/>";
    const tv::RowsetTable t =
        tv::readRowsetXml(encoded(rowsetText(fullRow + fullRow, fields), Bytes::Utf16LeWithMark));
    ASSERT_EQ(t.fields.size(), 64u);
    ASSERT_EQ(t.rowCount, 2u);
    EXPECT_EQ(t.cells[0], Value("\xE2\x88\xA7"));
    EXPECT_EQ(t.cells[127].toString(), "62");
}

TEST(RowsetFileSaving, TextThatXmlCannotHoldIsRefusedInsteadOfWritten)
{
    const auto table = [](const std::string& text) {
        tv::RowsetTable t;
        tv::FieldInfo f;
        f.name = "Name";
        f.type = FieldType::VarChar;
        f.size = 50;
        t.fields.push_back(f);
        t.cells = {text};
        t.rowCount = 1;
        return t;
    };
    const std::vector<std::pair<const char*, std::string>> refused = {
        {"control character", "A\x01"
                              "B"},
        {"NUL", std::string("A\0B", 3)},
        {"escape", "\x1B[0m"},
        {"Latin-1 byte", "M\xFCnchen"},
        {"U+FFFF", "\xEF\xBF\xBF"},
        {"U+FFFE", "\xEF\xBF\xBE"},
        {"surrogate", "\xED\xA0\x80"},
        {"overlong slash", "\xC0\xAF"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
        {"cut sequence", "Flugplatz \xE2\x82"},
    };
    for (const auto& [what, text] : refused) {
        EXPECT_FALSE(tv::xmlCanHold(text)) << what;
        EXPECT_THROW(tv::writeRowsetXml(table(text)), DbError) << what;
    }
    const std::vector<std::pair<const char*, std::string>> kept = {
        {"tab, line feed, carriage return", "a\tb\nc\rd\r\n"},
        {"astral plane", "\xF0\x9F\x9B\xA9 \xF0\x9D\x94\x84"},
        {"replacement character", "\xEF\xBF\xBD"},
        {"next line U+0085", "\xC2\x85"},
        {"last character", "\xF4\x8F\xBF\xBD"},
    };
    for (const auto& [what, text] : kept) {
        EXPECT_TRUE(tv::xmlCanHold(text)) << what;
        EXPECT_EQ(tv::readRowsetXml(tv::writeRowsetXml(table(text))).cells.at(0), Value(text))
            << what;
    }
}

TEST(RowsetFileSaving, ATableTheReaderWouldRefuseAsTooLargeIsNotWritten)
{
    TempDir dir;
    const auto file = dir / "Alpen.tvr";
    Recordset rs;
    rs.AppendField("Notes", FieldType::Text, 0, true);
    rs.Open();
    rs.AddNew();
    rs.SetField("Notes", std::string("x"));
    rs.Update();
    rs.Save(file);
    const std::string old = tvtest::readFile(file);
    // A value as long as the file may still grow fills it to the last byte; one more byte in it
    // is one too many.
    const std::size_t fits = tv::kMaxRowsetFileBytes - old.size() + 1;
    for (const std::size_t extra : {std::size_t{1}, std::size_t{200}}) {
        rs.SetField("Notes", std::string(fits + extra, 'x'));
        rs.Update();
        try {
            rs.Save(file);
            ADD_FAILURE() << "a value " << extra << " bytes too long was written";
        } catch (const DbError& e) {
            EXPECT_STREQ(e.what(), "row 1: more than 8 MB, which a rowset file cannot hold");
        }
        EXPECT_EQ(tvtest::readFile(file), old);
    }
    rs.SetField("Notes", std::string(fits, 'x'));
    rs.Update();
    rs.Save(file);
    EXPECT_EQ(std::filesystem::file_size(file), tv::kMaxRowsetFileBytes);
    Recordset back;
    back.OpenFile(file);
    EXPECT_EQ(back.Field("Notes").toString().size(), fits);
}
