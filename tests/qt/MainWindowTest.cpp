// The real main window under the offscreen platform, driven as a user would: clicks on widgets,
// typing, menus, F1 and the modal dialogs, over the shipped curves in a working folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "curves/Codec.h"
#include "qt/Dialogs.h"
#include "qt/HelpWindow.h"
#include "qt/LargeView.h"
#include "qt/MainWindow.h"
#include "qt/PictureWidget.h"
#include "qt/QtSupport.h"

namespace fs = std::filesystem;

namespace {
struct MainWindowFixture : ::testing::Test {
    fs::path folder;
    std::unique_ptr<QtPlatform> platform;
    std::unique_ptr<TfrmMain> form;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        folder = fs::temp_directory_path() / ("quorbel-qt-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::copy(fs::path(QUORBEL_SOURCE_DIR) / "data", folder, fs::copy_options::recursive);
        fs::create_directories(folder / "UsCurves");
        QDir::setCurrent(QString::fromStdString(folder.string()));
        platform = std::make_unique<QtPlatform>();
        platform->SetApplicationTitle("Quorbel");
        form = std::make_unique<TfrmMain>(*platform, folder.string());
        window = std::make_unique<MainWindow>(*form, *platform);
        platform->SetMainWindow(window.get());
        window->show();
        Settle();
    }
    void TearDown() override {
        window.reset();
        form.reset();
        platform.reset();
        QDir::setCurrent(QDir::tempPath());
        fs::remove_all(folder);
    }

    template <typename Widget = QWidget>
    Widget* Find(const char* name) const {
        auto* widget = dynamic_cast<Widget*>(window->Widget(QString::fromLatin1(name)));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QAction* Action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    QImage ShownPicture() const { return window->Picture()->grab().toImage(); }
    // Clicks line `row` of the curve list with the mouse.
    void ClickCurve(int row) {
        auto* list = Find<QListWidget>("lstShiki");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        Settle();
    }
};

// The picture as the large view must show it: drawn again from the drawing at `scale`.
QImage Redrawn(const Drawing& drawing, double scale) {
    ScaledCanvas fine = ScaledCanvas::ForPicture(PlotView::PictureWidth, PlotView::PictureHeight, scale);
    drawing.Replay(fine);
    return WrapBitmap(fine.Picture()).convertToFormat(QImage::Format_RGB32);
}

int DistinctColours(const QImage& image, QRect area) {
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); y += 2)
        for (int x = area.left(); x <= area.right(); x += 2) colours.insert(image.pixel(x, y));
    return colours.size();
}
}  // namespace

TEST_F(MainWindowFixture, LayoutNumbersForTwoScreens) {
    window->ApplyLayout({1024, 768});
    Settle();
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(window->frameGeometry().size(), QSize(1024, 740));
    EXPECT_EQ(window->Picture()->geometry(), QRect(440, 42, 513, 640));
    EXPECT_EQ(Find("lstShiki")->geometry(), QRect(16, 52, 353, 282));
    EXPECT_EQ(Find("grpParam")->y(), 339);
    EXPECT_EQ(Find("lstComment")->y(), 593);
    EXPECT_EQ(form->grpParamTop, 339) << "the STEP dialog follows the panel";
    window->ApplyLayout({800, 600});
    EXPECT_EQ(window->Picture()->x(), 393);
    EXPECT_EQ(Find("pnlMain")->geometry(), QRect(0, 0, 800, 40));
    // Every control of the tool bar and the panel stands where the layout table puts it.
    for (const ControlPlace& place : ControlPlaces()) {
        QWidget* widget = window->Widget(QString::fromUtf8(place.name.data(), place.name.size()));
        ASSERT_NE(widget, nullptr) << place.name;
        EXPECT_EQ(widget->pos(), QPoint(place.rect.left, place.rect.top)) << place.name;
        if (place.rect.Width() > 0) {
            EXPECT_EQ(widget->width(), place.rect.Width()) << place.name;
        }
        EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), place.container) << place.name;
    }
}

