// The gradient caption bar: its colour tables, the dithered, banded and
// stretched gradients, the logo and text rules and the caption font, checked
// on the pixels of bars rendered into images.
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <vector>

#include "app/form_velunor.h"
#include "platform/window_system.h"
#include "runtime/form_description.h"
#include "widgets/gradient_form.h"

using velunor::TColor;
using velunor::TGradientForm;
using velunor::TRect;
using velunor::TRgb;

namespace {

constexpr TColor kLogoColor = 0xFF00FF;
constexpr int kBarHeight = 16;

class ProbeForm : public TGradientForm {
 public:
  using TGradientForm::DrawCaption;
  using TGradientForm::FillCaptionGradient;

  ProbeForm() { SetClientSize(300, 40); }

  int calculations = 0;

 protected:
  void CalculateColors() override {
    ++calculations;
    TGradientForm::CalculateColors();
  }
};

QColor ToQColor(TColor rgb) {
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}
QColor At(const QImage& image, int x, int y) {
  return QColor(image.pixel(x, y));
}

QString Describe(const char* row, int x, int y, const QColor& actual, const QColor& expected) {
  return QStringLiteral("%1 at %2,%3: %4, expected %5")
      .arg(row)
      .arg(x)
      .arg(y)
      .arg(actual.name(), expected.name());
}

// A gradient from black to `stop` over a bar `width` wide, active.
QImage RenderGradient(int width, TColor stop) {
  ProbeForm form;
  form.SetGradientStartColor(velunor::clBlack);
  form.SetGradientStopColor(stop);
  QImage bar(width, kBarHeight, QImage::Format_RGB32);
  bar.fill(Qt::gray);
  QPainter painter(&bar);
  form.FillCaptionGradient(painter, TRect{0, 0, width, kBarHeight}, true, true);
  return bar;
}

QImage RenderCaption(ProbeForm& form, bool active, TRect& bar) {
  QImage window(form.size(), QImage::Format_RGB32);
  window.fill(Qt::gray);
  QPainter painter(&window);
  form.DrawCaption(painter, active, bar);
  return window;
}

// The caption drawn on a window picture with `ratio` pixels per pixel of
// the form.
QImage RenderScaledCaption(ProbeForm& form, qreal ratio, TRect& bar) {
  QImage window(form.size() * ratio, QImage::Format_RGB32);
  window.setDevicePixelRatio(ratio);
  window.fill(Qt::gray);
  QPainter painter(&window);
  form.DrawCaption(painter, true, bar);
  return window;
}

bool ColumnsAreUniform(const QImage& bar) {
  for (int x = 0; x < bar.width(); ++x) {
    for (int y = 1; y < bar.height(); ++y) {
      if (bar.pixel(x, y) != bar.pixel(x, 0)) return false;
    }
  }
  return true;
}

}  // namespace

class GradientFormTest : public QObject {
  Q_OBJECT

 private slots:
  void gradientColorsTakesEightTo512() {
    struct Row {
      int value;
      int expected;
      bool recalculated;
    };
    const Row rows[] = {{7, 64, false}, {513, 64, false}, {64, 64, false},
                        {8, 8, true},   {512, 512, true}, {0, 64, false}};
    for (const Row& row : rows) {
      ProbeForm form;
      form.SetGradientStopColor(velunor::clWhite);
      const TRgb lastBefore = form.ColorTable(true)[63];
      form.calculations = 0;
      form.SetGradientColors(row.value);
      const QByteArray name = QByteArray::number(row.value);
      QVERIFY2(form.GradientColors() == row.expected, name);
      QVERIFY2((form.calculations == 1) == row.recalculated, name);
      // The last used entry is the stop colour, whatever the count.
      QVERIFY2(form.ColorTable(true)[static_cast<std::size_t>(row.expected - 1)] ==
                   (TRgb{255, 255, 255}),
               name);
      if (!row.recalculated) QVERIFY2(form.ColorTable(true)[63] == lastBefore, name);
    }
  }

