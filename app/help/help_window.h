#pragma once
// The help window: the program's HTML manual (resources/help/) in a browser
// window that belongs to the main frame. Pages: contents.html, using_help.html
// and one topic per command id, <id>.html.

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace okap {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Each shows the window with its page in front and returns whether the
    // page exists.
    bool ShowContents();
    bool ShowUsingHelp();
    bool ShowTopic(int commandId);

    // The page on show, as its file name ("contents.html"); empty before
    // the first.
    QString CurrentPage() const;

private:
    bool Show(const QString& page);

    QTextBrowser* browser;
};

}  // namespace okap
