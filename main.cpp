#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Sonavirelle 2010"));
    fenetre.resize(1024, 624);
    fenetre.show();
    return app.exec();
}