TEST_F(MainWindowFixture, NoTwoControlsOfTheLayoutOverlap) {
    // As the window shows them: controls sized to their contents take the size their text needs.
    const std::vector<ControlPlace>& places = ControlPlaces();
    for (std::size_t i = 0; i < places.size(); ++i) {
        QWidget* one = window->Widget(QString::fromUtf8(places[i].name.data(), places[i].name.size()));
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            if (places[j].container != places[i].container) continue;
            QWidget* other = window->Widget(QString::fromUtf8(places[j].name.data(), places[j].name.size()));
            EXPECT_FALSE(one->geometry().intersects(other->geometry()))
                << places[i].name << " overlaps " << places[j].name << " in " << places[i].container;
        }
    }
}

TEST_F(MainWindowFixture, MenusToolButtonsAndCursors) {
    QStringList shown;
    for (QAction* top : window->menuBar()->actions()) {
        shown << top->text();
        for (QAction* item : top->menu()->actions()) shown << (item->isSeparator() ? "-" : item->text());
    }
    QStringList expected = {"ﾌｧｲﾙ(&F)", "自作の曲線を開く(&U)", "美しい曲線を開く(&B)", "いろいろな曲線を開く(&O)", "式を入力して描く(&E)...", "-",
                            "上書き保存(&S)", "名前を付けて保存(&A)", "-", "印刷(&P)", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)",
                            "ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&P)", "画像として保存(&I)...", "-", "終了(&X)", "表示(&V)", "ファイルの内容(&F)", "大きく表示(&L)", "曲線の性質(&P)", "-",
                            "変更をすぐに描く(&R)", "設定(&S)",
                            "曲線の色(&C)", "背景の色(&B)", "ﾍﾙﾌﾟ(&H)", "使い方(&U)", "ワンポイント(&P)", "-",
                            "ﾊﾞｰｼﾞｮﾝ情報(&A)"};
    EXPECT_EQ(shown, expected);
    auto* print = Find<QToolButton>("spdPrint");
    EXPECT_EQ(print->toolTip(), "印刷");
    EXPECT_FALSE(print->icon().isNull());
    EXPECT_EQ(Find<QToolButton>("spdKihonOpen")->toolTip(), "美しい曲線");
    EXPECT_EQ(Find("lstShiki")->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(window->Picture()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_NE(Find("lstShiki")->cursor().pixmap().toImage(), window->Picture()->cursor().pixmap().toImage());
    EXPECT_EQ(Find<QPushButton>("btnKaisetsu")->text(), "解 説   ");
}

TEST_F(MainWindowFixture, StartUpDrawsTheFirstCurveAndAClickDrawsAnother) {
    QImage blank = ShownPicture();
    window->Start();
    Settle();
    QImage first = ShownPicture();
    EXPECT_NE(first, blank);
    EXPECT_GT(DistinctColours(first, QRect(0, 0, 513, 513)), 1) << "the graph square shows a curve";
    EXPECT_TRUE(Find<QToolButton>("spdOpenFile")->isChecked()) << "いろいろな曲線 is down";
    EXPECT_FALSE(Find<QToolButton>("spdUserOpen")->isChecked());
    EXPECT_EQ(Find<QLabel>("lblSpec")->text(), "バラ（ハイポトロコイド） Curves20.crx [#3]");
    auto* list = Find<QListWidget>("lstShiki");
    ASSERT_GT(list->count(), 4);
    EXPECT_EQ(list->currentRow(), 0);

    ClickCurve(4);
    EXPECT_EQ(form->lstShiki.ItemIndex(), 4);
    EXPECT_EQ(list->currentRow(), 4);
    EXPECT_NE(ShownPicture(), first) << "the picture repaints after the click";
    EXPECT_NE(Find<QLabel>("lblSpec")->text(), "バラ（ハイポトロコイド） Curves20.crx [#3]");
}

TEST_F(MainWindowFixture, TypingInASpinControlWritesTheRecord) {
    window->Start();
    Settle();
    auto* spin = Find<ModelSpinBox>("updA");
    QLineEdit* line = spin->findChild<QLineEdit*>();
    line->selectAll();
    QTest::keyClicks(line, "5");
    EXPECT_EQ(form->updA.Value(), 5);
    EXPECT_EQ(form->frmEdit.RecordLine(rlParamA), "5");
    QTest::keyClick(line, Qt::Key_Up);  // the arrow key steps the model
    EXPECT_EQ(form->frmEdit.RecordLine(rlParamA), "6");
    EXPECT_EQ(line->text(), "6");
}

TEST_F(MainWindowFixture, StepDisplayPausesBelowThePanelAndStopEnds) {
    window->Start();
    Settle();
    int pauses = 0;
    QPoint where;
    QString count;
    WhenModal([&](QWidget* modal) {
        ++pauses;
        where = modal->pos();
        count = modal->findChild<QLineEdit*>("edtCount")->text();
        EXPECT_EQ(modal->windowTitle(), "STEP表示");
        EXPECT_EQ(modal->findChild<QLineEdit*>("edtStep")->text(), "π/8");
        modal->findChild<QPushButton*>("btnCancel")->click();
    });
    Find<QPushButton>("btnStep")->click();
    Settle();
    EXPECT_EQ(pauses, 1) << "中止 ends the drawing at the first pause";
    EXPECT_EQ(where, Find("grpParam")->mapToGlobal(QPoint(0, 42)));
    EXPECT_EQ(count, " 0 / 48 回");
    EXPECT_FALSE(form->StepMode);
}

TEST_F(MainWindowFixture, SaveUnderANewNameWritesTheFile) {
    window->Start();
    Settle();
    fs::path saved = folder / "UsCurves" / "mine.crv";
    WhenModal([&](QWidget* naming) {
        auto* name = naming->findChild<QLineEdit*>("edtName");
        name->selectAll();
        QInputMethodEvent typed;  // Japanese arrives through the input method
        typed.setCommitString("わたしの曲線");
        QApplication::sendEvent(name, &typed);
        WhenModal([&](QWidget* files) {
            auto* dialog = qobject_cast<QFileDialog*>(files);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(QDir(dialog->directory()).absolutePath().toStdString(), (folder / "UsCurves").string());
            TypeFileName(dialog, saved.string());
            static_cast<QDialog*>(dialog)->accept();
        });
        naming->findChild<QPushButton*>("btnOk")->click();
    });
    Action("mnuSave")->trigger();
    Settle();
    ASSERT_TRUE(fs::exists(saved));
    std::ifstream file(saved, std::ios::binary);
    std::string firstLine;
    std::getline(file, firstLine);
    EXPECT_EQ(firstLine, Utf8ToCp932("わたしの曲線") + "\r");
}

// The file dialog offers the picture formats; the filter picked gives a name typed without an
// extension its format.
TEST_F(MainWindowFixture, SaveAsImageWritesTheFormatOfTheChosenFilter) {
    window->Start();
    Settle();
    const fs::path saved = folder / "UsCurves" / "worksheet";
    QStringList filters;
    WhenModal([&](QWidget* files) {
        auto* dialog = qobject_cast<QFileDialog*>(files);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        EXPECT_EQ(QDir(dialog->directory()).absolutePath().toStdString(), (folder / "UsCurves").string());
        dialog->selectNameFilter(filters.value(3));
        TypeFileName(dialog, saved.string());
        static_cast<QDialog*>(dialog)->accept();
    });
    Action("mnuSaveImage")->trigger();
    Settle();
    EXPECT_EQ(filters, QStringList({"PNG 等倍 (*.png)", "PNG 2倍 (*.png)", "PNG 4倍 (*.png)", "SVG (*.svg)", "PDF (*.pdf)",
                                    "アニメーション GIF (*.gif)"}));
    std::ifstream file(saved.string() + ".svg", std::ios::binary);
    std::string firstLine;
    std::getline(file, firstLine);
    EXPECT_EQ(firstLine, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
}

TEST_F(MainWindowFixture, PrintPreviewShowsThePictureAtItsMarginsAndSize) {
    window->Start();
    Settle();
    QImage main = ShownPicture();
    QImage full, half;
    WhenModal([&](QWidget* dialog) {
        PictureWidget* preview = dynamic_cast<PrintPreviewDialog&>(*dialog).Preview();
        full = preview->grab().toImage();
        QLineEdit* size = dialog->findChild<QAbstractSpinBox*>("spnShukusho")->findChild<QLineEdit*>();
        size->selectAll();
        QTest::keyClicks(size, "50");
        Settle();
        half = preview->grab().toImage();
        dialog->findChild<QPushButton*>("btnClose")->click();
    });
    Find<QToolButton>("spdPrint")->click();
    Settle();
    ASSERT_EQ(full.size(), QSize(600, 849));
    EXPECT_EQ(full.pixel(50, 700), main.pixel(0, 600)) << "the picture's left column lies at the left margin";
    EXPECT_EQ(full.pixel(562, 739), main.pixel(512, 639));
    EXPECT_EQ(full.pixel(563, 739), qRgb(255, 255, 255));
    EXPECT_EQ(full.pixel(300, 740), qRgb(255, 255, 255));
    EXPECT_EQ(half.pixel(50 + 255, 100 + 319), main.pixel(511, 638)) << "half size: 256 × 320";
    EXPECT_EQ(half.pixel(50 + 256, 100 + 319), qRgb(255, 255, 255));
}

TEST_F(MainWindowFixture, ClipboardCopyPasteAndThePasteItemsState) {
    window->Start();
    Settle();
    auto* fileMenu = window->findChild<QMenu*>("mnuFile");
    auto openFileMenu = [&] {
        fileMenu->popup(QPoint(0, 0));
        Settle();
        fileMenu->close();
    };
    QApplication::clipboard()->setText("text only");
    openFileMenu();
    EXPECT_FALSE(Action("mnuPaste")->isEnabled());

    Action("mnuClipBoard")->trigger();
    QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(513, 640));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), ShownPicture().convertToFormat(QImage::Format_RGB32));
    openFileMenu();
    EXPECT_TRUE(Action("mnuPaste")->isEnabled());

    QImage square(100, 100, QImage::Format_RGB32);
    square.fill(QColor(0, 0, 255));
    QApplication::clipboard()->setImage(square);
    QRgb beside = ShownPicture().pixel(100, 0);
    Action("mnuPaste")->trigger();
    Settle();
    QImage pasted = ShownPicture();
    EXPECT_EQ(pasted.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(pasted.pixel(99, 99), qRgb(0, 0, 255));
    EXPECT_EQ(pasted.pixel(100, 0), beside);
}

