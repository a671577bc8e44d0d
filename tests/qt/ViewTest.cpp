// The desktop pieces that stand alone: the picture shown without conversion, the colour and
// filter conversions, the two-way bindings, the dispatcher's catching of exceptions and Qt's own
// dialogs in Japanese.
#include <gtest/gtest.h>

#include <stdexcept>

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "formula/FormulaDialog.h"
#include "plot/Step.h"
#include "qt/Bindings.h"
#include "qt/Dialogs.h"
#include "qt/PictureWidget.h"
#include "qt/QtPlatform.h"
#include "qt/QtSupport.h"
#include "qt/Translations.h"

TEST(PictureView, ShowsSystemColoursWithTheTopByteZero) {
    TImage image("imgCood", 4, 2);
    image.canvas.SetPixel(0, 0, clRed);
    image.canvas.SetPixel(1, 0, RGB(0, 255, 0));
    image.canvas.SetPixel(2, 0, RGB(0, 0, 255));
    image.canvas.SetPixel(3, 1, RGB(12, 34, 56));
    PictureWidget widget(image, nullptr);
    widget.resize(4, 2);
    QImage shown = widget.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(1, 0), QColor(0, 255, 0));
    EXPECT_EQ(shown.pixelColor(2, 0), QColor(0, 0, 255));
    EXPECT_EQ(shown.pixelColor(3, 1), QColor(12, 34, 56));
    EXPECT_EQ(shown.pixelColor(0, 1), QColor(255, 255, 255));
    EXPECT_EQ(WrapBitmap(image.canvas.Picture()).constBits(),
              reinterpret_cast<const uchar*>(image.canvas.Picture().Pixels().data()))
        << "the pixels are shared, not copied";
}

TEST(PictureView, FollowsABitmapReplacedByTheCanvas) {
    TImage image("imgSample1", 3, 3);
    PictureWidget widget(image, nullptr);
    widget.resize(3, 3);
    image.canvas.Reset(3, 3, RGB(0, 0, 128));
    EXPECT_EQ(widget.grab().toImage().pixelColor(1, 1), QColor(0, 0, 128));
}

// At one device pixel per logical pixel the main picture shows its bitmap exactly; on a finer
// screen (the suite runs this again with QT_SCALE_FACTOR=2) it is drawn again from the drawing at
// the device's resolution, not enlarged.
TEST(PictureView, DrawsAtTheScreensDevicePixelRatio) {
    PlotView view;
    Canvas& canvas = view.canvas();
    canvas.MoveTo({{20, 30}, 20.3, 30.8});
    canvas.LineTo({{480, 300}, 480.6, 300.2});
    canvas.Brush.Style = BrushStyle::Clear;
    canvas.Ellipse(100, 100, 400, 420);
    canvas.TextOut(40, 540, "x=(a-b)cos θ");
    PictureWidget widget(view.imgCood, nullptr);
    widget.SetDrawing(&view.drawing);
    widget.resize(513, 640);
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const double ratio = widget.devicePixelRatioF();
    if (ratio == 1) {
        EXPECT_EQ(shown, WrapBitmap(canvas.Picture()).convertToFormat(QImage::Format_RGB32));
        return;
    }
    ScaledCanvas fine = ScaledCanvas::ForPicture(513, 640, ratio);
    view.drawing.Replay(fine);
    EXPECT_EQ(shown.size(), QSize(fine.Picture().Width(), fine.Picture().Height()));
    EXPECT_EQ(shown, WrapBitmap(fine.Picture()).convertToFormat(QImage::Format_RGB32));
    canvas.LineTo(20, 600);  // and kept up to date as the picture grows
    view.drawing.Replay(fine);
    EXPECT_EQ(widget.grab().toImage().convertToFormat(QImage::Format_RGB32),
              WrapBitmap(fine.Picture()).convertToFormat(QImage::Format_RGB32));
}

TEST(Conversions, ColoursKeepRedInTheLowByteAndFiltersGainLowerCase) {
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    EXPECT_EQ(FromQColor(ToQColor(0xABCDEF)), 0xABCDEFu);
    EXPECT_EQ(FileDialogFilter("CRVファイル|*.CRV"), QStringLiteral("CRVファイル (*.CRV *.crv)"));
    EXPECT_EQ(FileDialogFilter("Text|*.txt|All|*.*"), QStringLiteral("Text (*.txt);;All (*.*)"));
}

TEST(Bindings, SpinTextIsTheModelsBothWays) {
    TUpDown model("updA", -100, 100, 1);
    int changes = 0;
    model.OnChange = [&] { ++changes; };
    QWidget owner;  // after the model: widgets go first
    Binder binder(&owner);
    ModelSpinBox* spin = binder.MakeSpin(model, &owner);
    QLineEdit* line = spin->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "1");

    line->selectAll();
    QTest::keyClicks(line, "x");  // any text may be typed; the model reads it as the minimum
    EXPECT_EQ(model.Text(), "x");
    EXPECT_EQ(model.Value(), -100);
    line->selectAll();
    QTest::keyClicks(line, "250");
    EXPECT_EQ(model.Text(), "250");
    emit spin->editingFinished();  // leaving the field clamps
    EXPECT_EQ(model.Text(), "100");
    EXPECT_EQ(line->text(), "100");

    model.SetValue(-3);
    EXPECT_EQ(line->text(), "-3");
    model.Increment = 10;
    spin->stepBy(1);
    EXPECT_EQ(model.Value(), 7);
    EXPECT_GE(changes, 5);
    model.SetEnabled(false);
    EXPECT_FALSE(spin->isEnabled());
}

