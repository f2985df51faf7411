#include "core/lookup_requests.h"
#include "tests/support/fake_resolver.h"
#include "ui/about_dialog.h"
#include "ui/lookup_dialog.h"
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
    // The art as a screen of the application's ratio must show it in a place
    // of `place` logical pixels: each art pixel a block of identical pixels.
    static QImage blocks(const QImage& art, int place) {
        const int ratio = qRound(qApp->devicePixelRatio());
        const int block = place * ratio / art.width();
        QImage enlarged(art.size() * block, art.format());
        enlarged.setDevicePixelRatio(ratio);
        for (int y = 0; y < enlarged.height(); ++y) {
            for (int x = 0; x < enlarged.width(); ++x) {
                enlarged.setPixel(x, y, art.pixel(x / block, y / block));
            }
        }
        return enlarged;
    }
    // Whether the art shows somewhere in the drawing, where it is opaque.
    static bool shows(const QImage& drawing, const QImage& art) {
        const auto at = [&](int left, int top) {
            for (int y = 0; y < art.height(); ++y) {
                for (int x = 0; x < art.width(); ++x) {
                    if (qAlpha(art.pixel(x, y)) == 255 &&
                        drawing.pixel(left + x, top + y) != art.pixel(x, y)) {
                        return false;
                    }
                }
            }
            return true;
        };
        for (int top = 0; top + art.height() <= drawing.height(); ++top) {
            for (int left = 0; left + art.width() <= drawing.width(); ++left) {
                if (at(left, top)) {
                    return true;
                }
            }
        }
        return false;
    }

private slots:
    void compiledInArtMatchesTheDrawnArt_data() {
        QTest::addColumn<QImage>("compiledIn");
        QTest::addColumn<QImage>("drawn");
        // Each size shows the drawing made for its device pixels; past the
        // largest, its own drawing in whole blocks.
        const int ratio = qRound(qApp->devicePixelRatio());
        for (const int size : {16, 32}) {
            for (const auto& [depth, colours] : {std::pair{4, 16}, std::pair{24, 256}}) {
                const QByteArray file = QStringLiteral("lookwell-%1x%1-%2-colours.xpm")
                                            .arg(size * ratio <= 32 ? size * ratio : size)
                                            .arg(colours)
                                            .toLatin1();
                QTest::newRow(QByteArray::number(size) + ' ' + file)
                    << shown(applicationIconForDepth(depth).pixmap(size))
                    << blocks(art(file), size);
            }
        }
        QTest::newRow("paste") << shown(QPixmap::fromImage(loadBitmap(resource::kPasteBitmap)))
                               << art("bitmap-130-paste.xpm");
        QTest::newRow("copy") << shown(QPixmap::fromImage(loadBitmap(resource::kCopyBitmap)))
                              << art("bitmap-131-copy.xpm");
    }
    void compiledInArtMatchesTheDrawnArt() {
        QFETCH(QImage, compiledIn);
        QFETCH(QImage, drawn);
        QVERIFY(!drawn.isNull());
        QCOMPARE(compiledIn, drawn);
    }
    void buttonsAndTheAboutBoxDrawTheArtInBlocks() {
        LookupState state;
        test_support::FakeResolver resolver;
        LookupDialog dialog(state, resolver);
        const AboutDialog about(&dialog); // its icon is found among the dialog's children
        const std::pair<const char*, const char*> drawings[] = {
            {"paste", "bitmap-130-paste.xpm"},
            {"copy", "bitmap-131-copy.xpm"},
            {"icon", "lookwell-32x32-256-colours.xpm"}};
        for (const auto& [name, file] : drawings) {
            auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(widget != nullptr, name);
            const QImage drawn = art(file);
            QVERIFY2(shows(shown(widget->grab()), blocks(drawn, drawn.width())), file);
        }
    }
};

} // namespace lookwell

QTEST_MAIN(lookwell::ArtTest)
#include "art_test.moc"
