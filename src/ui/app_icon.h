#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's icon, drawn rather than shipped: a small table with a highlighted row. The
// image needs no display, so the build also draws the installed icon files from it.
QImage applicationIconImage(int size);
QPixmap applicationPixmap(int size = 32);
QIcon applicationIcon();
