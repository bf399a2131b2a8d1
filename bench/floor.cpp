// The floor for start-up: a bare Qt main window with an MDI area and a few labels.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* area = new QMdiArea(&window);
    window.setCentralWidget(area);
    auto* page = new QWidget;
    page->setFixedSize(640, 449);
    for (int i = 0; i < 12; ++i)
        (new QLabel(QStringLiteral("Label %1").arg(i), page))
            ->move(10 + (i % 4) * 150, 90 + (i / 4) * 100);
    area->addSubWindow(page, Qt::FramelessWindowHint)->show();
    window.setFixedSize(643, 454);
    window.show();
    return QApplication::exec();
}
