#pragma once
// The splash picture, the maker's logo and the toolbar keys' pictures, drawn by the
// program itself.
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

QPixmap Splash_Picture(const QSize& size);
QPixmap Maker_Logo(int side);

// The picture of a toolbar key ("NEW", "OPEN", "SAVE", "PRINT", "WIZARD", "MAIL",
// "CONNECT"): the desktop theme's icon of the same meaning, else one drawn here.
QIcon Toolbar_Icon(const QString& key);
