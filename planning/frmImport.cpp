#include "planning/frmImport.h"

#include "core/Variablen.h"
#include "core/forms/BusyCursor.h"
#include "core/forms/MsgBox.h"
#include "core/windows/WindowLook.h"
#include "platform/Connection.h"

#include <QFileDialog>

namespace tv {

namespace {

frmImport::FileChooser& fileChooser()
{
    static frmImport::FileChooser chooser;
    return chooser;
}

// The open-file dialog: the file must exist, route files are preselected.
QString chooseRouteFile(const RouteFileDialogText& t)
{
    if (fileChooser())
        return fileChooser()(t);
    QFileDialog dialog(nullptr, QString::fromStdString(t.title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    QStringList filters;
    for (const std::string& f : t.filters)
        filters << QString::fromStdString(f);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(t.selectedFilter));
    dialog.setDefaultSuffix(QString::fromStdString(t.defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void showMessage(const MessageText& m)
{
    MsgBox(QString::fromStdString(m.text), QString::fromStdString(m.title));
}

} // namespace

frmImport::frmImport()
{
    setWindowTitle(QStringLiteral("Strecke importieren"));
    paintBackground(this, fromBgr(0xFFC0C0));
}

void frmImport::setFileChooserForTesting(FileChooser chooser)
{
    fileChooser() = std::move(chooser);
}

void frmImport::GetRoute()
{
    // However the import ends, the window goes with it.
    struct UnloadAtEnd
    {
        frmImport* window;
        ~UnloadAtEnd() { forms().unload(window); }
    } unloadAtEnd{this};

    const QString path = chooseRouteFile(routeFileDialogText(Language));
    if (path.isEmpty() || !MainConnection)
        return;
    RouteImportResult result;
    {
        BusyCursor busy;
        busy.acquire();
        result = importRouteFile(*MainConnection, path.toStdString());
    }
    if (!result.imported) {
        qWarning("frmImport: %s not imported: %s", qPrintable(path), result.problem.reason.c_str());
        showMessage(routeImportFailedMessage(Language, result.problem));
        return;
    }
    for (const std::string& name : result.differingNames)
        showMessage(waypointDifferenceMessage(name));
    emit routeStored();
    showMessage(routeImportedMessage(result.routeName, Language));
}

} // namespace tv
