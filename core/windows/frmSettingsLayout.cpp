// The settings window's controls, their layout and their language-dependent captions.

#include "core/Variablen.h"
#include "core/windows/CategoryTableModel.h"
#include "core/windows/WindowLook.h"
#include "core/windows/frmSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tv {
namespace {

// The fix colour as the flight window draws it with a fix.
const QColor kFixGreen = fromBgr(0x00FF00);

// The two aircraft symbols as the flight window draws them, heading north, with a fix.
QPixmap aircraftSymbolPicture(int symbol)
{
    QPixmap pm(48, 48);
    pm.fill(QColor(0xE8, 0xE4, 0xD8)); // chart paper
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    auto pen = [](QColor c, int width) {
        QPen pn(c, width);
        pn.setCapStyle(Qt::RoundCap);
        return pn;
    };
    if (symbol == 1) {
        // Dot with a 15-pixel track line ahead.
        const QPointF at(24, 31);
        const QPointF ahead(24, 16);
        p.setPen(pen(fromBgr(0xFF0000), 9));
        p.drawLine(at, ahead);
        p.setPen(pen(fromBgr(0xFFFFFF), 3));
        p.drawLine(at, ahead);
        // A circle of radius 1 drawn 5 wide: a dot of radius 3.5.
        p.setPen(Qt::NoPen);
        p.setBrush(kFixGreen);
        p.drawEllipse(at, 3.5, 3.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(fromBgr(0x001215), 5));
        p.drawEllipse(at, 6, 6);
    } else {
        // Aircraft outline, nose at the position: fuselage, wings, tailplane.
        const double x = 24, y = 12;
        const QLineF strokes[] = {
            {x, y, x, y + 20},          {x, y + 5, x + 17, y + 5},  {x, y + 5, x - 17, y + 5},
            {x, y + 17, x + 7, y + 17}, {x, y + 17, x - 7, y + 17},
        };
        const int blackWidth[] = {10, 10, 10, 8, 8};
        for (int i = 0; i < 5; ++i) {
            p.setPen(pen(Qt::black, blackWidth[i]));
            p.drawLine(strokes[i]);
        }
        p.setPen(pen(kFixGreen, 2));
        for (const QLineF& l : strokes)
            p.drawLine(l);
        p.setPen(pen(fromBgr(0xFFFF80), 3));
        p.drawEllipse(QPointF(x, y), 1, 1);
    }
    return pm;
}

QLabel* colourLabel(QWidget* parent, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumHeight(24);
    paintBackground(l, fromBgr(0x0000FF)); // red until connected / fixed
    return l;
}

} // namespace

