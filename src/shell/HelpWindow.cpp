#include "shell/HelpWindow.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace natalory {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle(tr("Natalory Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    auto* bar = new QToolBar(this);
    bar->addAction(tr("Contents"), this, [this] { browser_->home(); });
    bar->addAction(tr("Back"), browser_, &QTextBrowser::backward);
    bar->addAction(tr("Forward"), browser_, &QTextBrowser::forward);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
    browser_->setOpenExternalLinks(true);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(720, 600);
}

void HelpWindow::belongTo(QWidget* owner) {
    if (parentWidget() == owner) return;
    if (QWidget* old = parentWidget()) old->removeEventFilter(this);
    const bool shown = isVisible();
    const QPoint at = pos();
    setParent(owner, Qt::Window);
    move(at);
    if (owner) owner->installEventFilter(this);
    if (shown) show();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && (event->type() == QEvent::Hide || event->type() == QEvent::Destroy))
        belongTo(nullptr);
    return QWidget::eventFilter(watched, event);
}

QString HelpWindow::pageFor(const QString& helpFile, int topicId) {
    const QDir folder(QFileInfo(helpFile).dir().filePath(QStringLiteral("help")));
    if (topicId != 0) {
        const QString topic = folder.filePath(QString::number(topicId) + QStringLiteral(".html"));
        if (QFileInfo::exists(topic)) return topic;
    }
    return folder.filePath(QStringLiteral("index.html"));
}

void HelpWindow::showPage(const QString& helpFile, int topicId, QWidget* modalOwner) {
    belongTo(modalOwner);
    // The contents page is first in the history, so Contents and Back lead to it.
    const QString contents = pageFor(helpFile, 0);
    browser_->setSource(QUrl::fromLocalFile(contents));
    browser_->clearHistory();
    const QString page = pageFor(helpFile, topicId);
    if (page != contents) browser_->setSource(QUrl::fromLocalFile(page));
    show();
    raise();
    activateWindow();
}

}  // namespace natalory
