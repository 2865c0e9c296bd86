// The floor of this toolkit: one plain QWidget, for the start-up and memory comparison.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal Qt"));
    window.resize(640, 400);
    window.show();
    return app.exec();
}
