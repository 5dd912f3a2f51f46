#pragma once

#include <QPixmap>
#include <QSize>

// The maker's logo of the main window: a red ring with a lightning stroke and the letters "KP".
QPixmap MakerLogo(QSize size);
