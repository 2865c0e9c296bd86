// The floor of this toolkit: one plain QWidget, for the start-up and memory comparison. With --text the
// window also shows a line of text: the floor of any program that draws text (fontconfig's start, a
// first font, text layout), which the plain window never pays.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal Qt"));
    window.resize(640, 400);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("A line of text, as the plain window's floor for text."), &window))->move(20, 20);
    window.show();
    return app.exec();
}
