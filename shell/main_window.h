// The main window: its controls, its event handlers and the rewrite it starts.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>

#include "browser_bridge.h"
#include "database.h"
#include "pipeline.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMouseEvent;
class QMovie;
class QRadioButton;
class QTabWidget;
class QWebEngineView;

namespace qinghe {

class PictureButton;

// The maker's web address, shown and opened by the hyperlink box.
inline constexpr char kMakerAddress[] = "https://qinghe.app";

// The frameless 640 x 480 main window "青禾文章改写器" with its picture buttons, the tab
// control holding the editor and result panes, the rewrite options and the settings menu.
// It owns the database connection and the one record cursor. Every control carries its
// name as its object name. Its handlers run one user action at a time: while a rewrite
// runs (it lets the window handle events), the actions that use the record cursor are
// refused.
class MainWindow : public QWidget, public RewriteHost {
  Q_OBJECT

 public:
  // `program_dir`: the directory that holds the editor page and the database file.
  explicit MainWindow(const QString& program_dir);
  ~MainWindow() override;

  // The window-created sequence: shapes the window, starts the update thread, sets the
  // hyperlink, navigates the editor pane to the editor page, makes tab 0 current, registers
  // the tooltips and opens the database. False when the database cannot be opened.
  bool RunCreatedSequence();

  BrowserBridge& Bridge() { return *bridge_; }
  QWebEngineView& EditorPane() { return *editor_pane_; }
  QWebEngineView& ResultPane() { return *result_pane_; }
  // True while a rewrite runs.
  bool IsBusy() const { return busy_; }

  bool SimplifiedChecked() override;
  bool TraditionalChecked() override;
  int ModeSelection() override;
  bool ReverseParagraphs() override;
  bool OutputTraditional() override;
  bool ShuffleSentences() override;
  GbkText ReadArticle() override;

 public slots:
  // Shows the loading strip and tab 0, runs the rewrite stages on the editor's article,
  // shows the result in the result pane, then tab 1, and hides the strip. Refused while a
  // rewrite runs. The editor is not changed.
  void RewritePipeline();
  // The page commands.
  void NewPage();
  void OpenPageFile();
  void SavePageFile();
  void CopyResultToEditor();
  // Shows the other of the two tabs.
  void SwitchPane();
  // The replacement list window and the link replacement pass; refused while a rewrite runs.
  void OpenReplacementList();
  void ApplyLinkReplacements();
  // The settings menu under its button, and its three items.
  void ShowSettingsMenu();
  void CheckForUpdateOnRequest();
  void ShowHelpPage();
  void ShowAboutPage();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateOptions();
  void CreateSettingsMenu();
  PictureButton* AddPictureButton(QWidget* parent, const char* name, const QString& picture,
                                  bool with_pressed, QRect place);
  void ApplyShape();
  void RegisterTooltips();
  void SetLoadingVisible(bool visible);
  // Window moves by dragging: a left press on a move handle starts one.
  bool BeginMove(QMouseEvent* event);
  bool ContinueMove(QMouseEvent* event);
  bool EndMove(QMouseEvent* event);

  QString program_dir_;
  QPixmap background_;
  PictureButton* new_page_ = nullptr;
  PictureButton* open_page_ = nullptr;
  PictureButton* save_page_ = nullptr;
  PictureButton* copy_back_ = nullptr;
  PictureButton* back_to_editor_ = nullptr;
  PictureButton* settings_ = nullptr;
  PictureButton* minimise_ = nullptr;
  PictureButton* exit_ = nullptr;
  PictureButton* make_replace_ = nullptr;
  PictureButton* apply_replace_ = nullptr;
  PictureButton* rewrite_ = nullptr;
  QLabel* link_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QWebEngineView* editor_pane_ = nullptr;
  QWebEngineView* result_pane_ = nullptr;
  QLabel* loading_ = nullptr;
  QMovie* loading_movie_ = nullptr;
  QGroupBox* options_ = nullptr;
  QRadioButton* simplified_ = nullptr;
  QRadioButton* traditional_ = nullptr;
  QCheckBox* reverse_ = nullptr;
  QCheckBox* shuffle_ = nullptr;
  QCheckBox* output_traditional_ = nullptr;
  QComboBox* mode_ = nullptr;
  QMenu* settings_menu_ = nullptr;

  DatabaseConnection connection_;
  RecordCursor cursor_;
  std::unique_ptr<BrowserBridge> bridge_;
  bool busy_ = false;
  bool moving_ = false;
  QPoint move_offset_;
};

}  // namespace qinghe
