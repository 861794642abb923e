#include "SplashWindow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace corv {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("F_Splash"));
    auto* title = new QLabel(QStringLiteral("corvutil"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    auto* subtitle = new QLabel(QStringLiteral("Controlli IVA per Ardea, Corvina e Nembo"), this);
    auto* release = new QLabel(kReleaseText, this);
    release->setObjectName(QStringLiteral("Lbl_Release"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(title, 0, Qt::AlignCenter);
    layout->addWidget(subtitle, 0, Qt::AlignCenter);
    layout->addSpacing(12);
    layout->addWidget(release, 0, Qt::AlignCenter);
}

} // namespace corv
