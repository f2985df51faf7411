#include "ui/window_system/resources.h"

#include <QImage>
#include <QTest>

namespace lookwell {

// The icon and the bitmaps are compiled in as pixels; what the program shows
// must be the drawn art itself, pixel for pixel, each image in its place.
class ArtTest : public QObject {
    Q_OBJECT

    static QImage art(const char* file) {
        const QImage image(QStringLiteral(LOOKWELL_RESOURCES_DIR "/%1").arg(file), "XPM");
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    static QImage shown(const QPixmap& pixmap) {
        return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }

private slots:
    void compiledInArtMatchesTheDrawnArt_data() {
        QTest::addColumn<QImage>("compiledIn");
        QTest::addColumn<QImage>("drawn");
        for (const int size : {16, 32}) {
            for (const auto& [depth, colours] : {std::pair{4, 16}, std::pair{24, 256}}) {
                const QByteArray file = QStringLiteral("lookwell-%1x%1-%2-colours.xpm")
                                            .arg(size)
                                            .arg(colours)
                                            .toLatin1();
                QTest::newRow(file)
                    << shown(applicationIconForDepth(depth).pixmap(size)) << art(file);
            }
        }
        QTest::newRow("paste") << shown(loadBitmap(resource::kPasteBitmap))
                               << art("bitmap-130-paste.xpm");
        QTest::newRow("copy") << shown(loadBitmap(resource::kCopyBitmap))
                              << art("bitmap-131-copy.xpm");
    }
    void compiledInArtMatchesTheDrawnArt() {
        QFETCH(QImage, compiledIn);
        QFETCH(QImage, drawn);
        QVERIFY(!drawn.isNull());
        QCOMPARE(compiledIn, drawn);
    }
};

} // namespace lookwell

QTEST_MAIN(lookwell::ArtTest)
#include "art_test.moc"
