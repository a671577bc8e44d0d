#include "qt/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "qt/Artwork.h"

HelpWindow::HelpWindow() : browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Quorbel ヘルプ"));
    setWindowIcon(ProgramIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(16);
    browser->setFont(font);
    browser->setOpenLinks(true);
    browser->setOpenExternalLinks(false);
    resize(720, 640);
}

void HelpWindow::Open(const QString& path, const QString& anchor) {
    QUrl url = QUrl::fromLocalFile(path);
    if (browser->source().adjusted(QUrl::RemoveFragment) == url) {
        browser->scrollToAnchor(anchor);
    } else {
        url.setFragment(anchor);
        browser->setSource(url, QTextDocument::HtmlResource);
    }
    show();
    raise();
    activateWindow();
}
