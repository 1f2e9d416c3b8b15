#include "message_box.h"

#include <QTimer>
#include <cstdio>

namespace qinghe {

void ShowMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok);
  if (qEnvironmentVariableIsSet("QINGHE_TEST_CLOSE_MESSAGES")) {
    std::fprintf(stderr, "%s\t%s\n", title.toUtf8().constData(), text.toUtf8().constData());
    QTimer::singleShot(0, &box, &QMessageBox::accept);
  }
  box.exec();
}

}  // namespace qinghe
