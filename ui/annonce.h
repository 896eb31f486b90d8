#pragma once

class QLabel;
class QString;

// Captions whose new text screen readers speak at once, unasked: the listening challenge's score
// and hints. Qt 6.4's AT-SPI bridge drops QAccessible::Alert events, and a changed name is read
// only by a reader standing on that caption; what screen readers do speak unasked is a
// notification that shows. Such a caption is therefore a notification to assistive
// technologies, and each new text shows it anew.
namespace Annonce {

/// From now on, `etiquette` is a notification to assistive technologies (its name is its text).
void Prepare(QLabel *etiquette);

/// `texte` shown in `etiquette` and spoken: the caption is hidden, given its text, and shown again.
void Dit(QLabel *etiquette, const QString &texte);

/// `etiquette` emptied and hidden: an empty notification has nothing to say.
void Efface(QLabel *etiquette);

} // namespace Annonce
