#pragma once
// Display text of the controls (UTF-8) as Qt text.

#include <QString>
#include <string>

namespace ui {

inline QString qt_text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Multi-line text: line breaks come as CR LF, so carriage returns are dropped; a lone one
// would otherwise show as a box.
inline QString multiline_text(const std::string& utf8) {
    QString text = qt_text(utf8);
    text.remove(QChar(u'\r'));
    return text;
}

}  // namespace ui