  void colorTableRunsFromStartToStop() {
    struct Row {
      const char* name;
      TColor start, stop;
      int count;
      std::vector<std::pair<int, TRgb>> entries;
    };
    const Row rows[] = {
        {"equal colours", 0x336699, 0x336699, 64, {}},
        {"black to white",
         velunor::clBlack,
         velunor::clWhite,
         64,
         {{0, {0, 0, 0}}, {1, {4, 4, 4}}, {63, {255, 255, 255}}}},
        // Steps of 0.5: halves go to the even neighbour, 0.5 to 0, 1.5 to 2, 2.5 to 2.
        {"halves to even",
         0x000000,
         0x070000,
         15,
         {{0, {0, 0, 0}}, {1, {0, 0, 0}}, {3, {0, 0, 2}}, {5, {0, 0, 2}}, {14, {0, 0, 7}}}},
        {"falling", 0x0000FF, 0x000000, 8, {{0, {255, 0, 0}}, {7, {0, 0, 0}}}},
    };
    for (const Row& row : rows) {
      ProbeForm form;
      form.SetGradientColors(row.count);
      form.SetGradientStartColor(row.start);
      form.SetGradientStopColor(row.stop);
      const velunor::TColorTable& table = form.ColorTable(true);
      if (row.entries.empty()) {
        for (int j = 0; j < row.count; ++j)
          QVERIFY2(table[static_cast<std::size_t>(j)] == velunor::RgbOf(row.start), row.name);
      }
      for (const auto& [index, rgb] : row.entries)
        QVERIFY2(table[static_cast<std::size_t>(index)] == rgb,
                 qPrintable(QStringLiteral("%1, entry %2").arg(row.name).arg(index)));
    }
  }

  void narrowOrSteepBarsFollowTheirMask() {
    struct Point {
      int x, y;
      TColor color;
    };
    struct Row {
      const char* name;
      int width;
      TColor stop;
      bool dithered;
      std::vector<Point> points;
    };
    const Row rows[] = {
        // The 69-pixel mask needs a bar of 138: 137 is stretched instead.
        {"137 wide", 137, 0x1E1E1E, false, {{0, 5, 0x000000}}},
        // Three steps of 15; the first tile shows black where its mask has
        // a 0, the second the first step's colour.
        {"138 wide",
         138,
         0x1E1E1E,
         true,
         {{22, 0, 0x000000},
          {23, 0, 0x0F0F0F},
          {13, 1, 0x000000},
          {14, 1, 0x0F0F0F},
          {91, 0, 0x0F0F0F},
          {92, 0, 0x1E1E1E},
          {137, 0, 0x1E1E1E}}},
        // 7 * 100 = 5 * 140: the 14-pixel mask, eleven steps of 10.
        {"at 5/7",
         140,
         0x000064,
         true,
         {{7, 0, 0x000000},
          {8, 0, 0x00000A},
          {2, 1, 0x000000},
          {3, 1, 0x00000A},
          {21, 0, 0x00000A},
          {22, 0, 0x000014}}},
        // Eleven steps of 20 on the 14-pixel mask; the five pixels left
        // over widen the first four steps by one each.
        {"145 wide",
         145,
         0x0000C8,
         true,
         {{14, 3, 0x000014}, {22, 0, 0x000014}, {23, 0, 0x000028}}},
        // Just below: the 69-pixel mask, three steps of 50; the three pixels
        // left over widen the first step.
        {"below 5/7",
         141,
         0x000064,
         true,
         {{22, 0, 0x000000},
          {23, 0, 0x000032},
          {70, 9, 0x000032},
          {94, 0, 0x000032},
          {95, 0, 0x000064}}},
    };
    for (const Row& row : rows) {
      const QImage bar = RenderGradient(row.width, row.stop);
      QVERIFY2(ColumnsAreUniform(bar) != row.dithered, row.name);
      for (const Point& point : row.points) {
        const QColor actual = At(bar, point.x, point.y);
        QVERIFY2(actual == ToQColor(point.color),
                 qPrintable(Describe(row.name, point.x, point.y, actual, ToQColor(point.color))));
      }
    }
  }

