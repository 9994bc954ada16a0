#include "core/forms/RecordsetGridModel.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "support/HeldDataFile.h"
#include "support/PlainSqlite.h"
#include "support/ReadOnlyFolder.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

// A local set of three waypoints: Name (text), Alt (feet, a number), Lat (a number).
class GridModel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rs.AppendField("Name", tv::FieldType::VarChar, 30, true);
        rs.AppendField("Alt", tv::FieldType::Double, 0, true);
        rs.AppendField("Lat", tv::FieldType::Double, 0, true);
        rs.Open();
        add("EDDH", 53.0, 53.38);
        add("EDHL", 53.0, 53.48);
        add("EDXW", 0.5, 54.55);
        rs.MoveFirst();
        tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
            messages.push_back(m);
            return tv::MsgResult::Ok;
        });
    }
    void TearDown() override { tv::setMsgBoxHook({}); }

    void add(const char* name, double alt, double lat)
    {
        rs.AddNew();
        rs.SetField("Name", tv::Value(name));
        rs.SetField("Alt", tv::Value(alt));
        rs.SetField("Lat", tv::Value(lat));
        rs.Update();
    }
    static QString text(const tv::RecordsetGridModel& m, int row, int column,
                        int role = Qt::DisplayRole)
    {
        return m.data(m.index(row, column), role).toString();
    }

    tv::Recordset rs;
    std::vector<tv::MsgRecord> messages;
};

std::vector<tv::GridColumn> columns()
{
    return {{"Name", "Name"}, {"Alt", "Alt"}, {"Lat", "Lat"}};
}

// Numbers with a decimal comma, as a German pilot reads them.
QString decimalComma(const tv::GridColumn&, const tv::Value& v)
{
    QString t = QString::fromStdString(v.toString());
    return v.isNumber() ? t.replace('.', ',') : t;
}

TEST_F(GridModel, FormatShapesDisplayAndEditTextAndFollowsAStoredCell)
{
    tv::RecordsetGridModel m(columns());
    m.setCellFormat(decimalComma);
    m.bind(&rs);
    ASSERT_EQ(m.rowCount(), 3);
    EXPECT_EQ(text(m, 0, 0), "EDDH") << "texts pass through";
    EXPECT_EQ(text(m, 0, 2), "53,38");
    EXPECT_EQ(text(m, 2, 1), "0,5");
    EXPECT_EQ(text(m, 2, 1, Qt::EditRole), "0,5") << "the editor opens on what is shown";

    m.setCellCheck([](int, const tv::GridColumn&, const QString& t) {
        tv::GridCellVerdict v;
        v.value = tv::Value(QString(t).replace(',', '.').toDouble());
        return v;
    });
    ASSERT_TRUE(m.setData(m.index(1, 1), "1500,5", Qt::EditRole));
    EXPECT_EQ(text(m, 1, 1), "1500,5");
    EXPECT_DOUBLE_EQ(rs.Field("Alt").toDouble(), 1500.5);
}

TEST_F(GridModel, AlignmentIsGivenOnlyWhereAColumnAsksForIt)
{
    std::vector<tv::GridColumn> c = columns();
    c[0].alignment = Qt::AlignLeft | Qt::AlignVCenter;
    c[1].alignment = Qt::AlignCenter;
    tv::RecordsetGridModel m(c);
    m.bind(&rs);
    const struct
    {
        int column;
        QVariant expected;
    } cases[] = {
        {0, QVariant(int(Qt::AlignLeft | Qt::AlignVCenter))},
        {1, QVariant(int(Qt::AlignCenter))},
        {2, QVariant()},
    };
    for (const auto& k : cases)
        EXPECT_EQ(m.data(m.index(1, k.column), Qt::TextAlignmentRole), k.expected)
            << "column " << k.column;
}

TEST_F(GridModel, CheckLearnsTheRowItJudgesAndARefusalStoresNothing)
{
    tv::RecordsetGridModel m(columns());
    m.bind(&rs);
    rs.MoveFirst();
    std::vector<int> checkedRows;
    // Refuses any altitude on the last row (say, a field whose elevation is fixed).
    m.setCellCheck([&](int row, const tv::GridColumn& c, const QString& t) {
        checkedRows.push_back(row);
        tv::GridCellVerdict v;
        if (row == 2 && c.field == "Alt") {
            v.message = "Fehler in der Dateneingabe";
            v.title = "Datenfehler";
        } else {
            v.value = tv::Value(t.toDouble());
        }
        return v;
    });
    EXPECT_FALSE(m.setData(m.index(2, 1), "900", Qt::EditRole));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Fehler in der Dateneingabe");
    EXPECT_EQ(messages[0].title, "Datenfehler");
    EXPECT_EQ(text(m, 2, 1), "0.5");
    EXPECT_EQ(m.currentRow(), 0) << "a refused cell leaves the set where it stood";

    EXPECT_TRUE(m.setData(m.index(1, 1), "900", Qt::EditRole));
    EXPECT_EQ(checkedRows, (std::vector<int>{2, 1}));
    EXPECT_EQ(m.currentRow(), 1);
}