TEST_F(MainWindowFixture, F1OpensTheHelpAtTheContextOfTheControlOrMenuItem) {
    auto* list = Find("lstShiki");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F1);
    Settle();
    ASSERT_NE(platform->Help(), nullptr);
    EXPECT_TRUE(platform->Help()->isVisible());
    EXPECT_EQ(platform->Help()->Browser()->source().fragment(), "104");
    EXPECT_FALSE(platform->Help()->Browser()->toPlainText().isEmpty());

    auto* menu = window->findChild<QMenu*>("mnuShow");
    menu->popup(QPoint(0, 0));
    Settle();
    menu->setActiveAction(Action("mnuShowFile"));
    QTest::keyClick(menu, Qt::Key_F1);
    Settle();
    EXPECT_EQ(platform->Help()->Browser()->source().fragment(), "216");
    EXPECT_FALSE(menu->isVisible());

    Find<QPushButton>("btnDraw")->setFocus();  // no context of its own: the main window's
    QTest::keyClick(Find("btnDraw"), Qt::Key_F1);
    EXPECT_EQ(platform->Help()->Browser()->source().fragment(), "100");
}

TEST_F(MainWindowFixture, HelpIsTheStartFoldersWhicheverCollectionIsOpen) {
    // Opening a folder collection moves the working folder into it; a help file placed there is not the program's.
    std::ofstream(folder / "BtCurves" / "Vantorel.hlp") << "<html><body><a name=\"230\">other</a></body></html>";
    QTest::mouseClick(Find("spdKihonOpen"), Qt::LeftButton);
    Settle();
    QString shown;
    WhenModal([&](QWidget* modal) {
        shown = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
    }, 300);
    Action("mnuOnePoint")->trigger();
    QTest::qWait(400);  // the watch for a message box is over before the test ends
    EXPECT_EQ(shown, "") << "no message";
    ASSERT_NE(platform->Help(), nullptr);
    EXPECT_EQ(platform->Help()->Browser()->source().toLocalFile().toStdString(), (folder / "Vantorel.hlp").string());
}

