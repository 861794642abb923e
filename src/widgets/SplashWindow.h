#pragma once

#include <QWidget>

namespace corv {

inline const QString kReleaseText = QStringLiteral("Rel.: ") + QStringLiteral("2.18.xx");

// The window shown while the program starts.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

} // namespace corv
