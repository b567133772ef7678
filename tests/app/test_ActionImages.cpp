// The images of the commands: a theme's icon where the desktop has one, the
// shipped picture otherwise, and a shipped picture for every name.
#include "app/Pellum.h"
#include "app/u_ActionImages.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <set>

namespace {

// The share of pixels that are not transparent.
double coverage(const QImage& image) {
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            opaque += qAlpha(image.pixel(x, y)) > 64 ? 1 : 0;
        }
    }
    return double(opaque) / (image.width() * image.height());
}

QImage argb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

// A shipped picture as an icon shows it (through a pixmap, like the icon's).
QImage shown(const QString& themeName, int size) {
    return argb(QPixmap(ShippedImagePath(themeName, size)).toImage());
}

// A theme of one icon, edit-cut, drawn in a colour none of the shipped
// pictures has.
const QColor kThemeColour(255, 0, 255);

void writeTheme(const QString& root) {
    QDir(root).mkpath(QStringLiteral("probe/24x24/actions"));
    QFile index(root + QStringLiteral("/probe/index.theme"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write(
        "[Icon Theme]\nName=probe\nDirectories=24x24/actions\n\n"
        "[24x24/actions]\nSize=24\nContext=Actions\nType=Fixed\n");
    index.close();
    QImage cut(24, 24, QImage::Format_ARGB32);
    cut.fill(kThemeColour);
    QVERIFY(cut.save(root + QStringLiteral("/probe/24x24/actions/edit-cut.png")));
}

}  // namespace

class TestActionImages : public QObject {
    Q_OBJECT

  private:
    QString savedTheme_;
    QStringList savedPaths_;

  private slots:
    void initTestCase() {
        savedTheme_ = QIcon::themeName();
        savedPaths_ = QIcon::themeSearchPaths();
    }
    void cleanup() {
        QIcon::setThemeSearchPaths(savedPaths_);
        QIcon::setThemeName(savedTheme_);
    }

    void everyNameHasAShippedPictureOfEachSize_data() {
        QTest::addColumn<QString>("themeName");
        QTest::addColumn<int>("size");
        for (const TActionImage& image : ActionImages()) {
            for (int size : ShippedImageSizes()) {
                QTest::addRow("%s %d", image.themeName, size)
                    << QString::fromLatin1(image.themeName) << size;
            }
        }
    }
    void everyNameHasAShippedPictureOfEachSize() {
        QFETCH(QString, themeName);
        QFETCH(int, size);
        const QString path = ShippedImagePath(themeName, size);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        // A drawing, neither empty nor a filled square.
        const double covered = coverage(argb(image));
        QVERIFY2(covered > 0.1 && covered < 0.95, qPrintable(QString::number(covered)));
    }

    void namesAndPicturesAreDistinct() {
        std::set<QString> names;
        std::set<QString> actions;
        std::vector<QImage> pictures;
        for (const TActionImage& image : ActionImages()) {
            QVERIFY2(names.insert(QLatin1String(image.themeName)).second, image.themeName);
            QVERIFY2(actions.insert(QLatin1String(image.action)).second, image.action);
            const QImage picture = shown(QLatin1String(image.themeName), 24);
            for (const QImage& other : pictures) {
                QVERIFY2(picture != other, image.themeName);
            }
            pictures.push_back(picture);
        }
    }

    void everyCommandWithAnImageShowsIt() {
        // No theme has these names: every command shows the shipped picture.
        QIcon::setThemeSearchPaths({});
        QIcon::setThemeName(QStringLiteral("none"));
        apptest::ClearSettings();
        MessageRecorder messages;
        auto program = StartProgram({}, false);
        for (const TActionImage& image : ActionImages()) {
            QAction* action = program->frmCommon->action(QLatin1String(image.action));
            QVERIFY2(action != nullptr, image.action);
            const QImage onAction = argb(action->icon().pixmap(24, 24).toImage());
            QVERIFY2(onAction == shown(QLatin1String(image.themeName), 24), image.action);
        }
        // The main tool bar's buttons carry them.
        auto* bar = program->frmMain->findChild<QToolBar*>(QStringLiteral("tbMain"));
        QVERIFY(bar != nullptr);
        for (const char* name : {"actEditCut", "actEditPaste", "actEditFindQuery", "actDBPrint"}) {
            auto* button = qobject_cast<QToolButton*>(
                bar->widgetForAction(program->frmCommon->action(QLatin1String(name))));
            QVERIFY2(button != nullptr && !button->icon().isNull(), name);
        }
    }

    void theDesktopThemeComesFirst() {
        QTemporaryDir themes;
        writeTheme(themes.path());
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("probe"));
        const QImage cut = ActionIcon(QStringLiteral("edit-cut")).pixmap(24, 24).toImage();
        QCOMPARE(cut.pixelColor(12, 12), kThemeColour);
        // A name the theme lacks falls back to the shipped picture.
        const QImage paste =
            argb(ActionIcon(QStringLiteral("edit-paste")).pixmap(24, 24).toImage());
        QVERIFY(paste == shown(QStringLiteral("edit-paste"), 24));
    }

    void theProgramIconHasEverySize() {
        QIcon::setThemeSearchPaths({});
        QIcon::setThemeName(QStringLiteral("none"));
        const QIcon icon = ProgramIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                     qPrintable(QString::number(size)));
        }
    }
};

QTEST_MAIN(TestActionImages)
#include "test_ActionImages.moc"
