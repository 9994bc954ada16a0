#include "planning/frmLuftraumSettings.h"

#include "core/HandlerGuard.h"
#include "core/forms/KeyUp.h"
#include "core/windows/WindowLook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace tv {

namespace {

// A sample of an airspace line in the legend: the colours drawn side by side along the line.
class LegendLine : public QWidget
{
public:
    LegendLine(std::initializer_list<uint32_t> bgrColours, QWidget* parent) : QWidget(parent)
    {
        for (uint32_t c : bgrColours)
            colours_.push_back(fromBgr(c));
        setFixedSize(60, 14);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int y = height() / 2;
        const int n = static_cast<int>(colours_.size());
        for (int i = 0; i < n; ++i) {
            p.setPen(QPen(colours_[static_cast<size_t>(i)], 3));
            p.drawLine(width() * i / n, y, width() * (i + 1) / n, y);
        }
    }

private:
    std::vector<QColor> colours_;
};

QLabel* chip(uint32_t bgr, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(18, 18);
    paintBackground(label, fromBgr(bgr));
    label->setFrameShape(QFrame::Box);
    return label;
}

constexpr uint32_t kCircuitColour = 0xD9358F;

} // namespace

frmLuftraumSettings::frmLuftraumSettings()
{
    setWindowTitle(QStringLiteral("Luftraum Einstellungen"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    paintBackground(this, fromBgr(0xFFC0C0));

    Label2 = new QLabel(QStringLiteral("Einstellungen Luftraumansicht"), this);
    QFont heading = Label2->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 2);
    Label2->setFont(heading);

    Option1 = new QRadioButton(QStringLiteral("Alle Lufträume anzeigen"), this);
    Option2 = new QRadioButton(QStringLiteral("Keine Lufträume anzeigen"), this);
    Option3 = new QRadioButton(QStringLiteral("Luftraum anzeigen in Flughöhe"), this);
    // The click handlers keep exactly one option selected.
    for (QRadioButton* option : {Option1, Option2, Option3})
        option->setAutoExclusive(false);
    connect(Option1, &QRadioButton::clicked, this,
            [this] { guarded([this] { Option1_Click(); }); });
    connect(Option2, &QRadioButton::clicked, this,
            [this] { guarded([this] { Option2_Click(); }); });
    connect(Option3, &QRadioButton::clicked, this,
            [this] { guarded([this] { Option3_Click(); }); });

    cmbHoehe = new QComboBox(this);
    cmbHoehe->setEditable(true);
    cmbHoehe->setInsertPolicy(QComboBox::NoInsert);
    for (int ft : {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 8500, 9000,
                   9500, 10000})
        cmbHoehe->addItem(QString::number(ft));
    cmbHoehe->setCurrentIndex(-1);
    cmbHoehe->setEditText(QString());
    cmbHoehe->setMinimumWidth(100);
    // The editable box holds the keyboard itself and hands the keys to its edit line.
    onKeyUp(cmbHoehe, [this](int key) { guarded([&] { cmbHoehe_KeyUp(key); }); });

    chkPL = new QCheckBox(QStringLiteral("Platzrunden anzeigen"), this);
    paintBackground(chkPL, fromBgr(kCircuitColour));
    paintText(chkPL, Qt::white);
    lblLR = chip(kCircuitColour, this);

    cmdExit = new QPushButton(QStringLiteral("OK"), this);
    cmdExit->setMinimumWidth(100);
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });

    auto* options = new QGridLayout;
    options->addWidget(chip(0xFF80FF, this), 0, 0);
    options->addWidget(Option1, 0, 1, 1, 2);
    options->addWidget(chip(0x80FFFF, this), 1, 0);
    options->addWidget(Option2, 1, 1, 1, 2);
    options->addWidget(chip(0x80FF80, this), 2, 0);
    options->addWidget(Option3, 2, 1);
    options->addWidget(cmbHoehe, 2, 2);
    options->addWidget(lblLR, 3, 0);
    options->addWidget(chkPL, 3, 1, 1, 2);
    options->setColumnStretch(1, 1);

    auto* legend = new QGroupBox(QStringLiteral("Luftraum Kennzeichnung"), this);
    auto* legendRows = new QGridLayout(legend);
    const struct
    {
        std::initializer_list<uint32_t> colours;
        const char* text;
    } samples[] = {
        {{0x000000, 0x0000FF, 0x000000}, "A,B,C,D und CTR"},
        {{0xFFFF80}, "TMZ"},
        {{0x0080FF}, "Danger Area"},
        {{kCircuitColour}, "Platzrunden"},
    };
    int row = 0;
    for (const auto& s : samples) {
        legendRows->addWidget(new LegendLine(s.colours, legend), row, 0);
        legendRows->addWidget(new QLabel(QString::fromUtf8(s.text), legend), row, 1);
        ++row;
    }
    legendRows->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addSpacing(6);
    layout->addLayout(options);
    layout->addSpacing(6);
    layout->addWidget(legend);
    layout->addLayout(buttons);
}

void frmLuftraumSettings::edit(PlanAirspaceChoice* choice)
{
    choice_ = choice;
    Form_Load();
}

void frmLuftraumSettings::Form_Load()
{
    if (!choice_)
        return; // shown once a choice is given
    switch (choice_->airspaces) {
    case PlanAirspaceChoice::Airspaces::AtAltitude:
        selectOnly(Option3);
        cmbHoehe->setEditText(QString::number(choice_->altitudeFt));
        break;
    case PlanAirspaceChoice::Airspaces::All:
        cmbHoehe->setCurrentIndex(0);
        selectOnly(Option1);
        break;
    case PlanAirspaceChoice::Airspaces::None:
        selectOnly(Option2);
        break;
    }
    chkPL->setChecked(choice_->circuits);
}

void frmLuftraumSettings::Form_Unload()
{
    Form_QueryUnload();
}

void frmLuftraumSettings::Form_QueryUnload()
{
    if (!choice_)
        return;
    std::optional<PlanAirspaceChoice::Airspaces> option;
    if (Option1->isChecked())
        option = PlanAirspaceChoice::Airspaces::All;
    else if (Option2->isChecked())
        option = PlanAirspaceChoice::Airspaces::None;
    else if (Option3->isChecked())
        option = PlanAirspaceChoice::Airspaces::AtAltitude;
    // The choice is only lent while the dialog is open: written once, then let go.
    PlanAirspaceChoice* choice = std::exchange(choice_, nullptr);
    *choice = airspaceChoiceOnClose(*choice, option, cmbHoehe->currentText().toStdString(),
                                    chkPL->isChecked());
}

void frmLuftraumSettings::selectOnly(QRadioButton* chosen)
{
    for (QRadioButton* option : {Option1, Option2, Option3})
        option->setChecked(option == chosen);
}

void frmLuftraumSettings::Option1_Click()
{
    selectOnly(Option1);
}

void frmLuftraumSettings::Option2_Click()
{
    selectOnly(Option2);
}

void frmLuftraumSettings::Option3_Click()
{
    selectOnly(Option3);
}

void frmLuftraumSettings::cmdExit_Click()
{
    forms().unload(this);
}

void frmLuftraumSettings::cmbHoehe_KeyUp(int keyCode)
{
    if (isEnterKey(keyCode))
        cmdExit_Click();
}

int showAirspaceDialog(PlanAirspaceChoice& choice)
{
    frmLuftraumSettings& dialog = forms().get<frmLuftraumSettings>();
    dialog.edit(&choice);
    return forms().showModal(dialog);
}

} // namespace tv
