#include "planning/frmManager.h"

#include "core/Categories.h"
#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "planning/CategoryAssign.h"
#include "platform/Connection.h"
#include "platform/DbError.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_map>

namespace tv {

frmManager::frmManager()
{
    setObjectName(QStringLiteral("frmManager"));
    setWindowTitle(QStringLiteral("Wegpunkt Manager"));
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    listWegpunkt = new QListWidget(this);
    listWegpunkt->setObjectName(QStringLiteral("listWegpunkt"));
    listWegpunkt->setSelectionMode(QAbstractItemView::MultiSelection);
    listKategorie = new QListWidget(this);
    listKategorie->setObjectName(QStringLiteral("listKategorie"));
    Frame1 = new QGroupBox(this);
    Label1 = new QLabel(Frame1);
    cmbKategorie = new QComboBox(Frame1);
    cmbKategorie->setObjectName(QStringLiteral("cmbKategorie"));
    cmdZuweisen = new QPushButton(Frame1);
    cmdZuweisen->setObjectName(QStringLiteral("cmdZuweisen"));
    cmdZuweisen->setMinimumSize(150, 80);
    cmdEnd = new QPushButton(QStringLiteral("OK"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    cmdEnd->setMinimumHeight(28);

    // The places of the design (lists 200 and 120 wide, the frame 168), grown where a caption
    // of either language needs more.
    auto* assign = new QVBoxLayout(Frame1);
    assign->addWidget(Label1);
    assign->addWidget(cmbKategorie);
    assign->addSpacing(6);
    assign->addWidget(cmdZuweisen);
    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(8);
    lists->addWidget(Label2, 0, 0);
    lists->addWidget(listWegpunkt, 1, 0);
    lists->addWidget(Label3, 0, 1);
    lists->addWidget(listKategorie, 1, 1);
    lists->setColumnMinimumWidth(0, 200);
    lists->setColumnMinimumWidth(1, 120);
    lists->setColumnStretch(0, 5);
    lists->setColumnStretch(1, 3);
    lists->setRowStretch(1, 1);
    auto* right = new QVBoxLayout;
    right->addSpacing(12);
    right->addWidget(Frame1);
    right->addStretch();
    right->addWidget(cmdEnd);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(lists, 1);
    layout->addLayout(right);
    resize(520, 420);

    connect(cmdZuweisen, &QPushButton::clicked, this,
            [this] { guarded([this] { guarded([this] { cmdZuweisen_Click(); }); }); });
    connect(cmdEnd, &QPushButton::clicked, this,
            [this] { guarded([this] { guarded([this] { cmdEnd_Click(); }); }); });
    // The two lists show the same top row and the same current row.
    connect(listWegpunkt, &QListWidget::currentRowChanged, this,
            [this] { guarded([this] { keepInStep(listWegpunkt, listKategorie); }); });
    connect(listKategorie, &QListWidget::currentRowChanged, this,
            [this] { guarded([this] { keepInStep(listKategorie, listWegpunkt); }); });
    connect(listWegpunkt->verticalScrollBar(), &QScrollBar::valueChanged,
            listKategorie->verticalScrollBar(), &QScrollBar::setValue);
    connect(listKategorie->verticalScrollBar(), &QScrollBar::valueChanged,
            listWegpunkt->verticalScrollBar(), &QScrollBar::setValue);
    SetLanguage();
}

void frmManager::keepInStep(QListWidget* from, QListWidget* to)
{
    if (to->currentRow() != from->currentRow() && from->currentRow() < to->count()) {
        const QSignalBlocker block(to);
        to->setCurrentRow(from->currentRow(), QItemSelectionModel::NoUpdate);
    }
    to->verticalScrollBar()->setValue(from->verticalScrollBar()->value());
}

void frmManager::SetLanguage()
{
    const bool de = Language == 0;
    cmdZuweisen->setText(de ? QStringLiteral("Kategorie ausgewählten\nWegpunkten zuweisen")
                            : QStringLiteral("Add waypoints to\nselected category"));
    cmdZuweisen->setToolTip(de ? QStringLiteral("Kategorie ausgewählten Wegpunkten zuweisen")
                               : QStringLiteral("Add waypoints to selected category"));
    // The caption keeps some room to the button's edges.
    int widest = 0;
    for (const QString& line : cmdZuweisen->text().split(QLatin1Char('\n')))
        widest = std::max(widest, cmdZuweisen->fontMetrics().horizontalAdvance(line));
    cmdZuweisen->setMinimumWidth(std::max(150, widest + 24));
    Label1->setText(de ? QStringLiteral("Kategorie") : QStringLiteral("Category"));
    Label3->setText(de ? QStringLiteral("Kategorie") : QStringLiteral("Category"));
    Label2->setText(de ? QStringLiteral("Wegpunkt") : QStringLiteral("Waypoint"));
    setWindowTitle(de ? QStringLiteral("Wegpunkt Manager") : QStringLiteral("Manage waypoints"));
}

void frmManager::Form_Load()
{
    SetLanguage();
    if (!MainConnection)
        return;
    // When the data file fails, the lists show what could be read, and the pilot hears why.
    try {
        for (const ManagedWaypoint& w : waypointsByName(*MainConnection)) {
            pointIds_.push_back(w.pointId);
            listWegpunkt->addItem(QString::fromStdString(w.name));
            listKategorie->addItem(QString::fromStdString(w.category));
        }
        if (listWegpunkt->count() > 0) {
            const QSignalBlocker block(listWegpunkt);
            listWegpunkt->setCurrentRow(0, QItemSelectionModel::NoUpdate);
            keepInStep(listWegpunkt, listKategorie);
        }
        for (const CategoryRow& category : listCategories(*MainConnection))
            cmbKategorie->addItem(QString::fromStdString(category.name));
        if (cmbKategorie->count() > 0)
            cmbKategorie->setCurrentIndex(0);
    } catch (const DbError& e) {
        const bool de = Language == 0;
        MsgBox(withDataFault(de ? QStringLiteral("Die Wegpunkte und Kategorien konnten nicht "
                                                 "gelesen werden.")
                                : QStringLiteral("The waypoints and categories could not be read."),
                             e),
               de ? QStringLiteral("Datenbankfehler") : QStringLiteral("Database error"));
    }
}

void frmManager::fillCategories()
{
    if (!MainConnection)
        return;
    const QSignalBlocker block(listKategorie);
    guarded([this] {
        // Row i stands for pointIds_[i]; a waypoint deleted meanwhile keeps its old line.
        const std::unordered_map<int64_t, std::string> category =
            waypointCategories(*MainConnection);
        for (size_t i = 0; i < pointIds_.size(); ++i) {
            const auto it = category.find(pointIds_[i]);
            if (it != category.end() && static_cast<int>(i) < listKategorie->count())
                listKategorie->item(static_cast<int>(i))
                    ->setText(QString::fromStdString(it->second));
        }
    });
}

void frmManager::cmdZuweisen_Click()
{
    if (!MainConnection)
        return;
    const int current = listWegpunkt->currentRow();
    std::vector<int64_t> chosen;
    std::vector<int> rows;
    for (int i = 0; i < listWegpunkt->count(); ++i) {
        if (listWegpunkt->item(i)->isSelected() && static_cast<size_t>(i) < pointIds_.size()) {
            chosen.push_back(pointIds_[static_cast<size_t>(i)]);
            rows.push_back(i);
        }
    }
    try {
        const std::optional<size_t> missing =
            assignCategory(*MainConnection, chosen, cmbKategorie->currentText().toStdString());
        if (missing) {
            const QString name = listWegpunkt->item(rows[*missing])->text();
            MsgBox(QStringLiteral("Wegpunkt - %1 - wurde nicht gefunden. Bitte Datenbank "
                                  "überprüfen.")
                       .arg(name),
                   QStringLiteral("Datenbankfehler"));
            return;
        }
    } catch (const DbError& e) {
        const bool de = Language == 0;
        MsgBox(withDataFault(de ? QStringLiteral("Die Kategorie konnte nicht gespeichert werden.")
                                : QStringLiteral("The category could not be saved."),
                             e),
               de ? QStringLiteral("Datenbankfehler") : QStringLiteral("Database error"));
        return;
    }
    fillCategories();
    if (current >= 0) {
        const QSignalBlocker a(listWegpunkt);
        listWegpunkt->setCurrentRow(current, QItemSelectionModel::NoUpdate);
        keepInStep(listWegpunkt, listKategorie);
    }
}

void frmManager::cmdEnd_Click()
{
    forms().unload(this);
}

} // namespace tv