TEST_F(MainWindowFixture, MissingHelpFileIsAClearMessage) {
    fs::remove(folder / "Vantorel.hlp");
    QString shown;
    WhenModal([&](QWidget* modal) {
        shown = qobject_cast<QMessageBox*>(modal)->text();
        modal->close();
    });
    Action("mnuOnePoint")->trigger();
    Settle();
    EXPECT_EQ(shown.toStdString(), "ヘルプファイル " + (folder / "Vantorel.hlp").string() + " がありません");
}

TEST_F(MainWindowFixture, AboutBoxAndEnd) {
    QString version, caption;
    WhenModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        version = modal->findChild<QLabel*>("lblVersion")->text();
        EXPECT_EQ(modal->findChild<QLabel*>("lblProductName")->text(), "Quorbel 媒介変数と曲線");
        EXPECT_EQ(modal->size(), QSize(413, 320));
        modal->findChild<QPushButton*>("btnOK")->click();
    });
    Action("mnuShowAbout")->trigger();
    Settle();
    EXPECT_EQ(caption, "バージョン情報");
    EXPECT_EQ(version, "Version 2.52 2004.07.13");
    EXPECT_EQ(form->frmVersion.ModalResult, mrOk);

    Action("mnuEnd")->trigger();
    Settle();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowFixture, KeysGiveTheCommandsAndTheStepDialogOpensOnNext) {
    window->Start();
    Settle();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(Action("Save1")->shortcut(), QKeySequence("Ctrl+S")) << "shown in the menu";
    EXPECT_EQ(Action("mnuPrint")->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(Action("mnuClipBoard")->shortcut(), QKeySequence("Ctrl+C"));

    auto* list = Find("lstShiki");
    list->setFocus();
    QImage before = ShownPicture();
    form->updA.SetValue(5);
    QTest::keyClick(list, Qt::Key_F5);
    Settle();
    EXPECT_NE(ShownPicture(), before) << "F5 is 表示";

    QApplication::clipboard()->setText("text only");
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(513, 640)) << "Ctrl+C copies the picture";
    QLineEdit* spinText = Find<ModelSpinBox>("updA")->findChild<QLineEdit*>();
    spinText->setFocus();
    spinText->selectAll();
    QTest::keyClick(spinText, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "5") << "a text field copies its own text";

    QStringList opened;
    for (Qt::Key key : {Qt::Key_S, Qt::Key_P}) {
        window->activateWindow();  // the offscreen platform does not give it back after a dialog
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        list->setFocus();
        WhenModal([&](QWidget* modal) {
            opened << modal->objectName();
            modal->close();
        });
        QTest::keyClick(list, key, Qt::ControlModifier);
        Settle();
    }
    EXPECT_EQ(opened, QStringList({"frmNickName", "frmPrint"})) << "Ctrl+S saves a catalog curve under a new name";

    QWidget* focused = nullptr;
    WhenModal([&](QWidget* modal) {
        focused = modal->focusWidget();
        modal->findChild<QPushButton*>("btnCancel")->click();
    });
    Find<QPushButton>("btnStep")->click();
    Settle();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), "btnOk") << "次を表示";
}

