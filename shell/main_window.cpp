#include "main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QWebEngineView>
#include <QWindow>
#include <system_error>
#include <thread>

#include "panes.h"
#include "picture_button.h"
#include "window_shape.h"

namespace qinghe {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

QString Picture(const QString& name) { return QStringLiteral(":/pictures/%1.gif").arg(name); }

// The update check that runs once at every start, on its own thread.
void RunStartupUpdateCheck() {}

}  // namespace

MainWindow::MainWindow(const QString& program_dir)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      program_dir_(program_dir),
      background_(Picture(QStringLiteral("background"))) {
  setWindowTitle(QStringLiteral("青禾文章改写器"));
  setFixedSize(kWidth, kHeight);
  QFont window_font = font();
  window_font.setPixelSize(12);
  setFont(window_font);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - kWidth) / 2, area.top() + (area.height() - kHeight) / 2);
  }
  CreateControls();
  CreateSettingsMenu();
  bridge_ = std::make_unique<BrowserBridge>(*editor_pane_, *result_pane_);
}

MainWindow::~MainWindow() = default;

PictureButton* MainWindow::AddPictureButton(QWidget* parent, const char* name,
                                            const QString& picture, bool with_pressed,
                                            QRect place) {
  PictureButton::Pictures pictures;
  pictures.normal = QPixmap(Picture(picture + QStringLiteral("_normal")));
  pictures.hover = QPixmap(Picture(picture + QStringLiteral("_hover")));
  if (with_pressed) pictures.pressed = QPixmap(Picture(picture + QStringLiteral("_pressed")));
  auto* button = new PictureButton(pictures, parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setGeometry(place);
  return button;
}

void MainWindow::CreateControls() {
  new_page_ = AddPictureButton(this, "按钮_新建页面", "new", false, {19, 39, 29, 28});
  open_page_ = AddPictureButton(this, "按钮_打开网页", "open", false, {56, 39, 29, 28});
  save_page_ = AddPictureButton(this, "按钮_保存网页", "save", false, {96, 39, 29, 28});
  copy_back_ = AddPictureButton(this, "按钮_复制返回编辑", "copyback", false, {136, 39, 29, 28});
  back_to_editor_ = AddPictureButton(this, "按钮_返回编辑", "back", false, {176, 39, 29, 28});
  settings_ = AddPictureButton(this, "按钮_设置", "settings", false, {545, 12, 17, 17});
  minimise_ = AddPictureButton(this, "按钮_最小化窗口", "minimize", false, {575, 12, 17, 17});
  exit_ = AddPictureButton(this, "按钮_退出程序", "exit", false, {603, 12, 17, 17});

  link_ = new QLabel(this);
  link_->setObjectName(QStringLiteral("超级链接框1"));
  link_->setGeometry(544, 48, 80, 16);
  link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(link_, &QLabel::linkActivated, this,
          [](const QString& target) { QDesktopServices::openUrl(QUrl(target)); });

  // The panes fill their pages but for a one-pixel margin; the tabs are switched by the
  // program, so the tab bar is not shown.
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("高级选择夹1"));
  tabs_->setGeometry(16, 80, 608, 333);
  tabs_->setDocumentMode(true);
  tabs_->tabBar()->hide();
  auto* editor_page = new QWidget;
  auto* result_page = new QWidget;
  editor_pane_ = CreateEditorPane(editor_page);
  editor_pane_->setObjectName(QStringLiteral("互联网浏览器1"));
  editor_pane_->setGeometry(1, 1, 606, 331);
  result_pane_ = CreateResultPane(result_page);
  result_pane_->setObjectName(QStringLiteral("互联网浏览器2"));
  result_pane_->setGeometry(1, 1, 606, 331);
  tabs_->addTab(editor_page, QStringLiteral("文章编辑区"));
  tabs_->addTab(result_page, QStringLiteral("伪原创区"));

  loading_ = new QLabel(this);
  loading_->setObjectName(QStringLiteral("图片框_Loading"));
  loading_->setGeometry(264, 248, 100, 9);
  loading_movie_ = new QMovie(Picture(QStringLiteral("loading")), QByteArray(), loading_);
  loading_->setMovie(loading_movie_);
  loading_->hide();
  loading_->installEventFilter(this);

  CreateOptions();
  rewrite_ = AddPictureButton(this, "按钮_生成伪原创", "rewrite", true, {535, 429, 80, 30});

  connect(new_page_, &QAbstractButton::clicked, this, &MainWindow::NewPage);
  connect(open_page_, &QAbstractButton::clicked, this, &MainWindow::OpenPageFile);
  connect(save_page_, &QAbstractButton::clicked, this, &MainWindow::SavePageFile);
  connect(copy_back_, &QAbstractButton::clicked, this, &MainWindow::CopyResultToEditor);
  connect(back_to_editor_, &QAbstractButton::clicked, this, &MainWindow::SwitchPane);
  connect(settings_, &QAbstractButton::clicked, this, &MainWindow::ShowSettingsMenu);
  connect(minimise_, &QAbstractButton::clicked, this, [this] {
    if (isVisible()) showMinimized();
  });
  connect(exit_, &QAbstractButton::clicked, this, &QWidget::close);
  connect(make_replace_, &QAbstractButton::clicked, this, &MainWindow::OpenReplacementList);
  connect(apply_replace_, &QAbstractButton::clicked, this, &MainWindow::ApplyLinkReplacements);
  connect(rewrite_, &QAbstractButton::clicked, this, &MainWindow::RewritePipeline);
}

