#include "ui/cIcons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QString BundledPath(const char* Bundled) {
  return QStringLiteral(":/icons/") + QString::fromLatin1(Bundled) + QStringLiteral(".svg");
}

// Renders an SVG at a height, keeping its proportions, sharp on high-DPI screens.
QPixmap RenderSvg(const QString& Path, int Height) {
  QSvgRenderer svg(Path);
  const QSize natural = svg.defaultSize().isValid() ? svg.defaultSize() : QSize(Height, Height);
  const int width = natural.height() > 0 ? Height * natural.width() / natural.height() : Height;
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(width, Height) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  svg.render(&painter, QRectF(0, 0, width, Height));
  return pixmap;
}

}  // namespace

QIcon CommandIcon(const char* ThemeName, const char* Bundled) {
  return QIcon::fromTheme(QString::fromLatin1(ThemeName), BundledIcon(Bundled));
}

QIcon BundledIcon(const char* Bundled) { return QIcon(BundledPath(Bundled)); }

QIcon ApplicationIcon() { return BundledIcon("trevalon"); }

QPixmap ProductImage(int Height) { return RenderSvg(BundledPath("trevalon"), Height); }

QPixmap LogoImage(int Height) { return RenderSvg(BundledPath("logo"), Height); }