TEST_F(MainWindowFixture, EndingWithTheHelpWindowOpenClosesItToo) {
    Action("mnuOnePoint")->trigger();
    Settle();
    ASSERT_TRUE(platform->Help() && platform->Help()->isVisible());
    Action("mnuEnd")->trigger();
    Settle();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(platform->Help()->isVisible()) << "no window is left to keep the program running";
}

TEST_F(MainWindowFixture, F11ShowsThePictureAloneAtTheScreensHeightWhereEnterDrawsAndEscapeReturns) {
    window->Start();
    Settle();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(Action("mnuShowLarge")->shortcut(), QKeySequence(Qt::Key_F11));
    QTest::keyClick(Find("lstShiki"), Qt::Key_F11);
    Settle();
    LargeView* large = window->Large();
    ASSERT_TRUE(large->isVisible());
    const QRect screen = window->screen()->geometry();
    EXPECT_EQ(large->geometry(), screen);
    PictureWidget* shown = large->Picture();
    EXPECT_EQ(shown->height(), screen.height()) << "as high as the screen";
    EXPECT_NEAR(shown->x() + shown->width() / 2.0, screen.width() / 2.0, 1) << "in the middle";
    const double scale = screen.height() / 640.0 * shown->devicePixelRatioF();
    EXPECT_EQ(shown->grab().toImage().convertToFormat(QImage::Format_RGB32), Redrawn(form->view.drawing, scale))
        << "drawn at the screen's size, not stretched";

    const QImage before = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    form->updA.SetValue(5);
    QTest::keyClick(large, Qt::Key_Return);
    Settle();
    const QImage after = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(after, before) << "Enter drew as 表示 does";
    EXPECT_EQ(after, Redrawn(form->view.drawing, scale)) << "and the view follows the picture";

    QTest::keyClick(large, Qt::Key_Escape);
    Settle();
    EXPECT_FALSE(large->isVisible());
    EXPECT_FALSE(form->frmLarge.Showing());
    EXPECT_TRUE(window->isVisible());
}