void MainWindow::CreateOptions() {
  options_ = new QGroupBox(this);
  options_->setObjectName(QStringLiteral("分组框1"));
  options_->setGeometry(16, 416, 504, 52);
  options_->installEventFilter(this);

  make_replace_ =
      AddPictureButton(options_, "按钮_制作替换", "make_replace", true, {8, 13, 80, 30});
  apply_replace_ =
      AddPictureButton(options_, "按钮_替换内容", "apply_replace", true, {96, 13, 80, 30});

  simplified_ = new QRadioButton(QStringLiteral("简体"), options_);
  simplified_->setObjectName(QStringLiteral("单选框_简体"));
  simplified_->setGeometry(184, 16, 48, 24);
  simplified_->setChecked(true);
  traditional_ = new QRadioButton(QStringLiteral("繁体"), options_);
  traditional_->setObjectName(QStringLiteral("单选框_繁体"));
  traditional_->setGeometry(232, 16, 48, 24);

  reverse_ = new QCheckBox(QStringLiteral("打乱"), options_);
  reverse_->setObjectName(QStringLiteral("选择框_打乱顺序"));
  reverse_->setGeometry(288, 8, 48, 24);
  shuffle_ = new QCheckBox(QStringLiteral("句子打乱"), options_);
  shuffle_->setObjectName(QStringLiteral("选择框_句子打乱"));
  shuffle_->setGeometry(288, 30, 72, 20);
  output_traditional_ = new QCheckBox(QStringLiteral("生成繁体"), options_);
  output_traditional_->setObjectName(QStringLiteral("选择框_生成繁体"));
  output_traditional_->setGeometry(336, 8, 72, 24);

  mode_ = new QComboBox(options_);
  mode_->setObjectName(QStringLiteral("组合框_模式选择"));
  mode_->setGeometry(416, 16, 80, 20);
  mode_->addItem(QStringLiteral("正常模式"));
  mode_->setCurrentIndex(0);
}

void MainWindow::CreateSettingsMenu() {
  settings_menu_ = new QMenu(this);
  settings_menu_->setObjectName(QStringLiteral("设置菜单"));
  settings_menu_->addAction(QStringLiteral("在线升级"), this, &MainWindow::CheckForUpdateOnRequest);
  settings_menu_->addSeparator();
  settings_menu_->addAction(QStringLiteral("在线帮助"), this, &MainWindow::ShowHelpPage);
  settings_menu_->addAction(QStringLiteral("关于"), this, &MainWindow::ShowAboutPage);
}

bool MainWindow::RunCreatedSequence() {
  ApplyShape();
  try {
    std::thread(RunStartupUpdateCheck).detach();
  } catch (const std::system_error&) {
    // Without the thread there is no check at this start.
  }
  link_->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                     .arg(QString::fromLatin1(kMakerAddress), QUrl(kMakerAddress).host()));
  editor_pane_->setUrl(
      QUrl::fromLocalFile(program_dir_ + QStringLiteral("/HTMLedit/HtmlEdit.htm")));
  tabs_->setCurrentIndex(0);
  RegisterTooltips();
  const QString database = program_dir_ + QLatin1Char('/') + QString::fromLatin1(kDatabaseFileName);
  return connection_.ConnectDatabase(database.toStdString(), kDatabasePassword) &&
         cursor_.AttachCursor(connection_);
}