void frmSettings::buildControls()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);

    // COM Setup
    Frame1 = new QGroupBox(QStringLiteral("COM Setup"), this);
    {
        auto* g = new QGridLayout(Frame1);
        Label3 = new QLabel(QStringLiteral("COM"), Frame1);
        cmbCom = new QComboBox(Frame1);
        Label6 = new QLabel(QStringLiteral("Baudrate"), Frame1);
        cmbBaud = new QComboBox(Frame1);
        cmbBaud->addItems({QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200"),
                           QStringLiteral("38400"), QStringLiteral("57600")});
        cmdCheck = new QPushButton(Frame1);
        lblStatus = new QLabel(Frame1);
        lblStatus->setWordWrap(true);
        lblStatus->setMinimumHeight(36);
        g->addWidget(Label3, 0, 0);
        g->addWidget(cmbCom, 0, 1);
        g->addWidget(Label6, 1, 0);
        g->addWidget(cmbBaud, 1, 1);
        g->addWidget(cmdCheck, 2, 0, 1, 2);
        g->addWidget(lblStatus, 3, 0, 1, 2);
        g->setColumnStretch(1, 1);
    }

    // GPS connection status
    frmGPS = new QGroupBox(QStringLiteral("GPS Verbindungsstatus"), this);
    {
        auto* g = new QGridLayout(frmGPS);
        lblComVerbindung = colourLabel(frmGPS, QStringLiteral("Keine COM Verbindung"));
        Label8 = new QLabel(QStringLiteral("GPS Daten"), frmGPS);
        tGPS = new QLineEdit(frmGPS);
        tGPS->setReadOnly(true);
        LabelStatus = colourLabel(frmGPS, QStringLiteral("Kein GPS Fix"));
        Label1 = new QLabel(frmGPS);
        lblLat = new QLabel(QStringLiteral("---"), frmGPS);
        Label2 = new QLabel(frmGPS);
        lblLong = new QLabel(QStringLiteral("---"), frmGPS);
        Label11 = new QLabel(QStringLiteral("Anzahl Satelliten = "), frmGPS);
        g->addWidget(lblComVerbindung, 0, 0, 1, 2);
        g->addWidget(Label8, 1, 0);
        g->addWidget(tGPS, 1, 1);
        g->addWidget(LabelStatus, 2, 0, 1, 2);
        g->addWidget(Label1, 3, 0);
        g->addWidget(lblLat, 3, 1);
        g->addWidget(Label2, 4, 0);
        g->addWidget(lblLong, 4, 1);
        g->addWidget(Label11, 5, 0, 1, 2);
        g->setColumnStretch(1, 1);
    }

    // Language
    frameLanguage = new QGroupBox(QStringLiteral("Spracheinstellung"), this);
    {
        auto* l = new QHBoxLayout(frameLanguage);
        OptGer = new QRadioButton(QStringLiteral("Deutsch"), frameLanguage);
        OptEng = new QRadioButton(QStringLiteral("English"), frameLanguage);
        OptGer->setChecked(true);
        l->addWidget(OptGer);
        l->addWidget(OptEng);
        l->addStretch();
    }

    // Aircraft symbol
    frameFlugzeug = new QGroupBox(QStringLiteral("Flugzeugsymbol"), this);
    {
        auto* l = new QHBoxLayout(frameFlugzeug);
        Option1 = new QRadioButton(frameFlugzeug);
        Picture1 = new QLabel(frameFlugzeug);
        Picture1->setPixmap(aircraftSymbolPicture(1));
        Option2 = new QRadioButton(frameFlugzeug);
        Picture2 = new QLabel(frameFlugzeug);
        Picture2->setPixmap(aircraftSymbolPicture(2));
        Option1->setChecked(true);
        l->addWidget(Option1);
        l->addWidget(Picture1);
        l->addSpacing(24);
        l->addWidget(Option2);
        l->addWidget(Picture2);
        l->addStretch();
    }

    // Track logger
    Frame4 = new QGroupBox(QStringLiteral("TRACK Logger"), this);
    {
        auto* g = new QGridLayout(Frame4);
        chkTrack = new QCheckBox(QStringLiteral("Track Logger aktivieren"), Frame4);
        Label5 = new QLabel(QStringLiteral("Intervall"), Frame4);
        cmbTrack = new QComboBox(Frame4);
        cmbTrack->setEditable(true);
        cmbTrack->setMinimumWidth(80);
        cmbTrack->addItems({QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("15"),
                            QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("60")});
        cmbTrack->setCurrentText(QStringLiteral("10"));
        Label4 = new QLabel(QStringLiteral("[ s ]"), Frame4);
        chkAutoOn = new QCheckBox(QStringLiteral("Automatisch loggen ( ab 30 kts )"), Frame4);
        cmdTrack = new QPushButton(QStringLiteral("Track Manager"), Frame4);
        // The logger starts off, and with it the settings that only mean something when on.
        cmbTrack->setEnabled(false);
        chkAutoOn->setEnabled(false);
        g->addWidget(chkTrack, 0, 0, 1, 4);
        g->addWidget(Label5, 1, 0);
        g->addWidget(cmbTrack, 1, 1);
        g->addWidget(Label4, 1, 2);
        g->addWidget(chkAutoOn, 2, 0, 1, 4);
        g->addWidget(cmdTrack, 3, 0, 1, 4);
        g->setColumnStretch(3, 1);
    }

    // Airspace warning: QNH
    frmLuftraum = new QGroupBox(QStringLiteral("Luftraumwarnung"), this);
    {
        auto* g = new QGridLayout(frmLuftraum);
        Label14 = new QLabel(QStringLiteral("QNH"), frmLuftraum);
        tQNH = new QLineEdit(QStringLiteral("1013"), frmLuftraum);
        tQNH->setMaximumWidth(90);
        Label9 = new QLabel(QStringLiteral("Lufträume werden in der jeweiligen Flughöhe ( +400 ft "
                                           "/ -400 ft ) in der Karte dargestellt"),
                            frmLuftraum);
        Label9->setWordWrap(true);
        g->addWidget(Label14, 0, 0);
        g->addWidget(tQNH, 0, 1);
        g->addWidget(Label9, 1, 0, 1, 3);
        g->setColumnStretch(2, 1);
    }

    // Waypoint categories
    Frame2 = new QGroupBox(QStringLiteral("Wegpunkt Kategorien"), this);
    {
        auto* g = new QGridLayout(Frame2);
        gridKategorie = new QTableView(Frame2);
        gridKategorie->setSelectionBehavior(QAbstractItemView::SelectRows);
        gridKategorie->setSelectionMode(QAbstractItemView::SingleSelection);
        gridKategorie->setEditTriggers(QAbstractItemView::NoEditTriggers);
        gridKategorie->verticalHeader()->hide();
        gridKategorie->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
        gridKategorie->horizontalHeader()->setStretchLastSection(true);
        gridKategorie->setColumnWidth(0, 60);
        // No length limit on the box: a name too long is refused with a message
        // (core/NameLength.h), never cut without a word.
        tKategorie = new QLineEdit(Frame2);
        cmdAdd = new QPushButton(Frame2);
        cmdChange = new QPushButton(Frame2);
        cmdDelete = new QPushButton(Frame2);
        cmdManager = new QPushButton(QStringLiteral("Wegpunkt Manager"), Frame2);
        g->addWidget(gridKategorie, 0, 0, 1, 3);
        g->addWidget(tKategorie, 1, 0, 1, 3);
        g->addWidget(cmdAdd, 2, 0);
        g->addWidget(cmdChange, 2, 1);
        g->addWidget(cmdDelete, 2, 2);
        g->addWidget(cmdManager, 3, 0, 1, 3);
        g->setRowStretch(0, 1);
    }

    // Data import
    Frame3 = new QGroupBox(QStringLiteral("Datenimport"), this);
    {
        auto* l = new QVBoxLayout(Frame3);
        cmdGetWaypoint = new QPushButton(QStringLiteral("Flughäfen importieren"), Frame3);
        l->addWidget(cmdGetWaypoint);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(Frame1);
    left->addWidget(frmGPS);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(frameLanguage);
    middle->addWidget(frameFlugzeug);
    middle->addWidget(Frame4);
    middle->addWidget(frmLuftraum);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Frame2, 1);
    right->addWidget(Frame3);
    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 3);
}

