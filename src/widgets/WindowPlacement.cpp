#include "WindowPlacement.h"

#include <QGuiApplication>
#include <algorithm>
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

    // The window comes back whole on a screen, its title bar in reach: a
    // placement saved on a monitor that is gone, or half off the edge, is
    // pulled back inside the screen that shows most of it.
    QRect wanted(static_cast<int>(stored.left / scale), static_cast<int>(stored.top / scale),
                 std::max(1, static_cast<int>(stored.width / scale)),
                 std::max(1, static_cast<int>(stored.height / scale)));
    const QScreen* target = QGuiApplication::primaryScreen();
    int shown = 0;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect common = s->availableGeometry().intersected(wanted);
        if (common.width() * common.height() > shown) {
            shown = common.width() * common.height();
            target = s;
        }
    }
    if (target) {
        const QRect available = target->availableGeometry();
        wanted.setSize(wanted.size().boundedTo(available.size()));
        wanted.moveLeft(std::clamp(wanted.left(), available.left(), available.right() - wanted.width() + 1));
        wanted.moveTop(std::clamp(wanted.top(), available.top(), available.bottom() - wanted.height() + 1));
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

void keepOnScreen(QWidget* window)
{
    const QScreen* screen = window ? window->screen() : nullptr;
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    const QSize margins = frame.size() - window->geometry().size();
    if (frame.width() > available.width() || frame.height() > available.height())
        window->resize(window->size().boundedTo(available.size() - margins));
    const QSize outer = window->size() + margins;
    const QPoint placed(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() - outer.width() + 1)),
                        std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() - outer.height() + 1)));
    if (placed != frame.topLeft())
        window->move(placed);
}

} // namespace corv
