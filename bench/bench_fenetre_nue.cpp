// The floor of the start-up measure: a bare Qt Widgets window of the welcome window's size,
// frameless and centred, with nothing in it. bench/run times it beside the program, in the same
// run and the same way, so the program's start-up is judged against what Qt alone costs here.
// With the argument "texte" the window also shows one line of text: the share of the start-up
// that any window with text pays (fontconfig, font matching, glyphs).
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget fenetre(nullptr, Qt::Window | Qt::FramelessWindowHint);
    fenetre.setFixedSize(632, 311);
    if (argc > 1 && qstrcmp(argv[1], "texte") == 0) {
        auto *ligne = new QLabel(QStringLiteral("Une ligne de texte"), &fenetre);
        ligne->move(16, 16);
    }
    if (QScreen *ecran = QGuiApplication::primaryScreen())
        fenetre.move(ecran->availableGeometry().center() - fenetre.rect().center());
    fenetre.show();
    return app.exec();
}