  void paintingOnlyWhenActiveShowsNoInactiveLogo() {
    struct Row {
      bool active;
      bool logoShown;
    };
    for (const Row row : {Row{false, false}, Row{true, true}}) {
      ProbeForm form;
      QPalette palette = form.palette();
      palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0x12, 0x34, 0x56));
      form.setPalette(palette);
      form.SetCaption(QString());
      form.SetPaintGradient(velunor::TGFPaintWhen::gfpActive);
      QImage logo(30, 8, QImage::Format_RGB32);
      logo.fill(ToQColor(kLogoColor));
      form.SetLogo(logo);
      TRect bar;
      const QImage window = RenderCaption(form, row.active, bar);
      bool logoSeen = false;
      for (int y = bar.top; y < bar.bottom; ++y) {
        for (int x = bar.left; x < bar.right; ++x)
          logoSeen = logoSeen || At(window, x, y) == ToQColor(kLogoColor);
      }
      QCOMPARE(logoSeen, row.logoShown);
      if (!row.active) QCOMPARE(At(window, bar.left + 5, bar.top + 2), QColor(0x12, 0x34, 0x56));
    }
  }

  void captionTextKeepsOutOfTheLogoUnlessLayered() {
    for (const bool layered : {false, true}) {
      ProbeForm form;
      // Undithered, every column of the bar is one colour but for the text.
      form.SetUseDithering(false);
      form.SetCaption(QString(200, QLatin1Char('W')));
      form.SetLogoAlign(velunor::TGFLogoAlign::laRight);
      form.SetLogoLayered(layered);
      constexpr int kLogoWidth = 40;
      QImage logo(kLogoWidth, 40, QImage::Format_RGB32);
      logo.fill(ToQColor(kLogoColor));
      form.SetLogo(logo);
      TRect bar;
      const QImage window = RenderCaption(form, true, bar);
      // The logo ends where the tool window's close button leaves room.
      const int logoRight = form.CloseButtonRect().left - 5;
      const int logoLeft = logoRight - kLogoWidth;
      const QImage inLogo = window.copy(logoLeft, bar.top, kLogoWidth, bar.Height());
      const QImage besideLogo = window.copy(logoLeft - 20, bar.top, 20, bar.Height());
      QVERIFY(!ColumnsAreUniform(besideLogo));  // the text runs up to the logo
      bool logoUntouched = true;
      for (int y = 0; y < inLogo.height(); ++y) {
        for (int x = 0; x < inLogo.width(); ++x)
          logoUntouched = logoUntouched && At(inLogo, x, y) == ToQColor(kLogoColor);
      }
      QCOMPARE(logoUntouched, !layered);
    }
  }

  void atTwiceThePixelsTheTextIsSharpAndTheGradientUnchanged() {
    ProbeForm form;
    form.SetCaption(QString());
    TRect bar;
    const QImage plain = RenderScaledCaption(form, 1, bar);
    const QImage doubled = RenderScaledCaption(form, 2, bar);
    // Gradient and dither masks: each pixel of the form is a block of 2 × 2
    // of the unscaled colour (the button's lines may be finer).
    for (int y = bar.top; y < bar.bottom; ++y) {
      for (int x = bar.left; x < form.CloseButtonRect().left; ++x) {
        for (const QPoint corner : {QPoint(0, 0), QPoint(1, 1)}) {
          const QPoint at = QPoint(x, y) * 2 + corner;
          if (doubled.pixel(at) != plain.pixel(x, y)) {
            QFAIL(qPrintable(
                Describe("scaled", at.x(), at.y(), At(doubled, at.x(), at.y()), At(plain, x, y))));
          }
        }
      }
    }
    // The text has detail finer than a pixel of the form: blocks of 2 × 2
    // that are not one colour.
    form.SetCaption(QStringLiteral("CMVelunor - Text ent-/verschlüsseln"));
    const QImage text = RenderScaledCaption(form, 2, bar);
    int detailed = 0;
    for (int y = bar.top; y < bar.bottom; ++y) {
      for (int x = bar.left; x < bar.right; ++x) {
        const QRgb first = text.pixel(2 * x, 2 * y);
        if (text.pixel(2 * x + 1, 2 * y) != first || text.pixel(2 * x, 2 * y + 1) != first ||
            text.pixel(2 * x + 1, 2 * y + 1) != first) {
          ++detailed;
        }
      }
    }
    QVERIFY2(detailed > 20, qPrintable(QStringLiteral("%1 detailed blocks").arg(detailed)));
  }

  void captionFontTurnsTheSystemFontOff() {
    ProbeForm form;
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QVERIFY(form.UseSystemCaptionFont());
    QFont chosen(QStringLiteral("Courier New"));
    chosen.setBold(true);
    form.SetCaptionFont(chosen);
    QVERIFY(!form.UseSystemCaptionFont());
    QCOMPARE(form.CaptionFont().family(), QStringLiteral("Courier New"));
    QVERIFY(form.CaptionFont().bold());
    // Only the height still follows the system.
    QCOMPARE(form.CaptionFont().pointSizeF(), system.pointSizeF());

    form.SetUseSystemCaptionFont(true);
    QCOMPARE(form.CaptionFont().family(), system.family());
    QCOMPARE(form.CaptionFont().bold(), system.bold());
  }

  // The stored description holds exactly the properties apart from their
  // defaults, in a fixed order.
  void onlyPropertiesApartFromTheirDefaultsAreStored() {
    ProbeForm form;
    const auto stored = [&] {
      std::vector<velunor::TStoredValue> values;
      form.StoredValues().WriteStoredValues(values);
      QStringList written;
      for (const auto& value : values)
        written << QString::fromStdString(value.name + "=" + value.text);
      return written;
    };
    QCOMPARE(stored(), QStringList());
    form.SetLogoAlign(velunor::TGFLogoAlign::laLeft);
    form.SetPaintGradient(velunor::TGFPaintWhen::gfpNever);
    form.SetGradientInactiveStopColor(velunor::clInfoBk);
    form.SetCaptionTextColor(velunor::clBlack);
    form.SetGradientColors(8);
    form.SetLogoLayered(true);
    form.SetUseDithering(false);
    QCOMPARE(stored(),
             QStringList({"UseDithering=False", "LogoLayered=True", "GradientColors=8",
                          "CaptionTextColor=clBlack", "GradientInactiveStopColor=clInfoBk",
                          "PaintGradient=gfpNever", "LogoAlign=laLeft"}));
  }

  // Each form guards its own caption assignment: a caption that follows
  // another form's is taken while that one is being assigned.
  void aCaptionMayFollowAnotherFormsCaption() {
    ProbeForm leader;
    ProbeForm follower;
    QObject::connect(&leader, &QWidget::windowTitleChanged, &follower,
                     [&](const QString& title) { follower.SetCaption(title + " 2"); });
    leader.SetCaption(QStringLiteral("Eins"));
    QCOMPARE(follower.Caption(), QStringLiteral("Eins 2"));
  }

  void theMainWindowStoresItsCaptionSettings() {
    velunor::platform::TNoWindowSystem windowSystem;
    velunor::TFormVelunor main(windowSystem);
    QVERIFY(main.UseSystemCaptionFont());
    QCOMPARE(main.GradientStopColor(), velunor::clInfoBk);
    // Written back, the stop colour is there as it is not the system's;
    // the inactive one, which is, is not.
    const velunor::TFormDescription description = velunor::WriteFormDescription(main.Components);
    QCOMPARE(description.front().name, std::string("FormVelunor"));
    const auto& values = description.front().values;
    const auto stored = [&](const std::string& name) {
      return std::any_of(values.begin(), values.end(),
                         [&](const auto& v) { return v.name == name; });
    };
    QVERIFY(stored("GradientStopColor"));
    QVERIFY(!stored("GradientInactiveStopColor"));
  }
};

QTEST_MAIN(GradientFormTest)
#include "gradient_form_test.moc"
