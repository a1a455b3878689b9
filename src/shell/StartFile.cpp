#include "shell/StartFile.h"

#include "foundation/RecentFiles.h"
#include "foundation/Version.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

namespace natalory {
namespace {

// What became of files a second start handed over (QT_LOGGING_RULES="natalory.handover.info=true").
Q_LOGGING_CATEGORY(lcHandOver, "natalory.handover", QtWarningMsg)

bool IsTemplate(const QString& file) {
    return QFileInfo(file).suffix().compare(u"als", Qt::CaseInsensitive) == 0;
}

bool IsBatchFile(const QString& file) {
    return QFileInfo(file).suffix().compare(u"alb", Qt::CaseInsensitive) == 0;
}

// Qt's own options, which the application object takes for itself (with one dash or two,
// a value after a blank or an equals sign). They are set aside here so that the program's
// arguments are checked before Qt looks for a display.
bool IsQtOption(QString a, bool* takesValue) {
    static const QStringList withValue =
        QStringLiteral(
            "platform platformpluginpath platformtheme plugin qwindowgeometry geometry qwindowicon "
            "icon qwindowtitle title session display name style stylesheet qmljsdebugger "
            "fontengine visual")
            .split(u' ');
    static const QStringList alone = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
    if (!a.startsWith(u'-')) return false;
    a.remove(0, a.startsWith(QStringLiteral("--")) ? 2 : 1);
    const qsizetype equals = a.indexOf(u'=');
    if (equals > 0) a.truncate(equals);
    *takesValue = equals < 0 && withValue.contains(a);
    return withValue.contains(a) || alone.contains(a);
}

}  // namespace

StartArguments ParseStartArguments(const QStringList& given) {
    QStringList arguments;
    for (qsizetype i = 0; i < given.size(); ++i) {
        bool takesValue = false;
        if (!IsQtOption(given[i], &takesValue))
            arguments << given[i];
        else if (takesValue)
            ++i;
    }
    StartArguments start;
    const auto stop = [&start](int code, const QString& output, const QString& error = {}) {
        start.exitCode = code;
        start.output = output;
        start.error = error;
        return start;
    };
    for (const QString& a : arguments) {
        if (a == u"-h" || a == u"--help") return stop(0, QString::fromLatin1(kWindowUsage));
        if (a == u"-v" || a == u"--version") {
            const AppVersion v = CurrentVersion();
            return stop(0, QStringLiteral("natalory %1.%2.%3\n").arg(v.major).arg(v.minor).arg(v.revision));
        }
    }
    for (const QString& a : arguments) {
        if (a.startsWith(u'-'))
            return stop(2, {}, QStringLiteral("natalory: unknown option '%1' (see --help)\n").arg(a));
        if (!IsTemplate(a) && !IsBatchFile(a))
            return stop(
                2, {},
                QStringLiteral("natalory: '%1' is neither a template (.als) nor a batch file (.alb)\n")
                    .arg(a));
    }
    if (arguments.size() > 1)
        return stop(2, {}, QStringLiteral("natalory: give one file at most (see --help)\n"));
    if (!arguments.isEmpty()) start.file = arguments.front();
    return start;
}

void OpenStartFile(const MainWindows& windows, const QString& file) {
    if (IsTemplate(file))
        windows.workspace->NewPrint(file);
    else if (IsBatchFile(file))
        windows.mdi->BeginBatch(QFileInfo(file).absoluteFilePath());
}

namespace {

void OpenWhenFree(const MainWindows* windows, const QString& file) {
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(250, windows->mdi.get(), [windows, file] { OpenWhenFree(windows, file); });
        return;
    }
    OpenStartFile(*windows, file);
    QStringList shown;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->windowTitle().isEmpty()) shown << w->windowTitle();
    shown.sort();
    qCInfo(lcHandOver).noquote() << "opened" << file << "| windows:" << shown.join(QStringLiteral(", "));
}

}  // namespace

void OpenHandedFiles(const MainWindows& windows, const QStringList& files) {
    QWidget* mdi = windows.mdi.get();
    if (mdi->isMinimized()) mdi->showNormal();
    mdi->raise();
    mdi->activateWindow();
    for (const QString& file : files)
        if (IsTemplate(file) || IsBatchFile(file)) OpenWhenFree(&windows, file);
}

namespace {

QStringList OpenableFiles(const QMimeData* data) {
    QStringList files;
    if (data)
        for (const QUrl& url : data->urls())
            if (url.isLocalFile() && (IsTemplate(url.toLocalFile()) || IsBatchFile(url.toLocalFile())))
                files << url.toLocalFile();
    return files;
}

class FileDropTarget final : public QObject {
  public:
    FileDropTarget(const MainWindows& windows, QObject* parent) : QObject(parent), windows_(windows) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return QObject::eventFilter(watched, event);
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = OpenableFiles(drop->mimeData());
        if (files.isEmpty()) return false;
        drop->acceptProposedAction();
        // Opened once the drop is over: a dialog must not run inside the drag.
        if (type == QEvent::Drop)
            QTimer::singleShot(0, this, [this, files] { OpenHandedFiles(windows_, files); });
        return true;
    }

  private:
    const MainWindows& windows_;
};

}  // namespace

void AcceptDroppedFiles(const MainWindows& windows) {
    windows.mdi->setAcceptDrops(true);
    windows.mdi->installEventFilter(new FileDropTarget(windows, windows.mdi.get()));
}

void ListRecentFiles(const MainWindows& windows, AppState& state, Services& services) {
    QMenu* menu = windows.mdi->sToolbar.tool(QStringLiteral("ID_mnuRecentFiles")).menu();
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&windows, &state, &services, menu] {
        menu->clear();
        const QStringList files = ReadRecentFiles(state);
        if (files.isEmpty()) menu->addAction(QObject::tr("No recent files"))->setEnabled(false);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString file = files[i];
            // "&1 name" to "&8 name": each reached by its number from the keyboard.
            QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
                QFileInfo(file).fileName().replace(QStringLiteral("&"), QStringLiteral("&&"))));
            entry->setToolTip(file);
            entry->setStatusTip(file);
            QObject::connect(entry, &QAction::triggered, menu, [&windows, &state, &services, file] {
                if (QFileInfo(file).isFile()) {
                    OpenStartFile(windows, file);
                    return;
                }
                ForgetRecentFile(state, file);
                services.prompt.ask(
                    QObject::tr("%1 can no longer be found; it has been taken off the list of recent files.")
                        .arg(file),
                    QObject::tr("Recent Files"), PromptButtons::Ok, PromptIcon::Exclamation);
            });
        }
    });
}

}  // namespace natalory
