// qinghe-screenshot OUTPUT.png: opens the main window on the program directory of the
// build, rewrites the sample article and saves a picture of the window. For the
// documentation; it needs a display (for example xvfb-run).
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>

#include "app.h"
#include "main_window.h"

namespace {

// Handles events for `ms` milliseconds, so that the panes have drawn what they show.
void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qinghe-screenshot OUTPUT.png\n");
    return 2;
  }
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  qinghe::InstallShellHooks();
  const QString program_dir = QStringLiteral(QINGHE_PROGRAM_DIR);
  QFile sample(program_dir + QStringLiteral("/sample_article.html"));
  if (!sample.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "qinghe-screenshot: cannot read %s\n", qPrintable(sample.fileName()));
    return 1;
  }
  const QByteArray article = sample.readAll();

  qinghe::MainWindow window(program_dir);
  QEventLoop loaded;
  QObject::connect(window.EditorPane().page(), &QWebEnginePage::loadFinished, &loaded,
                   &QEventLoop::quit);
  if (!window.RunCreatedSequence()) {
    std::fprintf(stderr, "qinghe-screenshot: cannot open the database\n");
    return 1;
  }
  window.show();
  loaded.exec();
  window.Bridge().SetEditorHtml(article.toStdString());
  window.findChild<QAbstractButton*>(QStringLiteral("按钮_生成伪原创"))->click();
  Settle(1500);

  // The window as the screen shows it: the corners outside its shape are transparent.
  QPixmap picture(window.size());
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setClipRegion(window.mask().isEmpty() ? QRegion(window.rect()) : window.mask());
  painter.drawPixmap(0, 0, window.grab());
  painter.end();
  if (!picture.save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "qinghe-screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
