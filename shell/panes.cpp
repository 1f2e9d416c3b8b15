#include "panes.h"

#include <QWebEnginePage>
#include <QWebEngineSettings>

namespace qinghe {
namespace {

// A page that goes only where the program sends it: its main frame accepts only the
// navigations the program starts itself, and no frame follows a clicked link or a submitted
// form. Console messages of the page are dropped (the program keeps no log).
class GuardedPage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  bool acceptNavigationRequest(const QUrl&, NavigationType type, bool is_main_frame) override {
    if (is_main_frame) return type == NavigationTypeTyped;
    return type != NavigationTypeLinkClicked && type != NavigationTypeFormSubmitted;
  }

  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                const QString&) override {}
};

QWebEngineView* CreatePane(QWidget* parent, bool page_script) {
  auto* view = new QWebEngineView(parent);
  view->setPage(new GuardedPage(view));
  QWebEngineSettings* settings = view->settings();
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, page_script);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  return view;
}

}  // namespace

QWebEngineView* CreateEditorPane(QWidget* parent) { return CreatePane(parent, true); }

QWebEngineView* CreateResultPane(QWidget* parent) { return CreatePane(parent, false); }

}  // namespace qinghe
