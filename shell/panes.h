// The two browser panes of the main window, set up so that no article can run a script,
// read local files or lead a pane away from what the program put into it.
#pragma once

#include <QWebEngineView>

namespace qinghe {

// The editor pane: runs the editor page's own script (the page keeps the article in a frame
// that is sandboxed without scripts); its page may not read other local files or remote
// resources across origins, open windows, or leave the page that the program navigated to.
QWebEngineView* CreateEditorPane(QWidget* parent);

// The result pane: runs no page script at all, reads no local files and follows no link;
// it only shows what the program writes or navigates to.
QWebEngineView* CreateResultPane(QWidget* parent);

}  // namespace qinghe
