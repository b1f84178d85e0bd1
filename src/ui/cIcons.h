// The window's pictures: command icons from the desktop's icon theme with
// the program's own drawings as fallback, the product image and the logo.
#pragma once

#include <QIcon>
#include <QPixmap>

// Theme icon ThemeName, else the bundled drawing ":/icons/<Bundled>.svg".
QIcon CommandIcon(const char* ThemeName, const char* Bundled);
// A bundled drawing only (the right panel's pictures, the tick and cross).
QIcon BundledIcon(const char* Bundled);
QIcon ApplicationIcon();
// The product image and the maker's logo, at the given logical height.
QPixmap ProductImage(int Height);
QPixmap LogoImage(int Height);