TEST_F(GridModel, RereadChangesTheSameRowsInPlaceAndRebindsWhenRowsChange)
{
    tv::RecordsetGridModel m(columns());
    m.bind(&rs);
    int resets = 0;
    int changes = 0;
    QObject::connect(&m, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&m, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    m.addSelectedBookmark(m.bookmarkAt(2));

    // Values changed behind the grid (every leg computed again, say).
    rs.MoveFirst();
    rs.MoveNext();
    rs.SetField("Alt", tv::Value(120.0));
    rs.Update();
    rs.MoveFirst();
    m.reread();
    EXPECT_EQ(resets, 0) << "an editor closing on this grid must stay in place";
    EXPECT_GE(changes, 1);
    EXPECT_EQ(text(m, 1, 1), "120");
    EXPECT_EQ(m.currentRow(), 0);
    EXPECT_TRUE(m.isRowSelected(2));

    add("EDHI", 23.0, 53.32);
    rs.MoveFirst();
    m.reread();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(m.rowCount(), 4);
    EXPECT_EQ(text(m, 3, 0), "EDHI");
    EXPECT_EQ(m.currentRow(), 0);

    rs.Close();
    m.reread();
    EXPECT_EQ(m.rowCount(), 0) << "a closed set shows no rows";
}

// ---------------------------------------------------------------------------------------------
// The keyboard after a cell that was not stored: a real message box over a grid on a data file.

class GridKeyboard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tvtest::buildWithPlainSqlite(dir / "grid.tvd",
                                     "CREATE TABLE Points (Name TEXT);"
                                     "INSERT INTO Points VALUES ('EDDS'), ('EDMA'), ('EDPJ');");
        connection.Open((dir / "grid.tvd").string());
        rs.Open("SELECT * FROM Points", connection);
        // Refuses the text "bad", as the windows' checks refuse a latitude "abc".
        model.setCellCheck([](int, const tv::GridColumn&, const QString& t) {
            tv::GridCellVerdict v;
            if (t == "bad") {
                v.message = "Fehler in der Dateneingabe";
                v.title = "Datenfehler";
            } else {
                v.value = tv::Value(t.toStdString());
            }
            return v;
        });
        model.bind(&rs);
        grid.setModel(&model);
        grid.resize(300, 200);
        grid.show();
        grid.activateWindow();
        waitUntil([this] { return grid.isActiveWindow(); });
    }
    void TearDown() override { tv::Language = 0; }

    static void waitUntil(const std::function<bool()>& done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    // Types `text` into the cell's editor and confirms it with Enter, as the pilot does; the
    // message that follows is read and closed with its OK button. What the message said.
    QStringList typeAndConfirm(const QModelIndex& cell, const QString& text)
    {
        grid.setFocus();
        grid.setCurrentIndex(cell);
        grid.edit(cell);
        waitUntil([] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); });
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (!editor)
            return {"no cell editor"};
        editor->setText(text);
        QStringList said;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said << box->windowTitle() << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        closer.start(10);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(editor, &release);
        waitUntil([&] { return !said.isEmpty() && QApplication::focusWidget() != nullptr; });
        return said;
    }

    tvtest::TempDir dir;
    tv::Connection connection;
    tv::Recordset rs;
    tv::RecordsetGridModel model{std::vector<tv::GridColumn>{{"Name", "Name"}}};
    QTableView grid;
};

TEST_F(GridKeyboard, AfterACellThatWasNotStoredTheGridHasTheKeyboardOnThatCell)
{
    const QString file = QString::fromStdString((dir / "grid.tvd").string());
    const struct
    {
        const char* why;
        int16_t language;
        int underneath;      // 0 nothing, 1 a read-only folder, 2 another program holds the file
        QStringList message; // title, text
    } cases[] = {
        {"refused by the check", 0, 0, {"Datenfehler", "Fehler in der Dateneingabe"}},
        {"data file refuses the write",
         0,
         1,
         {"Datenfehler", "Die Änderung konnte nicht gespeichert werden.\n\nDie Datei " + file +
                             " oder ihr Ordner ist schreibgeschützt (keine Berechtigung)."}},
        {"data file held by another program, English",
         1,
         2,
         {"Data error", "The change could not be stored.\n\nThe file " + file +
                            " is locked by another program."}},
    };
    for (const auto& c : cases) {
        tv::Language = c.language;
        const QModelIndex cell = model.index(1, 0);
        QStringList said;
        {
            std::optional<tvtest::ReadOnlyFolder> readOnly;
            std::optional<tvtest::HeldDataFile> held;
            if (c.underneath == 1)
                readOnly.emplace(dir.path());
            if (c.underneath == 2)
                held.emplace(dir / "grid.tvd");
            said = typeAndConfirm(cell, c.underneath != 0 ? "EDMB" : "bad");
        }
        EXPECT_EQ(said, c.message) << c.why;
        EXPECT_EQ(QApplication::focusWidget(), &grid) << c.why;
        EXPECT_EQ(grid.currentIndex(), cell) << c.why;
        EXPECT_EQ(model.data(cell, Qt::DisplayRole).toString(), "EDMA") << c.why;

        // The keys go on working in the grid.
        if (QWidget* keyboard = QApplication::focusWidget()) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(keyboard, &down);
        }
        EXPECT_EQ(grid.currentIndex().row(), 2) << c.why;
    }
}

} // namespace
