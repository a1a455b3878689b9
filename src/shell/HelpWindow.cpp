#include "shell/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
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
    resize(720, 600);
}

QString HelpWindow::pageFor(const QString& helpFile, int topicId) {
    const QDir folder(QFileInfo(helpFile).dir().filePath(QStringLiteral("help")));
    if (topicId != 0) {
        const QString topic = folder.filePath(QString::number(topicId) + QStringLiteral(".html"));
        if (QFileInfo::exists(topic)) return topic;
    }
    return folder.filePath(QStringLiteral("index.html"));
}

void HelpWindow::showPage(const QString& helpFile, int topicId) {
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
