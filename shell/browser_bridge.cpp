#include "browser_bridge.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

#include "cp936.h"

namespace qinghe {
namespace {

const QUrl kBlankPage(QStringLiteral("about:blank"));

// `text` as a JavaScript expression: a one-element JSON array, indexed. JSON escapes every
// quote, backslash and control character, so no text can end the string early.
QString ScriptString(const QString& text) {
  const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(json) + QStringLiteral("[0]");
}

// Handles the window's events until `done` is set or `time_limit` passes; returns `done`.
// The loop is also left when the application quits.
bool WaitUntil(QEventLoop& loop, const bool& done, std::chrono::milliseconds time_limit) {
  if (done) return true;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(time_limit);
  loop.exec();
  return done;
}

}  // namespace

QString GbkToQString(const GbkText& text) { return QString::fromStdString(GbkToUtf8Lossy(text)); }

GbkText QStringToGbk(const QString& text) {
  return Utf8ToGbkWithReferences(text.toUtf8().toStdString());
}

BrowserBridge::BrowserBridge(QWebEngineView& editor, QWebEngineView& result,
                             std::chrono::milliseconds time_limit)
    : editor_(editor), result_(result), time_limit_(time_limit) {}

QVariant BrowserBridge::RunScript(QWebEngineView& pane, const QString& script) {
  // The answer may come after the time limit, when this call has returned: the callback
  // then only writes into the shared answer, which it keeps alive.
  struct Answer {
    bool done = false;
    QVariant value;
    QEventLoop* loop = nullptr;
  };
  auto answer = std::make_shared<Answer>();
  QEventLoop loop;
  answer->loop = &loop;
  pane.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                             [answer](const QVariant& value) {
                               answer->value = value;
                               answer->done = true;
                               if (answer->loop != nullptr) answer->loop->quit();
                             });
  const bool done = WaitUntil(loop, answer->done, time_limit_);
  answer->loop = nullptr;
  return done ? answer->value : QVariant();
}

GbkText BrowserBridge::GetEditorHtml() {
  const QVariant html = RunScript(
      editor_, QStringLiteral("(function() { try { return frames[0].document.body.innerHTML; }"
                              " catch (e) { return ''; } })()"));
  return QStringToGbk(html.toString());
}

void BrowserBridge::SetEditorHtml(const GbkText& html) {
  RunScript(editor_,
            QStringLiteral("(function(text) { try { frames[0].document.body.innerHTML = text; }"
                           " catch (e) {} return true; })(%1)")
                .arg(ScriptString(GbkToQString(html))));
}

GbkText BrowserBridge::GetPaneOuterHtml(QWebEngineView& pane) {
  const QVariant html =
      RunScript(pane, QStringLiteral("(function() { const root = document.documentElement;"
                                     " return root ? root.outerHTML : ''; })()"));
  return QStringToGbk(html.toString());
}

void BrowserBridge::LoadBlankResultPage() {
  QEventLoop loop;
  bool loaded = false;
  QObject::connect(result_.page(), &QWebEnginePage::loadFinished, &loop, [&](bool) {
    if (result_.url() != kBlankPage) return;
    loaded = true;
    loop.quit();
  });
  result_.setUrl(kBlankPage);
  WaitUntil(loop, loaded, time_limit_);
}

void BrowserBridge::ShowResultHtml(const GbkText& html) {
  LoadBlankResultPage();
  RunScript(result_, QStringLiteral("(function(text) { document.open(); document.write(text);"
                                    " document.close(); return true; })(%1)")
                         .arg(ScriptString(GbkToQString(html))));
}

}  // namespace qinghe
