#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, drawn rather than shipped: a small table with a highlighted row.
QPixmap applicationPixmap(int size = 32);
QIcon applicationIcon();
