#include "app/help/help_window.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace okap {

namespace {

const QString kHelpFolder = QStringLiteral(":/help/");

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle("OKAP Help");
    browser = new QTextBrowser(this);
    browser->setOpenExternalLinks(true);

    auto* bar = new QToolBar(this);
    bar->addAction("&Contents", this, &HelpWindow::ShowContents);
    QAction* back = bar->addAction("&Back", browser, &QTextBrowser::backward);
    QAction* forward = bar->addAction("&Forward", browser, &QTextBrowser::forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser);
    resize(560, 640);
}

bool HelpWindow::ShowContents() { return Show("contents.html"); }

bool HelpWindow::ShowUsingHelp() { return Show("using_help.html"); }

bool HelpWindow::ShowTopic(int commandId) { return Show(QString::number(commandId) + ".html"); }

QString HelpWindow::CurrentPage() const { return QFileInfo(browser->source().path()).fileName(); }

bool HelpWindow::Show(const QString& page) {
    if (!QFile::exists(kHelpFolder + page)) return false;
    browser->setSource(QUrl("qrc" + kHelpFolder + page));
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace okap
