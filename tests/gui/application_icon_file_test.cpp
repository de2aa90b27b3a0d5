// The Windows icon file, written at build time for the resources of the
// Windows programs, holds the application icon in every size of the icon
// theme, pixel for pixel as the window draws it: read back with Qt's own ICO
// reader.
#include <QImageReader>
#include <QTest>

#include "widgets/glyphs.h"

class ApplicationIconFileTest : public QObject {
  Q_OBJECT

 private slots:
  void holdsTheIconInEverySize_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
      QTest::newRow(qPrintable(QString::number(size))) << size;
  }
  void holdsTheIconInEverySize() {
    QFETCH(int, size);
    QImageReader reader(QStringLiteral(VELUNOR_ICON_FILE), "ico");
    QCOMPARE(reader.imageCount(), 7);
    QImage found;
    for (int i = 0; i < reader.imageCount() && found.width() != size; ++i) {
      QVERIFY(reader.jumpToImage(i));
      found = reader.read();
      QVERIFY2(!found.isNull(), qPrintable(reader.errorString()));
    }
    QCOMPARE(found.size(), QSize(size, size));
    QCOMPARE(found.convertToFormat(QImage::Format_ARGB32),
             velunor::ApplicationIconImage(size).convertToFormat(QImage::Format_ARGB32));
  }
};

QTEST_MAIN(ApplicationIconFileTest)
#include "application_icon_file_test.moc"
