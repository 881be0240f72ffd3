#pragma once

#include <QFont>
#include <QString>
#include <string>

class QWidget;

namespace tarvel {

inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

// The classic dialog font of the windows' layouts, with a free fallback where it is missing.
QFont ClassicFont(int pixelSize);

// Places a top-level window in the middle of the screen it is on (or the primary screen).
void CentreOnScreen(QWidget* window);

} // namespace tarvel
