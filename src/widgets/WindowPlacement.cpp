#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace corv {

double twipsPerPixel(const QWidget* window)
{
    const int dpi = window ? window->logicalDpiY() : 96;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

bool saveWindowPlacement(const QWidget* window, IniFile& settings, const QString& windowName,
                         const QString& section, std::optional<double> fontSize)
{
    const double scale = twipsPerPixel(window);
    Placement current;
    current.state = window->isMinimized() ? Placement::Minimised
                    : window->isMaximized() ? Placement::Maximised
                                            : Placement::Normal;
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    current.top = frame.top() * scale;
    current.left = frame.left() * scale;
    current.height = client.height() * scale;
    current.width = client.width() * scale;
    current.fontSize = fontSize;
    return savePlacement(settings, windowName, current, section);
}

void restoreWindowPlacement(QWidget* window, const IniFile& settings, const QString& windowName,
                            double minHeight, double minWidth, const QString& section)
{
    const double scale = twipsPerPixel(window);
    WindowDesign design;
    design.height = window->height() * scale;
    design.width = window->width() * scale;
    design.sizable = window->minimumSize() != window->maximumSize();
    const Placement stored = restorePlacement(settings, windowName, minHeight, minWidth, design, section);

    // A placement saved on a monitor that is gone is pulled back on screen.
    QRect wanted(static_cast<int>(stored.left / scale), static_cast<int>(stored.top / scale),
                 std::max(1, static_cast<int>(stored.width / scale)),
                 std::max(1, static_cast<int>(stored.height / scale)));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        bool visible = false;
        for (const QScreen* s : QGuiApplication::screens())
            visible = visible || s->availableGeometry().intersects(wanted);
        if (!visible)
            wanted.moveTopLeft(available.topLeft());
        wanted.setSize(wanted.size().boundedTo(available.size()));
    }
    if (design.sizable) {
        window->resize(wanted.size());
    }
    window->move(wanted.topLeft());
    if (stored.state == Placement::Maximised)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    else if (stored.state == Placement::Minimised)
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

} // namespace corv
