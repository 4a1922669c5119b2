#pragma once

#include <QPixmap>

// The service's logo, drawn by the program itself.
namespace Logo {
QPixmap pixmap(int size);
}
