// The help window: the help file (HTML, one anchor per context number, see docs/HELP.md) in a
// QTextBrowser, opened at its contents or at a context. One window for the whole run.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
public:
    HelpWindow();
    // Shows `path` scrolled to the anchor named `anchor` (the top when the file has no such anchor).
    void Open(const QString& path, const QString& anchor);
    QTextBrowser* Browser() const { return browser; }

private:
    QTextBrowser* browser;
};
