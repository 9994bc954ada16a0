#include "planning/frmExport.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "core/windows/WindowLook.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace tv {

namespace {

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString byLanguage(const char* german, const char* english)
{
    return QString::fromUtf8(Language == 0 ? german : english);
}

} // namespace

frmExport::frmExport()
{
    setWindowTitle(QStringLiteral("Strecke exportieren"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    paintBackground(this, fromBgr(0xC00000));

    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    for (QLabel* caption : {Label1, Label2}) {
        paintText(caption, fromBgr(0x00FFFF));
        QFont f = caption->font();
        f.setBold(true);
        caption->setFont(f);
    }
    lblSave = new QLabel(this);
    lblSave->setMinimumHeight(40);
    lblSave->setWordWrap(true);
    lblSave->setTextInteractionFlags(Qt::TextSelectableByMouse);
    paintBackground(lblSave, fromBgr(0xFFC0C0));
    cmbRoute = new QComboBox(this);
    cmbRoute->setMinimumWidth(260);
    cmdExport = new QPushButton(this);
    cmdExport->setMinimumHeight(36);
    paintBackground(cmdExport, fromBgr(0x0080FF));
    cmdExit = new QPushButton(this);
    cmdExit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    cmdExit->setIconSize(QSize(24, 24));
    cmdExit->setMinimumSize(48, 36);
    paintBackground(cmdExit, fromBgr(0xC0C000));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setVerticalSpacing(8);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(lblSave, 1, 0, 1, 2);
    grid->addWidget(Label2, 2, 0, 1, 2);
    grid->addWidget(cmbRoute, 3, 0, 1, 2);
    grid->addWidget(cmdExport, 4, 0);
    grid->addWidget(cmdExit, 4, 1, Qt::AlignRight);
    resize(420, 240);

    connect(cmdExport, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdExport_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });
    SetLanguage();
}

void frmExport::Form_Load()
{
    routes_.clear();
    cmbRoute->clear();
    lblSave->clear();
    if (!MainConnection)
        return;
    guarded([this] { routes_ = listRoutes(*MainConnection); }); // failing, it offers no route
    if (routes_.empty())
        return;
    for (const RouteChoice& r : routes_)
        cmbRoute->addItem(text(r.name), QVariant::fromValue<qlonglong>(r.routeId));
    selectRoute(std::nullopt);
    showPath(QString::fromStdString((routeFolder(programFolder()) / "").string()));
}

void frmExport::selectRoute(std::optional<std::int64_t> routeId)
{
    cmbRoute->setCurrentIndex(preselectedRoute(routes_, routeId)); // -1: the box is empty
}

void frmExport::showPath(const QString& path)
{
    // The whole path when it fits the label; a longer one (a route name of 250 characters) is
    // cut in its middle, so that the window keeps its width. The tooltip holds the whole path.
    const QMargins margins = layout()->contentsMargins();
    const int width = std::max(lblSave->width(), this->width() - margins.left() - margins.right());
    lblSave->setText(lblSave->fontMetrics().elidedText(path, Qt::ElideMiddle, width));
    lblSave->setToolTip(path);
}

void frmExport::showEvent(QShowEvent* event)
{
    DialogForm::showEvent(event);
    Form_Activate();
}

void frmExport::Form_Activate()
{
    SetLanguage();
}

void frmExport::SetLanguage()
{
    setWindowTitle(byLanguage("Strecke exportieren", "Export route"));
    Label1->setText(byLanguage("Verzeichnis", "Directory"));
    Label2->setText(byLanguage("Strecke auswählen", "Select route"));
    cmdExport->setText(byLanguage("Speichern", "Save"));
}

void frmExport::cmdExport_Click()
{
    // With no routes the box is empty and there is nothing to save.
    const int index = cmbRoute->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= routes_.size() || !MainConnection)
        return;
    const RouteChoice& route = routes_[static_cast<std::size_t>(index)];
    const RouteExportResult result = exportRoute(*MainConnection, route, programFolder());
    if (result.status == RouteExportStatus::WriteFailed)
        qWarning("frmExport: route %s not saved: %s", route.name.c_str(), result.reason.c_str());
    if (result.status == RouteExportStatus::Saved)
        showPath(QString::fromStdString(result.file.string()));
    const MessageText m = routeExportMessage(result, route.name, Language);
    MsgBox(text(m.text), text(m.title), MsgButtons::Ok, this);
}

void frmExport::cmdExit_Click()
{
    done(QDialog::Rejected);
}

} // namespace tv
