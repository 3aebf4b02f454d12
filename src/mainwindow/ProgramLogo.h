#pragma once

#include <QRect>
#include <QString>

class QWidget;

// The picture of the splash window and the About box: the program's name on
// a blue gradient over the whole widget, a smaller line of text below it.
// The name is centred in picture less its lowest 40 pixels, the text in
// picture less its top textTop pixels.
void paintProgramLogo(QWidget& widget, const QRect& picture, int namePointSize, int textTop, const QString& text);