// A STEP display waits; F11 in its dialog shows the picture large, Space there goes on to the next
// pause, and Escape returns to the main window, where the dialog still waits.
TEST_F(MainWindowFixture, F11SpaceAndEscapeWhileAStepDisplayWaits) {
    window->Start();
    Settle();
    LargeView* large = window->Large();
    QStringList pauses;
    bool shownAtSecond = false, waitingAfterEscape = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* step = QApplication::activeModalWidget();
        if (!step || step->objectName() != "frmStep" || !form->frmStep.Waiting()) return;
        const QString count = ToQt(form->frmStep.edtCount.Text());
        if (!pauses.isEmpty() && pauses.back() == count) return;
        pauses << count;
        if (pauses.size() == 1) {
            QTest::keyClick(step->focusWidget(), Qt::Key_F11);
            QTest::keyClick(step->focusWidget(), Qt::Key_Space);
        } else {
            shownAtSecond = large->isVisible();
            QTest::keyClick(step->focusWidget(), Qt::Key_Escape);
            waitingAfterEscape = form->frmStep.Waiting() && step->isVisible();
            step->findChild<QPushButton*>("btnCancel")->click();
        }
    });
    driver.start(10);
    Find<QPushButton>("btnStep")->click();
    Settle();
    driver.stop();
    EXPECT_EQ(pauses, QStringList({" 0 / 48 回", " 1 / 48 回"})) << "Space answered 次を表示";
    EXPECT_TRUE(shownAtSecond) << "the picture stays large between the pauses";
    EXPECT_TRUE(waitingAfterEscape) << "Escape leaves the large view, not the STEP display";
    EXPECT_FALSE(large->isVisible());
}

// 変更をすぐに描く from the 表示 menu draws an arrow's change at once; 自動 in the STEP dialog
// plays the display to its end on the dialog's own timer.
TEST_F(MainWindowFixture, LiveChangeFromTheMenuAndAStepDisplayThatPlaysByItself) {
    window->Start();
    Settle();
    QAction* live = Action("mnuLive");
    ASSERT_TRUE(live->isCheckable());
    live->trigger();
    EXPECT_TRUE(form->mnuLive.Checked());
    EXPECT_TRUE(live->isChecked());
    const QImage before = ShownPicture();
    Find<ModelSpinBox>("updA")->stepBy(1);
    Settle();
    EXPECT_NE(ShownPicture(), before) << "drawn without 表示";

    form->updSend.SetValue(1);  // eight pauses
    form->frmStep.cmbSpeed.UserSelect(0);
    QStringList pauses, messages;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            box->accept();
        } else if (modal && modal->objectName() == "frmStep" && form->frmStep.Waiting()) {
            const QString count = ToQt(form->frmStep.edtCount.Text());
            if (pauses.isEmpty()) modal->findChild<QPushButton*>("btnAuto")->click();
            if (pauses.isEmpty() || pauses.back() != count) pauses << count;
        }
    });
    driver.start(5);
    Find<QPushButton>("btnStep")->click();
    Settle();
    driver.stop();
    EXPECT_EQ(pauses.size(), 8) << pauses.join(",").toStdString();
    EXPECT_EQ(messages, QStringList({"表示終了"}));
    EXPECT_FALSE(form->frmStep.Playing());
}
