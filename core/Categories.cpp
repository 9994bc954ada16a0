#include "core/Categories.h"

#include "core/NameLength.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <cstdint>

namespace tv {

// rowid breaks ties of Nummer, which only damaged data can have, so that a place in the list
// means the same row to the window and to the operations.
const char* const kCategoryListSql = "SELECT * FROM Kategorie ORDER BY Nummer ASC, rowid ASC";

namespace {

struct Keyed
{
    std::int64_t rowid = 0;
    std::string name;
};

std::vector<Keyed> keyedList(Connection& db)
{
    Recordset rs;
    rs.Open("SELECT rowid AS rid, Kategorie FROM Kategorie ORDER BY Nummer ASC, rowid ASC", db);
    std::vector<Keyed> rows;
    rows.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        rows.push_back(Keyed{rs.Field("rid").toInt(), rs.Field("Kategorie").toString()});
    return rows;
}

// Nummer 1..n in the current order.
void renumber(Connection& db)
{
    const std::vector<Keyed> rows = keyedList(db);
    for (std::size_t i = 0; i < rows.size(); ++i)
        db.Execute("UPDATE Kategorie SET Nummer = ? WHERE rowid = ?",
                   {static_cast<double>(i + 1), rows[i].rowid});
}

// Another row than `except` carries `name` (ignoring case, by the column's collation).
bool nameTaken(Connection& db, std::string_view name, std::int64_t except)
{
    Recordset rs;
    rs.Open("SELECT rowid FROM Kategorie WHERE Kategorie = ? AND rowid <> ?", db,
            {std::string(name), except});
    return rs.RecordCount() > 0;
}

// What is wrong with a new name before the list is looked at.
CategoryStatus nameFault(std::string_view name)
{
    if (name.empty())
        return CategoryStatus::EmptyName;
    if (!nameFits(name))
        return CategoryStatus::TooLong;
    return CategoryStatus::Done;
}

} // namespace

std::vector<CategoryRow> listCategories(Connection& db)
{
    Recordset rs;
    rs.Open(kCategoryListSql, db);
    std::vector<CategoryRow> rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows.push_back(
            CategoryRow{rs.Field("Kategorie").toString(), rs.Field("Nummer").toDouble()});
    return rows;
}

CategoryOutcome addCategory(Connection& db, std::string_view name, long selectedPosition)
{
    if (const CategoryStatus fault = nameFault(name); fault != CategoryStatus::Done)
        return {fault, 0};
    Connection::Transaction tx(db);
    if (nameTaken(db, name, -1))
        return {CategoryStatus::Duplicate, 0};
    // Numbers 1..n first, so that "below the selected row" holds even for damaged numbers.
    renumber(db);
    const long count = static_cast<long>(keyedList(db).size());
    const long below =
        (selectedPosition < 1 || selectedPosition > count) ? count : selectedPosition;
    // Between the selected row and the next until the renumbering.
    const double number = count == 0 ? 1.0 : static_cast<double>(below) + 0.3;
    db.Execute("INSERT INTO Kategorie (Kategorie, Nummer) VALUES (?, ?)",
               {std::string(name), number});
    renumber(db);
    tx.commit();
    return {CategoryStatus::Done, count == 0 ? 1 : below + 1};
}

CategoryOutcome renameCategory(Connection& db, long position, std::string_view newName)
{
    Connection::Transaction tx(db);
    const std::vector<Keyed> rows = keyedList(db);
    if (position < 1 || position > static_cast<long>(rows.size()))
        return {CategoryStatus::NoRow, 0};
    if (const CategoryStatus fault = nameFault(newName); fault != CategoryStatus::Done)
        return {fault, 0};
    const Keyed& row = rows[static_cast<std::size_t>(position - 1)];
    if (nameTaken(db, newName, row.rowid))
        return {CategoryStatus::Duplicate, 0};
    db.Execute("UPDATE Waypoints SET Kategorie = ? WHERE Kategorie = ?",
               {std::string(newName), row.name});
    db.Execute("UPDATE Kategorie SET Kategorie = ? WHERE rowid = ?",
               {std::string(newName), row.rowid});
    tx.commit();
    return {CategoryStatus::Done, position};
}

CategoryOutcome deleteCategory(Connection& db, long position)
{
    Connection::Transaction tx(db);
    const std::vector<Keyed> rows = keyedList(db);
    if (position < 1 || position > static_cast<long>(rows.size()))
        return {CategoryStatus::NoRow, 0};
    const Keyed& row = rows[static_cast<std::size_t>(position - 1)];
    // A second row of the same name (only older data can have one) keeps its waypoints.
    if (!nameTaken(db, row.name, row.rowid))
        db.Execute("UPDATE Waypoints SET Kategorie = '' WHERE Kategorie = ?", {row.name});
    db.Execute("DELETE FROM Kategorie WHERE rowid = ?", {row.rowid});
    renumber(db);
    tx.commit();
    const long remaining = static_cast<long>(rows.size()) - 1;
    return {CategoryStatus::Done, position <= remaining ? position : remaining};
}

} // namespace tv