TEST(Bindings, ChecksRadiosAndListsFollowTheModelAfterEveryClick) {
    // The models outlive their widgets, as the form outlives its window.
    TCheckBox check("chkHojoEn", "補助線");
    TRadioButton a("radA", "A"), c("radC", "C");
    TListBox list("lstShiki");
    QWidget owner;
    Binder binder(&owner);
    int checkClicks = 0;
    check.OnClick = [&] { ++checkClicks; };
    auto* box = new QCheckBox(&owner);
    binder.Bind(box, check);
    EXPECT_EQ(box->text(), "補助線");
    box->click();
    EXPECT_TRUE(check.Checked());
    EXPECT_EQ(checkClicks, 1);

    TRadioButton::Group({&a, &c});
    c.SetChecked(true);
    auto* radioA = new QRadioButton(&owner);
    auto* radioC = new QRadioButton(&owner);
    binder.Bind(radioA, a);
    binder.Bind(radioC, c);
    radioC->click();  // clicking the button that is on leaves it on
    EXPECT_TRUE(radioC->isChecked());
    radioA->click();
    EXPECT_TRUE(a.Checked());
    EXPECT_FALSE(radioC->isChecked()) << "the model's group turned C off";

    int listClicks = 0;
    list.OnClick = [&] { ++listClicks; };
    auto* widget = new QListWidget(&owner);
    binder.Bind(widget, list);
    list.SetItems({"one", "two", "three"});
    ASSERT_EQ(widget->count(), 3);
    owner.show();
    QRect second = widget->visualItemRect(widget->item(1));
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(listClicks, 1) << "a click on a new line is heard once";
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(listClicks, 2) << "a click on the current line is a click too";
    list.SetItem(2, "drei");
    EXPECT_EQ(widget->item(2)->text(), "drei");
    list.Clear();
    EXPECT_EQ(widget->count(), 0);
}

TEST(Bindings, AnExceptionFromAnActionBecomesAMessage) {
    QWidget owner;
    owner.setWindowTitle("Quorbel");
    int afterActions = 0;
    Binder binder(&owner, [&] { ++afterActions; });
    QString shown;
    WhenModal([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown = box->text();
            box->accept();
        }
    });
    binder.Run([] { throw std::runtime_error("ファイルが壊れています"); });
    EXPECT_EQ(shown, "ファイルが壊れています");
    EXPECT_EQ(afterActions, 1) << "the after-action check runs after a failed action too";
}

TEST(Bindings, AWidgetGoneLeavesItsModelUsable) {
    TLabel label("lblSpec");
    {
        QWidget owner;
        Binder binder(&owner);
        binder.Bind(new QLabel(&owner), label);
        label.SetCaption("before");
    }
    label.SetCaption("after");  // must not reach the deleted label
    EXPECT_EQ(label.Caption(), "after");
    EXPECT_FALSE(label.ViewChanged);
}

TEST(DialogViews, ButtonsCloseWithTheirResultsAndTheFrameWithCancel) {
    TfrmStep step;
    QWidget client;
    client.move(30, 40);
    client.show();
    StepDialog dialog(step, &client, nullptr);
    step.Prepare(16, 339, "π/4");

    WhenModal([](QWidget* modal) { modal->findChild<QPushButton*>("btnAll")->click(); });
    EXPECT_EQ(dialog.ShowModalFor(step), 3);
    EXPECT_EQ(dialog.pos(), client.mapToGlobal(QPoint(16, 381))) << "42 pixels below the group's top";
    EXPECT_EQ(dialog.findChild<QLineEdit*>("edtStep")->text(), "π/4");
    EXPECT_TRUE(dialog.findChild<QLineEdit*>("edtStep")->isReadOnly());

    WhenModal([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(dialog.ShowModalFor(step), mrCancel) << "closing by the frame is 中止";
    WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(dialog.ShowModalFor(step), mrCancel);
    WhenModal([](QWidget* modal) { modal->findChild<QPushButton*>("btnOk")->click(); });
    EXPECT_EQ(dialog.ShowModalFor(step), mrOk);
}

TEST(DialogViews, TheFormulaDialogReadsWhatIsTypedAtEveryKey) {
    TfrmFormula formula;
    FormulaDialog dialog(formula, nullptr);
    formula.SetPanel(1, 1, 1, "0≦θ≦2π");
    WhenModal([](QWidget* modal) {
        auto* ok = modal->findChild<QPushButton*>("btnOk");
        auto* message = modal->findChild<QLabel*>("lblMessage");
        QTest::keyClicks(modal->findChild<QLineEdit*>("edtFirst"), "3cos(t");
        QTest::keyClicks(modal->findChild<QLineEdit*>("edtSecond"), "2sin t");
        EXPECT_FALSE(ok->isEnabled());
        EXPECT_EQ(message->text().toStdString(), "x の式の 7 文字目：「)」がありません");
        QTest::keyClicks(modal->findChild<QLineEdit*>("edtFirst"), ")");
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_TRUE(message->text().isEmpty());
        if (const char* folder = std::getenv("QUORBEL_TEST_OUT")) modal->grab().save(QString(folder) + "/formula-dialog.png");
        ok->click();
    });
    EXPECT_EQ(dialog.ShowModalFor(formula), mrOk);
    EXPECT_EQ(formula.Typed().line4, "x=3cos(t)");
}

TEST(QtTexts, QtsOwnDialogsSpeakJapaneseWhateverTheLocale) {
    QLocale::setDefault(QLocale::c());
    ASSERT_TRUE(InstallJapaneseTranslations(*qApp)) << "Debian's qt6-translations-l10n is not installed";
    ASSERT_TRUE(InstallJapaneseTranslations(*qApp)) << "a second call keeps the one translator";
    QColorDialog colours;
    EXPECT_EQ(colours.windowTitle().toStdString(), "色を選択");
    auto* buttons = colours.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().toStdString(), "キャンセル");
}
