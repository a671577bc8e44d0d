// Qt's own texts in Japanese: the buttons, titles and labels of the colour, print, file and
// message dialogs that Qt draws itself. The program speaks Japanese whatever the system's locale.
#pragma once

class QCoreApplication;

// Installs Qt's Japanese translations ("qtbase_ja" from Qt's translations folder) into
// `application`, once; false when they are not installed on this system (Qt then speaks English).
bool InstallJapaneseTranslations(QCoreApplication& application);
