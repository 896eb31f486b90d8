#pragma once

#include <QString>

class QMessageBox;
class QWidget;

// "À propos de Sonavirelle": the program's version, licence and address, and the credits of the
// sounds and fonts it ships with or relies on.
namespace APropos {

/// The version of the build (the project's own number).
QString Version();
/// Where the project is published.
QString Adresse();
/// The box's text, rich text with the address as a link, in the language installed now.
QString Texte();
/// Shows the box over `parent`'s window, modal to it, and returns it (it deletes itself on closing).
QMessageBox *Montre(QWidget *parent);

} // namespace APropos
