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

    // Topic 0 (or a topic without a page) shows the contents.
    void showPage(const QString& helpFile, int topicId);

    static QString pageFor(const QString& helpFile, int topicId);

  private:
    QTextBrowser* browser_;
};

}  // namespace natalory
