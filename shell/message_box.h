// The program's message boxes.
#pragma once

#include <QMessageBox>
#include <QString>

namespace qinghe {

// Shows a message box without an owner window, with the given icon and one OK button, and
// returns when the user has closed it.
//
// For automated tests only: when the environment variable QINGHE_TEST_CLOSE_MESSAGES is set,
// the box writes "title<TAB>text" as a line to standard error and closes itself as soon as
// it is shown.
void ShowMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text);

}  // namespace qinghe
