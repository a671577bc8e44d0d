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
    // The same file with another fragment only scrolls; a changed file on disk is read again.
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(anchor);
    if (browser->source() == url) {
        browser->scrollToAnchor(anchor);
    } else {
        browser->setSource(url, QTextDocument::HtmlResource);
    }
    show();
    raise();
    activateWindow();
}
