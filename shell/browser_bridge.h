// The bridge between the program's code page 936 texts and the two browser panes.
#pragma once

#include <QString>
#include <QVariant>
#include <chrono>

#include "gbk_text.h"

class QWebEngineView;

namespace qinghe {

// Reads and writes the documents of the editor and result panes through their document
// object model. Every operation is synchronous for its caller: it runs its script and
// handles the window's events until the answer comes or the time limit passes, after which
// a read gives the empty text and a write has no further effect. Texts go into the browser
// as Unicode converted from code page 936 and come back converted to code page 936, with
// every character that code page 936 cannot write kept as an HTML numeric character
// reference. Nothing is reported; the bridge holds no browser object between calls.
class BrowserBridge {
 public:
  BrowserBridge(QWebEngineView& editor, QWebEngineView& result,
                std::chrono::milliseconds time_limit = std::chrono::seconds(5));

  // The article: the inner HTML of the body of the editor page's first frame, or the empty
  // text when the page has no such frame.
  GbkText GetEditorHtml();

  // Replaces the article with `html`; does nothing when the page has no such frame.
  void SetEditorHtml(const GbkText& html);

  // The whole markup of the document that `pane` shows, or the empty text.
  GbkText GetPaneOuterHtml(QWebEngineView& pane);

  // Shows `html` as a new document in the result pane: navigates the pane to a blank page,
  // waits until it has loaded, then writes the text into it and closes the document.
  void ShowResultHtml(const GbkText& html);

 private:
  // Runs `script` in the bridge's own script world of the pane's page and returns its
  // result, or an invalid value when the time limit passes first.
  QVariant RunScript(QWebEngineView& pane, const QString& script);
  // Navigates the result pane to a blank page and waits until it has loaded it (or the
  // time limit passes).
  void LoadBlankResultPage();

  QWebEngineView& editor_;
  QWebEngineView& result_;
  std::chrono::milliseconds time_limit_;
};

// Unicode of a code page 936 text, for the browser.
QString GbkToQString(const GbkText& text);
// Code page 936 of a browser text; characters outside code page 936 become "&#N;".
GbkText QStringToGbk(const QString& text);

}  // namespace qinghe