void MainWindow::ApplyShape() {
  const QRegion region = MaskRegion(QImage(Picture(QStringLiteral("mask"))));
  if (!region.isEmpty()) setMask(region);
}

void MainWindow::RegisterTooltips() {
  new_page_->setToolTip(QStringLiteral("新建"));
  open_page_->setToolTip(QStringLiteral("打开"));
  save_page_->setToolTip(QStringLiteral("保存"));
  exit_->setToolTip(QStringLiteral("退出"));
  minimise_->setToolTip(QStringLiteral("最小化"));
  back_to_editor_->setToolTip(QStringLiteral("返回继续编辑"));
  copy_back_->setToolTip(QStringLiteral("复制返回继续编辑"));
}

bool MainWindow::SimplifiedChecked() { return simplified_->isChecked(); }
bool MainWindow::TraditionalChecked() { return traditional_->isChecked(); }
int MainWindow::ModeSelection() { return mode_->currentIndex(); }
bool MainWindow::ReverseParagraphs() { return reverse_->isChecked(); }
bool MainWindow::OutputTraditional() { return output_traditional_->isChecked(); }
bool MainWindow::ShuffleSentences() { return shuffle_->isChecked(); }
GbkText MainWindow::ReadArticle() { return bridge_->GetEditorHtml(); }

void MainWindow::SetLoadingVisible(bool visible) {
  if (visible) {
    loading_movie_->start();
    loading_->raise();
    loading_->show();
  } else {
    loading_->hide();
    loading_movie_->stop();
  }
}

void MainWindow::RewritePipeline() {
  if (busy_) return;
  busy_ = true;
  SetLoadingVisible(true);
  tabs_->setCurrentIndex(0);
  const GbkText result = RunRewriteStages(*this, cursor_);
  bridge_->ShowResultHtml(result);
  tabs_->setCurrentIndex(1);
  SetLoadingVisible(false);
  busy_ = false;
}

void MainWindow::NewPage() {}

void MainWindow::OpenPageFile() {}

void MainWindow::SavePageFile() {}

void MainWindow::CopyResultToEditor() {}

void MainWindow::SwitchPane() {
  const int tab = tabs_->currentIndex();
  if (tab == 0 || tab == 1) tabs_->setCurrentIndex(1 - tab);
}

void MainWindow::OpenReplacementList() {
  if (busy_) return;
}

void MainWindow::ApplyLinkReplacements() {
  if (busy_) return;
}

void MainWindow::ShowSettingsMenu() {
  settings_menu_->exec(QPoint(x() + settings_->x(), y() + settings_->y() + settings_->height()));
}

void MainWindow::CheckForUpdateOnRequest() {}

void MainWindow::ShowHelpPage() {}

void MainWindow::ShowAboutPage() {}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, background_);
}

bool MainWindow::BeginMove(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return false;
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return true;
  moving_ = true;
  move_offset_ = event->globalPosition().toPoint() - pos();
  return true;
}

bool MainWindow::ContinueMove(QMouseEvent* event) {
  if (!moving_) return false;
  move(event->globalPosition().toPoint() - move_offset_);
  return true;
}

bool MainWindow::EndMove(QMouseEvent* event) {
  if (!moving_ || event->button() != Qt::LeftButton) return false;
  moving_ = false;
  return true;
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  // Only a press on the background itself; presses that controls pass on are theirs.
  if (childAt(event->position().toPoint()) == nullptr && BeginMove(event)) return;
  QWidget::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!ContinueMove(event)) QWidget::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (!EndMove(event)) QWidget::mouseReleaseEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == options_ || watched == loading_) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        return BeginMove(static_cast<QMouseEvent*>(event));
      case QEvent::MouseMove:
        return ContinueMove(static_cast<QMouseEvent*>(event));
      case QEvent::MouseButtonRelease:
        return EndMove(static_cast<QMouseEvent*>(event));
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qinghe
