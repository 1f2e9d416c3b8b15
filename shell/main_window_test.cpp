// The main window with its real browser panes, the editor page and a small word database.
#include "main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMovie>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

#include "app.h"
#include "browser_bridge.h"
#include "database.h"
#include "database_file.h"
#include "gbk_literal.h"
#include "picture_button.h"
#include "reorder.h"
#include "synonyms.h"
#include "window_shape.h"

namespace qinghe {
namespace {

const QString kEditorTitle = QStringLiteral("文章编辑区");

// Runs `script` in the page's script world of the program (not the page's own) and waits
// for its result.
QVariant Evaluate(QWebEnginePage& page, const QString& script) {
  QVariant result;
  bool done = false;
  page.runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& value) {
    result = value;
    done = true;
  });
  if (!QTest::qWaitFor([&] { return done; }, 10000)) qWarning("script timed out");
  return result;
}

// Writes a database file of the program whose word table holds `pairs` (plain words).
void WriteDatabase(const QString& path, const std::vector<std::pair<QString, QString>>& pairs) {
  std::vector<StoredWordPair> stored;
  for (const auto& [a, b] : pairs) {
    stored.emplace_back(Unscramble(Gbk(a.toStdString())), Unscramble(Gbk(b.toStdString())));
  }
  std::string error;
  const std::optional<ByteSeq> image = BuildDatabaseImage(stored, kDatabasePassword, "", error);
  QVERIFY2(image.has_value(), error.c_str());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(image->data(), static_cast<qint64>(image->size()));
}

// The HTML body of a document, as the result pane's whole markup wraps it.
GbkText DocumentWith(const QString& body) {
  return Gbk((QStringLiteral("<html><head></head><body>") + body + QStringLiteral("</body></html>"))
                 .toStdString());
}

// The data-ran-* markers that the hostile article's scripts would set on a document.
const QString kMarkersScript = QStringLiteral(
    "(function(doc) { return doc.documentElement.getAttributeNames()"
    ".filter(function(n) { return n.indexOf('data-ran-') === 0; }).sort().join(' '); })(%1)");

