#include "app/Main.h"

#include "core/CoreSettings.h"
#include "core/DataFileFault.h"
#include "core/Dates.h"
#include "core/FileHelpers.h"
#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "core/program/Processes.h"
#include "core/windows/WindowLook.h"
#include "core/windows/frmAbout.h"
#include "core/windows/frmInfo1.h"
#include "core/windows/frmInfo3.h"
#include "flight/frmGPSmain.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>

#include <exception>
#include <optional>

namespace tv {

namespace {

QString byLanguage(const char* german, const char* english)
{
    return QString::fromUtf8(Language == 0 ? german : english);
}

// RELEASE.Datum as a date: "yyyy-mm-dd", optionally followed by a time of day after a blank
// or a "T". Anything else is no date.
std::optional<Date> releaseDate(const Value& datum)
{
    if (!datum.isText())
        return std::nullopt;
    std::string text = datum.text();
    if (text.size() > 10 && text[10] == 'T')
        text[10] = ' ';
    return parseIsoDate(text);
}

// Opens a data file of the program folder; the connection when it opened, else empty, and
// then why in `failure` when the caller wants to know.
std::shared_ptr<Connection> openDataFile(const char* fileName,
                                         std::optional<DbError>* failure = nullptr)
{
    auto connection = std::make_shared<Connection>();
    try {
        connection->Open(programFile(fileName));
        return connection;
    } catch (const DbError& e) {
        if (failure != nullptr)
            *failure = e;
        return nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

// A file of the program's own that opened for reading only: its data show, but no change can
// be stored until it may be written again (the connection then opens it for writing by
// itself). Told once, at start.
void tellIfReadOnly(const std::shared_ptr<Connection>& connection, QWidget* parent)
{
    if (!connection || !connection->IsReadOnly())
        return;
    MsgBox(QString::fromStdString(readOnlyAtStartText(connection->path(), Language)),
           Language == 0 ? QStringLiteral("Datenfehler") : QStringLiteral("Data error"),
           MsgButtons::Ok, parent);
}

} // namespace

Main::Main()
{
    setWindowTitle(QStringLiteral("Tramvik GPS"));
    setWindowIcon(QIcon(programPicture(64)));
    mdiArea = new QMdiArea(this);
    mdiArea->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdiArea);
    forms().setMdiArea(mdiArea);

    toolMain = new QToolBar(QStringLiteral("toolMain"), this);
    toolMain->setMovable(false);
    toolMain->setFloatable(false);
    toolMain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolMain->setIconSize(QSize(40, 40));
    addToolBar(Qt::RightToolBarArea, toolMain);
    registerModeDialogs();
    modes_ = programModes();
    for (std::size_t mode = 0; mode < modes_.size(); ++mode) {
        if (mode > 0)
            toolMain->addSeparator();
        QAction* button = toolMain->addAction(modeIcon(modes_[mode].icon), modes_[mode].german);
        connect(button, &QAction::triggered, this,
                [this, button] { guarded([&] { toolMain_ButtonClick(button->text()); }); });
        modeButtons_.push_back(button);
    }

    mnuabout = menuBar()->addAction(QStringLiteral("About"));
    // The modes' items are offered only while their window is active; the update item only
    // when the start found an update.
    for (const ModeEntry& mode : modes_) {
        std::vector<QAction*> items;
        for (const ModeMenuItem& item : mode.menuItems) {
            QAction* action = menuBar()->addAction(item.german);
            action->setObjectName(item.name);
            action->setVisible(false);
            std::function<void()> onClick = item.onClick;
            connect(action, &QAction::triggered, this, [onClick] {
                guarded([&] {
                    if (onClick)
                        onClick();
                });
            });
            items.push_back(action);
        }
        modeMenus_.push_back(std::move(items));
    }
    mnuExport = modeMenuItem(QStringLiteral("mnuExport"));
    mnuImport = modeMenuItem(QStringLiteral("mnuImport"));
    mnuLuftEin = modeMenuItem(QStringLiteral("mnuLuftEin"));
    mnuUpdate = menuBar()->addAction(QStringLiteral("Update vorhanden"));
    mnuUpdate->setVisible(false);
    connect(mnuabout, &QAction::triggered, this, [this] { guarded([this] { mnuabout_Click(); }); });
    connect(mnuUpdate, &QAction::triggered, this,
            [this] { guarded([this] { mnuUpdate_Click(); }); });
    QPointer<Main> self(this);
    forms().setActivationObserver([self](QWidget* active) {
        if (self)
            self->offerModeMenus(active);
    });

    resize(1024, 700);
}

void Main::Form_Load()
{
    // A window that fails while the frame loads (the settings or flight window it touches)
    // leaves the frame to show with what it has, rather than an invisible running program.
    guarded([this] { MDIForm_Load(); });
    if (ended_)
        return;
    // Fill the screen even where no window manager maximises windows.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void Main::MDIForm_Load()
{
    MainConnection.reset();
    TrackConnection.reset();
    AirspaceConnection.reset();
    AirportConnection.reset();
    AptDataAvailable = false;

    // Airport data file: only when it exists. One that exists but does not open counts as not
    // there, without a message.
    if (FileExists(programFile("tvdata.tvd"))) {
        AirportConnection = openDataFile("tvdata.tvd");
        AptDataAvailable = AirportConnection != nullptr;
    }

    // Main data file: required.
    std::optional<DbError> mainFailure;
    MainConnection = openDataFile("data.tvd", &mainFailure);
    if (!MainConnection) {
        // A file that is there but cannot be opened now (held, no permission) says why; a
        // missing or damaged one is "not found", as always.
        const DataFault fault = mainFailure ? mainFailure->fault() : DataFault::Missing;
        if (fault != DataFault::Missing && fault != DataFault::Damaged && fault != DataFault::None)
            MsgBox(QString::fromStdString(
                       (Language == 0 ? "Die Datei - data.tvd - konnte nicht geöffnet werden.\n\n"
                                      : "File - data.tvd - could not be opened.\n\n") +
                       dataFaultText(*mainFailure, Language)),
                   Language == 0 ? QStringLiteral("Datenfehler") : QStringLiteral("Data error"),
                   MsgButtons::Ok, this);
        else if (Language == 0)
            MsgBox(QStringLiteral("Die Datei - data.tvd - wurde nicht im Programmordner gefunden."),
                   QStringLiteral("Datenfehler"), MsgButtons::Ok, this);
        else
            MsgBox(QStringLiteral("File - data.tvd - was not found."), QStringLiteral("Data error"),
                   MsgButtons::Ok, this);
        ended_ = true;
        endProgram(1);
        return;
    }

    // Track file: optional; without it the track logger is off for the whole run.
    TrackFileMissing = false;
    AirspaceDataMissing = false;
    tellIfReadOnly(MainConnection, this);
    TrackConnection = openDataFile("track.tvd");
    tellIfReadOnly(TrackConnection, this);
    if (!TrackConnection) {
        forms().showModal(forms().get<frmInfo1>());
        if (ended_) // asked to end while the notice was open
            return;
        TrackFileMissing = true;
        TrackLoggerOn = false;
        TrackInterval = 0;
        TrackAutoOn = false;
    }

    // Airspace data file and its release date: optional. The marker reached tells the notice
    // whether the file was missing (not opened) or outdated (opened, no date read).
    AirspaceReleaseDate = kAirspaceNotOpened;
    bool airspaceOk = false;
    AirspaceConnection = openDataFile("Luftraum.tvd");
    if (AirspaceConnection) {
        AirspaceReleaseDate = kAirspaceNoDate;
        try {
            Recordset rs;
            rs.Open("SELECT * FROM RELEASE", *AirspaceConnection);
            if (const std::optional<Date> date = releaseDate(rs.Field("Datum"))) {
                AirspaceReleaseDate = *date;
                airspaceOk = true;
            }
            rs.Close();
        } catch (const std::exception&) {
            airspaceOk = false;
        }
    }
    if (!airspaceOk) {
        forms().showModal(forms().get<frmInfo3>());
        if (ended_)
            return;
        AirspaceDataMissing = true;
        forms().get<frmGPSmain>().AirspaceFileMissing();
    }

    if (!WriteVersionFile())
        reportUnsaved(programFolder() / "version.crm", this);
    mnuUpdate->setVisible(UpdateAvailable);
    SetModeCaptions();
    forms().showMaximized(forms().get<frmGPSmain>());
}

void Main::SetModeCaptions()
{
    for (std::size_t mode = 0; mode < modes_.size(); ++mode) {
        modeButtons_[mode]->setText(modes_[mode].caption(Language));
        for (std::size_t item = 0; item < modes_[mode].menuItems.size(); ++item) {
            const ModeMenuItem& entry = modes_[mode].menuItems[item];
            modeMenus_[mode][item]->setText(Language == 0 ? entry.german : entry.english);
        }
    }
    mnuUpdate->setText(byLanguage("Update vorhanden", "Update available"));
}

QAction* Main::modeMenuItem(const QString& name) const
{
    for (const std::vector<QAction*>& items : modeMenus_)
        for (QAction* action : items)
            if (action->objectName() == name)
                return action;
    return nullptr;
}

void Main::offerModeMenus(QWidget* active)
{
    const auto* events = dynamic_cast<const FormEvents*>(active);
    const QString activeName = events ? events->formName() : QString();
    for (std::size_t mode = 0; mode < modes_.size(); ++mode)
        for (QAction* action : modeMenus_[mode])
            action->setVisible(!activeName.isEmpty() && activeName == modes_[mode].formName);
}

void Main::UnloadAllForms(const QString& sFormName)
{
    forms().unloadAll(sFormName);
}

void Main::toolMain_ButtonClick(const QString& caption)
{
    for (std::size_t mode = 0; mode < modes_.size(); ++mode) {
        if (caption != modes_[mode].caption(Language))
            continue;
        for (std::size_t other = 0; other < modes_.size(); ++other)
            if (other != mode && modes_[other].beforeOtherModeShown)
                modes_[other].beforeOtherModeShown();
        if (modes_[mode].show)
            modes_[mode].show();
        return;
    }
}

void Main::clickToolButton(int index)
{
    const QList<QAction*> buttons = toolMain->actions();
    if (index < 1 || index > buttons.size())
        return;
    QAction* button = buttons.at(index - 1);
    if (!button->isSeparator())
        button->trigger();
}

QString Main::toolButtonCaption(int index) const
{
    const QList<QAction*> buttons = toolMain->actions();
    if (index < 1 || index > buttons.size() || buttons.at(index - 1)->isSeparator())
        return {};
    return buttons.at(index - 1)->text();
}

void Main::mnuabout_Click()
{
    forms().showModal(forms().get<frmAbout>());
}

void Main::mnuUpdate_Click()
{
    const QString updater = QString::fromStdString(programFile("update.exe"));
    if (!FileExists(updater.toStdString()) ||
        !QProcess::startDetached(updater, {}, QString::fromStdString(programFolder().string()))) {
        if (Language == 0)
            MsgBox(QStringLiteral(
                       "Die Datei - Update.exe - wurde nicht im Programmverzeichnis gefunden !"),
                   QStringLiteral("Datei fehlt"), MsgButtons::Ok, this);
        else
            MsgBox(QStringLiteral(
                       "File - Update.exe - was not found - please check that file exists !"),
                   QStringLiteral("file missing"), MsgButtons::Ok, this);
        return;
    }
    // The update program replaces our files: every copy of the program ends. The windows are
    // not unloaded on this path.
    terminateOtherCopies();
    ended_ = true;
    endProgram(0);
}

void Main::TerminationRequested()
{
    guarded([] {
        if (Main* frame = forms().find<Main>())
            frame->close();
        else
            endProgram(0);
    });
}

void Main::closeEvent(QCloseEvent* event)
{
    if (!ended_)
        MDIForm_QueryUnload();
    event->accept();
}

void Main::MDIForm_QueryUnload()
{
    ended_ = true;
    // Every window runs its own unload handling (the flight window saves its files there);
    // then the other running copies are asked to close the same way, and we end.
    // A failure on the way does not stop the shutdown.
    guarded([this] { UnloadAllForms(QString()); });
    guarded([] { terminateOtherCopies(); });
    endProgram(0);
}

} // namespace tv
