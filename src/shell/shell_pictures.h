#pragma once
// The splash picture and the maker's logo, drawn by the program itself.
#include <QPixmap>
#include <QSize>

QPixmap Splash_Picture(const QSize& size);
QPixmap Maker_Logo(int side);
