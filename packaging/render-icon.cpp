// Build-time tool: renders the program's SVG icon as square PNGs for the hicolor icon theme.
// Usage: render-icon SOURCE.svg TARGET_DIR NAME SIZE...
// writes TARGET_DIR/<SIZE>x<SIZE>/apps/NAME.png for every SIZE.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 5) {
        std::fputs("usage: render-icon SOURCE.svg TARGET_DIR NAME SIZE...\n", stderr);
        return 2;
    }
    // The same renderer that draws the window icon.
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir target(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "render-icon: not a size: %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();

        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file
            = target.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!target.mkpath(folder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
