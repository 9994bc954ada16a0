#include "planning/frmGetWaypoints.h"

#include "core/Categories.h"
#include "core/DataFileFault.h"
#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/BusyCursor.h"
#include "core/forms/MsgBox.h"
#include "core/windows/WindowLook.h"
#include "platform/Connection.h"
#include "platform/DbError.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tv {

namespace {

// Positions of the design, in twips (1/15 pixel at 96 dpi).
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

frmGetWaypoints::frmGetWaypoints()
{
    setWindowTitle(QStringLiteral("Flughäfen importieren"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twips(0, 0, 7290, 4545).size());
    paintBackground(this, fromBgr(0xFF8080));

    listAP = new QListWidget(this);
    listAP->setGeometry(twips(240, 600, 3375, 3030));
    lblCount = new QLabel(this);
    lblCount->setGeometry(twips(240, 3720, 3375, 255));
    lblCount->setAlignment(Qt::AlignCenter);
    paintBackground(lblCount, fromBgr(0xFFC0C0));
    Label1 = new QLabel(QStringLiteral("Kategorie"), this);
    Label1->setGeometry(twips(4200, 1005, 2415, 255));
    cmbKategorie = new QComboBox(this);
    cmbKategorie->setGeometry(twips(4200, 1320, 2415, 360));
    cmdTransfer = new QPushButton(this);
    cmdTransfer->setGeometry(twips(4200, 1800, 2415, 1095));
    paintBackground(cmdTransfer, fromBgr(0xFFC0C0));
    Label2 = new QLabel(QStringLiteral("Schon vorhandene Flughäfen werden beibehalten"), this);
    Label2->setGeometry(twips(3840, 3000, 3135, 495));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);
    paintBackground(Label2, fromBgr(0x80FF80));

    connect(cmbKategorie, &QComboBox::activated, this,
            [this] { guarded([this] { cmbKategorie_Click(); }); });
    connect(listAP, &QListWidget::itemChanged, this,
            [this] { guarded([this] { listAP_Click(); }); });
    connect(cmdTransfer, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdTransfer_Click(); }); });
}

void frmGetWaypoints::Form_Load()
{
    if (MainConnection) {
        guarded([this] {
            for (const CategoryRow& row : listCategories(*MainConnection))
                cmbKategorie->addItem(text(row.name));
        });
    }
    if (cmbKategorie->count() > 0)
        cmbKategorie->setCurrentIndex(0);
    FillCountryList();
    cmbKategorie_Click();
}

void frmGetWaypoints::FillCountryList()
{
    countries_.clear();
    const QSignalBlocker quiet(listAP);
    listAP->clear();
    if (!AirportConnection)
        return;
    guarded([this] { countries_ = listAirportCountries(*AirportConnection); }); // or none
    for (std::size_t i = 0; i < countries_.size(); ++i) {
        auto* item = new QListWidgetItem(text(countries_[i].name), listAP);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, static_cast<qulonglong>(i));
    }
}

void frmGetWaypoints::cmbKategorie_Click()
{
    // The button is narrow: the caption goes on three lines, the category on its own.
    QString caption = text(transferButtonCaption(cmbKategorie->currentText().toStdString()));
    const QString category = cmbKategorie->currentText();
    const qsizetype at = caption.indexOf(QStringLiteral(" Kategorie ")) + 10;
    caption[at] = QLatin1Char('\n');
    caption[at + 1 + category.size()] = QLatin1Char('\n');
    cmdTransfer->setText(caption);
}

std::vector<std::string> frmGetWaypoints::tickedPrefixes() const
{
    std::vector<std::string> prefixes;
    for (int row = 0; row < listAP->count(); ++row) {
        const QListWidgetItem* item = listAP->item(row);
        const auto i = item->data(Qt::UserRole).toULongLong();
        if (item->checkState() == Qt::Checked && i < countries_.size())
            prefixes.push_back(countries_[i].prefix);
    }
    return prefixes;
}

void frmGetWaypoints::listAP_Click()
{
    std::vector<std::size_t> ticked;
    for (int row = 0; row < listAP->count(); ++row) {
        const QListWidgetItem* item = listAP->item(row);
        if (item->checkState() == Qt::Checked)
            ticked.push_back(static_cast<std::size_t>(item->data(Qt::UserRole).toULongLong()));
    }
    lblCount->setText(text(airportCountText(airportsOf(countries_, ticked))));
}

void frmGetWaypoints::cmdTransfer_Click()
{
    const std::vector<std::string> prefixes = tickedPrefixes();
    // The category of the chosen entry; "" when the box has none.
    const std::string category =
        cmbKategorie->currentIndex() >= 0 ? cmbKategorie->currentText().toStdString() : "";
    MessageText message;
    if (prefixes.empty()) {
        message = transferMessage(0);
    } else if (!AirportConnection || !MainConnection) {
        message = transferFailedMessage();
    } else {
        try {
            BusyCursor busy;
            busy.acquire();
            message = transferMessage(
                transferAirports(*AirportConnection, *MainConnection, prefixes, category));
        } catch (const DbError& e) {
            qWarning("frmGetWaypoints: airport import failed: %s", e.what());
            message = transferFailedMessage();
            // The window speaks German only; the file and the reason go under its sentence.
            message.text += "\n\n" + dataFaultText(e, 0);
        }
    }
    MsgBox(text(message.text), text(message.title), MsgButtons::Ok, this);
}

} // namespace tv
