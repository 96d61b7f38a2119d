// The yardstick for the start-up numbers: an empty Qt main window with a menu bar and
// an 800 x 600 painted area, the same outer size as the card table.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

namespace {
class Felt : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(46, 107, 58)); }
};
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Bare Qt window"));
    w.menuBar()->addMenu(QStringLiteral("&Game"));
    auto* felt = new Felt;
    felt->setFixedSize(800, 600);
    w.setCentralWidget(felt);
    w.setFixedSize(800, 600 + w.menuBar()->sizeHint().height());
    w.show();
    return app.exec();
}
