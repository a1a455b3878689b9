#pragma once

#include <QWidget>

class QTextBrowser;

namespace natalory {

// Shows the program's help. The help file named by the program stands for the
// "help" folder beside it: index.html is the contents, <topic>.html a window's page.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Topic 0 (or a topic without a page) shows the contents. With a modal dialog open,
    // the help opens as that dialog's window, above it and not blocked by it; when the
    // dialog goes, the help stays on its own.
    void showPage(const QString& helpFile, int topicId, QWidget* modalOwner = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    static QString pageFor(const QString& helpFile, int topicId);

  private:
    void belongTo(QWidget* owner);
    QTextBrowser* browser_;
};

}  // namespace natalory
