#include "app.h"

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>

#include "database.h"
#include "gbk_text.h"
#include "main_window.h"
#include "message_box.h"

namespace qinghe {

void InstallShellHooks() {
  SetPendingEventsHook([] { QCoreApplication::processEvents(); });
  SetStoreMessageHook([](const std::string& text) {
    ShowMessageBox(QMessageBox::NoIcon, QStringLiteral("错误"), QString::fromStdString(text));
  });
}

int RunProgram(int argc, char** argv) {
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  InstallShellHooks();
  MainWindow window(QCoreApplication::applicationDirPath());
  if (!window.RunCreatedSequence()) {
    ShowMessageBox(QMessageBox::Information, QStringLiteral("出错了"),
                   QStringLiteral("读取数据库文件出错，程序无法正常启动。"));
    return 1;
  }
  window.show();
  return QApplication::exec();
}

}  // namespace qinghe