// Stands in for the desktop's browser: records the addresses it is asked to open.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls.append(url); }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  template <typename T>
  T* Control(const char* name) {
    T* control = window_->findChild<T*>(QString::fromUtf8(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }

  // Sets the options, puts `article` into the editor and clicks the rewrite button; checks
  // what every rewrite leaves behind and returns the result pane's whole markup.
  GbkText Rewrite(const GbkText& article) {
    window_->Bridge().SetEditorHtml(article);
    const GbkText before = window_->Bridge().GetEditorHtml();
    QTest::mouseClick(Control<PictureButton>("按钮_生成伪原创"), Qt::LeftButton);
    [&] {
      QCOMPARE(Control<QTabWidget>("高级选择夹1")->currentIndex(), 1);
      QVERIFY(!Control<QLabel>("图片框_Loading")->isVisible());
      QVERIFY(!window_->IsBusy());
      QCOMPARE(window_->Bridge().GetEditorHtml(), before);
    }();
    return window_->Bridge().GetPaneOuterHtml(window_->ResultPane());
  }

  void SetOptions(bool traditional, bool reverse, bool output_traditional, bool shuffle) {
    (traditional ? Control<QRadioButton>("单选框_繁体") : Control<QRadioButton>("单选框_简体"))
        ->setChecked(true);
    Control<QCheckBox>("选择框_打乱顺序")->setChecked(reverse);
    Control<QCheckBox>("选择框_生成繁体")->setChecked(output_traditional);
    Control<QCheckBox>("选择框_句子打乱")->setChecked(shuffle);
  }

  QTemporaryDir program_dir_;
  std::unique_ptr<MainWindow> window_;
  QPoint start_position_;

 private slots:
  void initTestCase() {
    QVERIFY(program_dir_.isValid());
    const QString bin = qEnvironmentVariable("QINGHE_BIN_DIR");
    QVERIFY(QDir(program_dir_.path()).mkdir(QStringLiteral("HTMLedit")));
    QVERIFY(QFile::copy(bin + QStringLiteral("/HTMLedit/HtmlEdit.htm"),
                        program_dir_.filePath(QStringLiteral("HTMLedit/HtmlEdit.htm"))));
    WriteDatabase(program_dir_.filePath(QString::fromLatin1(kDatabaseFileName)),
                  {{QStringLiteral("美丽"), QStringLiteral("漂亮")},
                   {QStringLiteral("快乐"), QStringLiteral("高兴")}});

    InstallShellHooks();
    window_ = std::make_unique<MainWindow>(program_dir_.path());
    start_position_ = window_->pos();
    QSignalSpy loaded(window_->EditorPane().page(), &QWebEnginePage::loadFinished);
    QVERIFY(window_->RunCreatedSequence());
    window_->show();
    QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 30000);
    QCOMPARE(loaded.first().first().toBool(), true);
    QCOMPARE(window_->EditorPane().title(), kEditorTitle);
  }

  void cleanupTestCase() { window_.reset(); }

  void cleanup() {
    SetOptions(false, false, false, false);
    window_->move(start_position_);
  }

  void windowProperties() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("青禾文章改写器"));
    QVERIFY(window_->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window_->minimumSize(), QSize(640, 480));
    QCOMPARE(window_->maximumSize(), QSize(640, 480));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(start_position_, QPoint(screen.left() + (screen.width() - 640) / 2,
                                     screen.top() + (screen.height() - 480) / 2));
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    QVERIFY(window_->isVisible());
  }

  // The mask gives one run per row: 5, 3, 2, 1, 1 pixels off each side on the five rows
  // nearest the top and the bottom edge, the full width elsewhere.
  void shapeFollowsTheMask() {
    const std::vector<QRect> runs = MaskRuns(QImage(QStringLiteral(":/pictures/mask.gif")));
    QCOMPARE(runs.size(), std::size_t{480});
    const int inset[] = {5, 3, 2, 1, 1};
    for (int y = 0; y < 480; ++y) {
      const int edge_row = std::min(y, 479 - y);
      const int side = edge_row < 5 ? inset[edge_row] : 0;
      QCOMPARE(runs[static_cast<std::size_t>(y)], QRect(side, y, 640 - 2 * side, 1));
    }

    const QRegion shape = window_->mask();
    for (const QPoint outside : {QPoint(0, 0), QPoint(4, 0), QPoint(635, 0), QPoint(639, 479),
                                 QPoint(0, 4), QPoint(2, 1), QPoint(0, 477)}) {
      QVERIFY2(!shape.contains(outside),
               qPrintable(QStringLiteral("%1,%2").arg(outside.x()).arg(outside.y())));
    }
    for (const QPoint inside : {QPoint(5, 0), QPoint(634, 0), QPoint(3, 1), QPoint(1, 3),
                                QPoint(0, 5), QPoint(639, 474), QPoint(5, 479), QPoint(320, 240)}) {
      QVERIFY2(shape.contains(inside),
               qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));
    }
  }

  void shapeRunsAreMaximal() {
    QImage mask(6, 2, QImage::Format_RGB32);
    mask.fill(kMaskKeyColour);
    for (const QPoint inside : {QPoint(0, 0), QPoint(2, 0), QPoint(3, 0), QPoint(5, 1)}) {
      mask.setPixel(inside, qRgb(0, 0, 0));
    }
    mask.setPixel(1, 1, qRgb(254, 0, 255));  // close to the key, but not the key: inside
    const std::vector<QRect> expected = {QRect(0, 0, 1, 1), QRect(2, 0, 2, 1), QRect(1, 1, 1, 1),
                                         QRect(5, 1, 1, 1)};
    QCOMPARE(MaskRuns(mask), expected);
    QVERIFY(MaskRegion(QImage()).isEmpty());
    QImage all_key(4, 4, QImage::Format_RGB32);
    all_key.fill(kMaskKeyColour);
    QVERIFY(MaskRegion(all_key).isEmpty());
  }

  void controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");  // empty: the window
    QTest::addColumn<QRect>("place");
    const QString window;
    const QString options = QStringLiteral("分组框1");
    const struct {
      const char* name;
      QString container;
      QRect place;
    } table[] = {
        {"按钮_新建页面", window, {19, 39, 29, 28}},
        {"按钮_打开网页", window, {56, 39, 29, 28}},
        {"按钮_保存网页", window, {96, 39, 29, 28}},
        {"按钮_复制返回编辑", window, {136, 39, 29, 28}},
        {"按钮_返回编辑", window, {176, 39, 29, 28}},
        {"按钮_设置", window, {545, 12, 17, 17}},
        {"按钮_最小化窗口", window, {575, 12, 17, 17}},
        {"按钮_退出程序", window, {603, 12, 17, 17}},
        {"超级链接框1", window, {544, 48, 80, 16}},
        {"高级选择夹1", window, {16, 80, 608, 333}},
        {"互联网浏览器1", QStringLiteral("tab 0"), {1, 1, 606, 331}},
        {"互联网浏览器2", QStringLiteral("tab 1"), {1, 1, 606, 331}},
        {"图片框_Loading", window, {264, 248, 100, 9}},
        {"分组框1", window, {16, 416, 504, 52}},
        {"按钮_制作替换", options, {8, 13, 80, 30}},
        {"按钮_替换内容", options, {96, 13, 80, 30}},
        {"单选框_简体", options, {184, 16, 48, 24}},
        {"单选框_繁体", options, {232, 16, 48, 24}},
        {"选择框_打乱顺序", options, {288, 8, 48, 24}},
        {"选择框_句子打乱", options, {288, 30, 72, 20}},
        {"选择框_生成繁体", options, {336, 8, 72, 24}},
        {"组合框_模式选择", options, {416, 16, 80, 20}},
        {"按钮_生成伪原创", window, {535, 429, 80, 30}},
    };
    for (const auto& row : table) {
      QTest::newRow(row.name) << QString::fromUtf8(row.name) << row.container << row.place;
    }
  }

  void controls() {
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, place);
    auto* control = window_->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QWidget* expected_parent = window_.get();
    auto* tabs = Control<QTabWidget>("高级选择夹1");
    if (container == QStringLiteral("tab 0")) expected_parent = tabs->widget(0);
    if (container == QStringLiteral("tab 1")) expected_parent = tabs->widget(1);
    if (container == QStringLiteral("分组框1")) expected_parent = Control<QGroupBox>("分组框1");
    QCOMPARE(control->parentWidget(), expected_parent);
    QCOMPARE(control->geometry(), place);
    if (auto* button = qobject_cast<PictureButton*>(control)) {
      QCOMPARE(button->CurrentPicture().size(), place.size());
    }
  }

  void controlsWhenTheWindowOpens() {
    auto* tabs = Control<QTabWidget>("高级选择夹1");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), kEditorTitle);
    QCOMPARE(tabs->tabText(1), QStringLiteral("伪原创区"));
    QCOMPARE(tabs->currentIndex(), 0);
    // The panes fill their pages but for a one-pixel margin.
    QCOMPARE(tabs->widget(0)->size(), QSize(608, 333));
    QVERIFY(!Control<QLabel>("图片框_Loading")->isVisible());
    QVERIFY(Control<QLabel>("图片框_Loading")->movie()->isValid());
    QCOMPARE(Control<QLabel>("图片框_Loading")->movie()->frameCount(), 13);
    QVERIFY(Control<QGroupBox>("分组框1")->title().isEmpty());
    const struct {
      const char* name;
      const char* caption;
      bool checked;
    } options[] = {{"单选框_简体", "简体", true},
                   {"单选框_繁体", "繁体", false},
                   {"选择框_打乱顺序", "打乱", false},
                   {"选择框_句子打乱", "句子打乱", false},
                   {"选择框_生成繁体", "生成繁体", false}};
    for (const auto& option : options) {
      auto* button = Control<QAbstractButton>(option.name);
      QCOMPARE(button->text(), QString::fromUtf8(option.caption));
      QCOMPARE(button->isChecked(), option.checked);
    }
    auto* mode = Control<QComboBox>("组合框_模式选择");
    QCOMPARE(mode->count(), 1);
    QCOMPARE(mode->itemText(0), QStringLiteral("正常模式"));
    QCOMPARE(mode->currentIndex(), 0);
    QVERIFY(!mode->isEditable());
    QCOMPARE(window_->Bridge().GetEditorHtml(), GbkText());
    // The editor page's own script runs: it has made the article editable.
    QCOMPARE(
        Evaluate(*window_->EditorPane().page(), QStringLiteral("frames[0].document.designMode"))
            .toString(),
        QStringLiteral("on"));
    QCOMPARE(window_->Bridge().GetPaneOuterHtml(window_->ResultPane()), DocumentWith(QString()));
    QCOMPARE(Control<QLabel>("超级链接框1")->text(),
             QStringLiteral("<a href=\"https://qinghe.app\">qinghe.app</a>"));
  }

  void radioButtonsFormOneGroup() {
    QTest::mouseClick(Control<QRadioButton>("单选框_繁体"), Qt::LeftButton);
    QVERIFY(Control<QRadioButton>("单选框_繁体")->isChecked());
    QVERIFY(!Control<QRadioButton>("单选框_简体")->isChecked());
    QTest::mouseClick(Control<QRadioButton>("单选框_简体"), Qt::LeftButton);
    QVERIFY(!Control<QRadioButton>("单选框_繁体")->isChecked());
  }

  void tooltips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    const struct {
      const char* name;
      const char* tip;
    } table[] = {{"按钮_新建页面", "新建"},
                 {"按钮_打开网页", "打开"},
                 {"按钮_保存网页", "保存"},
                 {"按钮_退出程序", "退出"},
                 {"按钮_最小化窗口", "最小化"},
                 {"按钮_返回编辑", "返回继续编辑"},
                 {"按钮_复制返回编辑", "复制返回继续编辑"},
                 {"按钮_设置", ""},
                 {"按钮_制作替换", ""},
                 {"按钮_替换内容", ""},
                 {"按钮_生成伪原创", ""}};
    for (const auto& row : table) {
      QTest::newRow(row.name) << QString::fromUtf8(row.name) << QString::fromUtf8(row.tip);
    }
  }

  void tooltips() {
    QFETCH(QString, name);
    QFETCH(QString, tip);
    QCOMPARE(window_->findChild<QWidget*>(name)->toolTip(), tip);
  }

  void pictureButtonShowsItsState() {
    const auto filled = [](QColor colour) {
      QPixmap picture(10, 10);
      picture.fill(colour);
      return picture;
    };
    PictureButton::Pictures pictures{filled(Qt::red), filled(Qt::green), filled(Qt::blue), {}};
    QWidget parent;
    PictureButton button(pictures, &parent);
    button.setGeometry(0, 0, 10, 10);
    parent.show();
    const auto shows = [&](QColor colour) {
      return button.CurrentPicture().toImage().pixelColor(5, 5) == colour;
    };
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QVERIFY(shows(Qt::red));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    QVERIFY(shows(Qt::green));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(shows(Qt::blue));
    // Released elsewhere: no click.
    QTest::mouseMove(&button, QPoint(30, 30));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(30, 30));
    QCOMPARE(clicks.count(), 0);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(&button, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.count(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    QVERIFY(shows(Qt::red));
    // No disabled picture: the normal one; and a disabled button does not click.
    button.setEnabled(false);
    QVERIFY(shows(Qt::red));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.count(), 1);
  }

  void settingsMenuOpensUnderItsButton() {
    window_->move(0, 0);
    QString entries;
    QPoint position;
    QTimer::singleShot(0, this, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu != nullptr);
      QCOMPARE(menu->objectName(), QStringLiteral("设置菜单"));
      position = menu->pos();
      for (const QAction* action : menu->actions()) {
        entries += action->isSeparator() ? QStringLiteral("-|") : action->text() + QLatin1Char('|');
      }
      menu->close();
    });
    QTest::mouseClick(Control<PictureButton>("按钮_设置"), Qt::LeftButton);
    QCOMPARE(entries, QStringLiteral("在线升级|-|在线帮助|关于|"));
    QCOMPARE(position, QPoint(545, 29));
  }

  void draggingMovesTheWindow_data() {
    QTest::addColumn<QString>("handle");  // empty: the window's background
    QTest::addColumn<QPoint>("press");    // in the handle
    QTest::newRow("background") << QString() << QPoint(300, 20);
    QTest::newRow("group box") << QStringLiteral("分组框1") << QPoint(200, 46);
    QTest::newRow("loading strip") << QStringLiteral("图片框_Loading") << QPoint(50, 4);
  }

  void draggingMovesTheWindow() {
    QFETCH(QString, handle);
    QFETCH(QPoint, press);
    QWidget* target = handle.isEmpty() ? window_.get() : window_->findChild<QWidget*>(handle);
    const bool was_visible = target->isVisible();
    target->show();
    QCOMPARE(target->childAt(press), nullptr);
    window_->move(100, 50);
    QTest::mousePress(target, Qt::LeftButton, {}, press);
    QTest::mouseMove(target, press + QPoint(30, 20));
    QTest::mouseRelease(target, Qt::LeftButton, {}, press + QPoint(30, 20));
    target->setVisible(was_visible);
    QCOMPARE(window_->pos(), QPoint(130, 70));
  }

  void pressOnACheckBoxTicksItAndDoesNotMove() {
    window_->move(100, 50);
    auto* box = Control<QCheckBox>("选择框_打乱顺序");
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(8, 12));
    QTest::mouseMove(box, QPoint(38, 32));
    QTest::mouseMove(box, QPoint(8, 12));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(8, 12));
    QVERIFY(box->isChecked());
    QCOMPARE(window_->pos(), QPoint(100, 50));
  }

  void hyperlinkOpensTheMakersAddress() {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "Open");
    auto* link = Control<QLabel>("超级链接框1");
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(10, link->height() / 2));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(recorder.urls, QList<QUrl>{QUrl(QStringLiteral("https://qinghe.app"))});
  }

  void switchPaneAlternatesTheTabs() {
    auto* tabs = Control<QTabWidget>("高级选择夹1");
    tabs->setCurrentIndex(0);
    QTest::mouseClick(Control<PictureButton>("按钮_返回编辑"), Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 1);
    QTest::mouseClick(Control<PictureButton>("按钮_返回编辑"), Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 0);
  }

  void rewrite_data() {
    QTest::addColumn<QString>("article");
    QTest::addColumn<bool>("traditional");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<bool>("output_traditional");
    QTest::addColumn<QString>("result_body");
    QTest::newRow("simplified") << QStringLiteral("<p>花很美丽，人很快乐。</p>") << false << false
                                << false << QStringLiteral("<p>花很漂亮，人很高兴。</p>");
    QTest::newRow("traditional") << QStringLiteral("<p>花很美麗，人很快樂。</p>") << true << false
                                 << false << QStringLiteral("<p>花很漂亮，人很高興。</p>");
    QTest::newRow("traditional, output traditional")
        << QStringLiteral("<p>花很美麗，人很快樂。</p>") << true << false << true
        << QStringLiteral("<p>花很漂亮，人很高興。</p>");
    QTest::newRow("output traditional")
        << QStringLiteral("<p>花很美丽，人很快乐。</p>") << false << false << true
        << QStringLiteral("<p>花很漂亮，人很高興。</p>");
    QTest::newRow("reverse paragraphs")
        << QStringLiteral("第一段很美丽<br>第二段很快乐") << false << true << false
        << QStringLiteral("第二段很高兴<br>第一段很漂亮<br>");
    QTest::newRow("empty editor") << QString() << false << false << false << QString();
  }

  void rewrite() {
    QFETCH(QString, article);
    QFETCH(bool, traditional);
    QFETCH(bool, reverse);
    QFETCH(bool, output_traditional);
    QFETCH(QString, result_body);
    SetOptions(traditional, reverse, output_traditional, false);
    QCOMPARE(Rewrite(Gbk(article.toStdString())), DocumentWith(result_body));
  }

  void rewriteShufflesSentences() {
    SetOptions(false, false, false, true);
    const GbkText result = Rewrite(Gbk("一句很美丽。二句很快乐。三句。"));
    // The sentences of the exchanged text, in the order of the shuffle, each followed by
    // "。" and a line break (which the browser keeps as a line feed).
    const QStringList sentences = {QStringLiteral("一句很漂亮"), QStringLiteral("二句很高兴"),
                                   QStringLiteral("三句")};
    QCOMPARE(RandomOrder().size(), std::size_t{3});
    QString body;
    for (const std::int32_t number : RandomOrder()) {
      body += sentences[number - 1] + QStringLiteral("。\n");
    }
    QCOMPARE(result, DocumentWith(body));
  }

  void charactersOutsideCodePage936SurviveAsReferences() {
    const GbkText article = Gbk("<p>笑&#128512;</p>");
    window_->Bridge().SetEditorHtml(article);
    QCOMPARE(window_->Bridge().GetEditorHtml(), article);
    QCOMPARE(Evaluate(*window_->EditorPane().page(),
                      QStringLiteral("frames[0].document.body.textContent"))
                 .toString(),
             QStringLiteral("笑😀"));
    QCOMPARE(Rewrite(article), DocumentWith(QStringLiteral("<p>笑&#128512;</p>")));
  }

  void secondRewriteIsRefusedWhileOneRuns() {
    window_->Bridge().SetEditorHtml(Gbk("<p>花很美丽。</p>"));
    auto* rewrite = Control<PictureButton>("按钮_生成伪原创");
    auto* tabs = Control<QTabWidget>("高级选择夹1");
    auto* loading = Control<QLabel>("图片框_Loading");
    tabs->setCurrentIndex(1);
    bool checked = false;
    QTimer::singleShot(0, this, [&] {
      QVERIFY(window_->IsBusy());
      QVERIFY(loading->isVisible());
      QTest::mouseClick(rewrite, Qt::LeftButton);
      QTest::mouseClick(Control<PictureButton>("按钮_替换内容"), Qt::LeftButton);
      QTest::mouseClick(Control<PictureButton>("按钮_制作替换"), Qt::LeftButton);
      // A second run would have finished inside the click, leaving tab 1 and no strip.
      QCOMPARE(tabs->currentIndex(), 0);
      QVERIFY(loading->isVisible());
      QVERIFY(window_->IsBusy());
      checked = true;
    });
    QTest::mouseClick(rewrite, Qt::LeftButton);
    QVERIFY(checked);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(!loading->isVisible());
    QCOMPARE(window_->Bridge().GetPaneOuterHtml(window_->ResultPane()),
             DocumentWith(QStringLiteral("<p>花很漂亮。</p>")));
  }

  void storeMessagesShowAMessageBox() {
    const QString path = program_dir_.filePath(QStringLiteral("other.mdb"));
    WriteDatabase(path, {});
    DatabaseConnection connection;
    QVERIFY(connection.ConnectDatabase(path.toStdString(), kDatabasePassword));
    RecordCursor cursor;
    QVERIFY(cursor.AttachCursor(connection));
    QString title;
    QString text;
    QTimer::singleShot(0, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      title = box->windowTitle();
      text = box->text();
      QCOMPARE(box->buttons().size(), 1);
      box->accept();
    });
    QVERIFY(!cursor.OpenTable("no_such_table"));
    QCOMPARE(title, QStringLiteral("错误"));
    QVERIFY(text.contains(QStringLiteral("no_such_table")));
  }

  // Every way an article could run a script, in the editor pane and, after a rewrite, in
  // the result pane. A page with the browser's default settings runs every one of them,
  // which shows that the markers would appear if a pane let them run.
  void hostileArticleRunsNothing() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QSignalSpy requests(&server, &QTcpServer::newConnection);
    const QString away = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());
    const QString mark =
        QStringLiteral("top.document.documentElement.setAttribute('data-ran-%1', '1')");
    const QString payload =
        QStringLiteral("<p>正文</p><script>%1</script>").arg(mark.arg(QStringLiteral("script"))) +
        QStringLiteral("<img src=\"x\" onerror=\"%1\">").arg(mark.arg(QStringLiteral("img"))) +
        QStringLiteral("<svg onload=\"%1\"></svg>").arg(mark.arg(QStringLiteral("svg"))) +
        QStringLiteral("<iframe srcdoc=\"<script>%1</script>\"></iframe>")
            .arg(mark.arg(QStringLiteral("srcdoc"))) +
        QStringLiteral("<a id=\"js\" href=\"javascript:%1\">js</a>")
            .arg(mark.arg(QStringLiteral("link"))) +
        QStringLiteral("<a id=\"away\" href=\"%1link\">away</a>").arg(away);
    const QString refresh =
        QStringLiteral("<meta http-equiv=\"refresh\" content=\"0; url=%1refresh\">").arg(away);
    const QString expected_markers =
        QStringLiteral("data-ran-img data-ran-link data-ran-script data-ran-srcdoc data-ran-svg");
    const QString click_links = QStringLiteral(
        "(function(doc) { doc.getElementById('js').click(); doc.getElementById('away').click();"
        " return true; })(%1)");

    window_->Bridge().SetEditorHtml(Gbk((refresh + payload).toStdString()));
    const GbkText article = window_->Bridge().GetEditorHtml();
    QVERIFY(article.find("data-ran-script") != std::string::npos);
    QWebEnginePage& editor = *window_->EditorPane().page();
    Evaluate(editor, click_links.arg(QStringLiteral("frames[0].document")));
    QTest::mouseClick(Control<PictureButton>("按钮_生成伪原创"), Qt::LeftButton);
    QWebEnginePage& result = *window_->ResultPane().page();
    QVERIFY(Evaluate(result, QStringLiteral("document.getElementById('away') !== null")).toBool());
    Evaluate(result, click_links.arg(QStringLiteral("document")));

    // The same article in a page that may run scripts: every marker appears.
    QWebEnginePage control;
    QSignalSpy control_loaded(&control, &QWebEnginePage::loadFinished);
    control.setHtml(payload);
    QTRY_COMPARE_WITH_TIMEOUT(control_loaded.count(), 1, 10000);
    Evaluate(control, QStringLiteral("document.getElementById('js').click(); true"));
    QTRY_COMPARE_WITH_TIMEOUT(
        Evaluate(control, kMarkersScript.arg(QStringLiteral("document"))).toString(),
        expected_markers, 10000);

    QCOMPARE(Evaluate(editor, kMarkersScript.arg(QStringLiteral("document"))).toString(),
             QString());
    QCOMPARE(Evaluate(editor, kMarkersScript.arg(QStringLiteral("frames[0].document"))).toString(),
             QString());
    QCOMPARE(Evaluate(result, kMarkersScript.arg(QStringLiteral("document"))).toString(),
             QString());
    QCOMPARE(window_->EditorPane().title(), kEditorTitle);
    QCOMPARE(window_->Bridge().GetEditorHtml(), article);
    QCOMPARE(window_->ResultPane().url(), QUrl(QStringLiteral("about:blank")));
    QCOMPARE(Evaluate(editor, QStringLiteral("frames[0].location.href")).toString(),
             QStringLiteral("about:srcdoc"));
    QCOMPARE(requests.count(), 0);

    // A page that follows links reaches the server, so the silence above is the panes'.
    Evaluate(control, QStringLiteral("document.getElementById('away').click(); true"));
    QTRY_VERIFY_WITH_TIMEOUT(requests.count() > 0, 10000);
  }

  // Without the editor page the window opens all the same; the article reads as empty and
  // writes to it go nowhere.
  void missingEditorPageReadsAsEmpty() {
    QTemporaryDir program_dir;
    QVERIFY(program_dir.isValid());
    WriteDatabase(program_dir.filePath(QString::fromLatin1(kDatabaseFileName)), {});
    MainWindow window(program_dir.path());
    QSignalSpy loaded(window.EditorPane().page(), &QWebEnginePage::loadFinished);
    QVERIFY(window.RunCreatedSequence());
    QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 10000);
    QCOMPARE(window.Bridge().GetEditorHtml(), GbkText());
    window.Bridge().SetEditorHtml(Gbk("<p>文章</p>"));
    QCOMPARE(window.Bridge().GetEditorHtml(), GbkText());
  }

  void minimiseButton() {
    QTest::mouseClick(Control<PictureButton>("按钮_最小化窗口"), Qt::LeftButton);
    QVERIFY(window_->isMinimized());
    window_->showNormal();
    QVERIFY(!window_->isMinimized());
    QVERIFY(!window_->mask().contains(QPoint(0, 0)));
  }

  // Runs the application's event loop, as the program does, and ends it with the button.
  void exitButtonEndsTheProgramWithStatusZero() {
    QTimer::singleShot(0, this, [&] {
      QTest::mouseClick(Control<PictureButton>("按钮_退出程序"), Qt::LeftButton);
    });
    QTimer::singleShot(20000, this, [] { QCoreApplication::exit(2); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window_->isVisible());
  }
};

}  // namespace qinghe

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  qinghe::MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