void frmSettings::SetLanguage()
{
    const bool en = english();
    auto t = [en](const char* german, const char* englishText) {
        return en ? QString::fromUtf8(englishText) : QString::fromUtf8(german);
    };
    cmdCheck->setText(t(" GPS Verbindung überprüfen ", " Check GPS Connection "));
    cmdAdd->setText(t(" Kategorie hinzufügen ", " Add Category "));
    cmdChange->setText(t(" Kategorie ändern ", " Change Category "));
    cmdDelete->setText(t(" Kategorie löschen ", " Delete Category "));
    cmdManager->setText(t("Wegpunkt Manager", "Waypoint Manager"));
    lblComVerbindung->setText(t("Keine COM Verbindung", "No COM Connection"));
    lblStatus->setText(t("Kein GPS fix", "No GPS fix"));
    LabelStatus->setText(t("Kein GPS fix", "No GPS fix"));
    Label1->setText(t("Breitengrad", "Latitude"));
    Label2->setText(t("Längengrad", "Longitude"));
    Label11->setText(t("Anzahl Satelliten = ", "Number of satellites = "));
    Frame2->setTitle(t("Wegpunkt Kategorien", "Waypoint categories"));
    frameLanguage->setTitle(t("Sprache", "Language"));
    categoryModel_->setNameCaption(t("Kategorie", "Category"));
    frameFlugzeug->setTitle(t("Flugzeugsymbol", "Airplane symbol"));
    chkTrack->setText(t("Track Logger aktivieren", "activate track logger"));
    chkAutoOn->setText(
        t("Automatisch loggen ( ab 30 kts )", "automatically log at speed > 30 kts"));
    Label5->setText(t("Intervall", "Interval"));
    setWindowTitle(t("Einstellungen", "Settings"));
}

} // namespace tv
